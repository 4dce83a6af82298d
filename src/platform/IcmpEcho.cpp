#include "platform/IcmpEcho.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>
#include <array>
#include <cstring>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#include <iphlpapi.h>
#include <icmpapi.h>
#ifdef _MSC_VER
#pragma comment(lib, "iphlpapi.lib")
#pragma comment(lib, "ws2_32.lib")
#endif
#else
#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace cf {

namespace {

EchoOutcome failed(const QString &why)
{
    EchoOutcome o;
    o.status = EchoOutcome::Status::Failed;
    o.error = why;
    return o;
}

EchoOutcome timedOut()
{
    EchoOutcome o;
    o.status = EchoOutcome::Status::TimedOut;
    return o;
}

EchoOutcome replied(int bytes)
{
    EchoOutcome o;
    o.status = EchoOutcome::Status::Replied;
    o.bytesReceived = bytes;
    return o;
}

// The IPv4 address of host through the system resolver (numeric texts included).
bool resolve(const QString &host, in_addr *address, QString *error)
{
    if (host.trimmed().isEmpty()) {
        *error = QStringLiteral("no host given");
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    const QByteArray name = host.toUtf8();
    const int rc = ::getaddrinfo(name.constData(), nullptr, &hints, &found);
    if (rc != 0 || !found) {
        *error = QStringLiteral("cannot resolve %1").arg(host);
        return false;
    }
    *address = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    return true;
}

} // namespace

IcmpEcho::IcmpEcho(SocketKind kind, int timeoutMs)
    : m_kind(kind)
    , m_timeoutMs(timeoutMs)
    , m_identifier(static_cast<quint16>(QRandomGenerator::global()->bounded(1, 0x10000)))
{
}

#ifdef Q_OS_WIN

EchoOutcome IcmpEcho::echo(const QString &host, const std::function<void(int)> &wait)
{
    Q_UNUSED(wait); // the system call waits on its own
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return failed(QStringLiteral("sockets unavailable"));
    struct Cleanup {
        ~Cleanup() { WSACleanup(); }
    } cleanup;
    in_addr address{};
    QString error;
    if (!resolve(host, &address, &error))
        return failed(error);
    HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE)
        return failed(QStringLiteral("cannot open an ICMP handle"));
    m_used = SocketKind::Raw;
    std::array<char, kDataBytes> data{};
    for (int i = 0; i < kDataBytes; ++i)
        data[i] = static_cast<char>('a' + i % 23);
    std::array<char, sizeof(ICMP_ECHO_REPLY) + kDataBytes + 64> reply{};
    const DWORD count = IcmpSendEcho(icmp, address.S_un.S_addr, data.data(), kDataBytes, nullptr,
                                     reply.data(), static_cast<DWORD>(reply.size()),
                                     static_cast<DWORD>(m_timeoutMs));
    IcmpCloseHandle(icmp);
    if (count == 0)
        return timedOut();
    const auto *r = reinterpret_cast<const ICMP_ECHO_REPLY *>(reply.data());
    if (r->Status != IP_SUCCESS)
        return timedOut();
    return replied(r->DataSize);
}

#else

namespace {

class Socket {
public:
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

quint16 internetChecksum(const unsigned char *bytes, size_t size)
{
    quint32 sum = 0;
    for (size_t i = 0; i + 1 < size; i += 2)
        sum += (quint32(bytes[i]) << 8) | bytes[i + 1];
    if (size % 2)
        sum += quint32(bytes[size - 1]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<quint16>(~sum);
}

constexpr unsigned char kEchoRequest = 8;
constexpr unsigned char kEchoReply = 0;
constexpr size_t kHeaderBytes = 8;

} // namespace

EchoOutcome IcmpEcho::echo(const QString &host, const std::function<void(int)> &wait)
{
    in_addr address{};
    QString error;
    if (!resolve(host, &address, &error))
        return failed(error);

    int fd = -1;
    SocketKind used = SocketKind::Any;
    if (m_kind != SocketKind::Raw) {
        fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
        used = SocketKind::Datagram;
    }
    if (fd < 0 && m_kind != SocketKind::Datagram) {
        fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
        used = SocketKind::Raw;
    }
    if (fd < 0)
        return failed(QStringLiteral("cannot open an ICMP socket: %1")
                          .arg(QString::fromLocal8Bit(std::strerror(errno))));
    Socket socket(fd);

    const quint16 sequence = ++m_sequence;
    std::array<unsigned char, kHeaderBytes + kDataBytes> packet{};
    packet[0] = kEchoRequest;
    packet[4] = static_cast<unsigned char>(m_identifier >> 8);
    packet[5] = static_cast<unsigned char>(m_identifier);
    packet[6] = static_cast<unsigned char>(sequence >> 8);
    packet[7] = static_cast<unsigned char>(sequence);
    for (size_t i = 0; i < size_t(kDataBytes); ++i)
        packet[kHeaderBytes + i] = static_cast<unsigned char>('a' + i % 23);
    const quint16 sum = internetChecksum(packet.data(), packet.size());
    packet[2] = static_cast<unsigned char>(sum >> 8);
    packet[3] = static_cast<unsigned char>(sum);

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr = address;
    if (::sendto(fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr *>(&target),
                 sizeof target) < 0)
        return failed(QStringLiteral("cannot send to %1: %2")
                          .arg(host, QString::fromLocal8Bit(std::strerror(errno))));
    m_used = used;

    // A datagram socket gets its identifier from the kernel: the socket's local "port".
    quint16 identifier = m_identifier;
    if (used == SocketKind::Datagram) {
        sockaddr_in local{};
        socklen_t length = sizeof local;
        if (::getsockname(fd, reinterpret_cast<sockaddr *>(&local), &length) == 0)
            identifier = ntohs(local.sin_port);
    }

    QElapsedTimer clock;
    clock.start();
    std::array<unsigned char, 4096> buffer{};
    for (;;) {
        const qint64 remaining = m_timeoutMs - clock.elapsed();
        if (remaining <= 0)
            return timedOut();
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, wait ? 0 : int(remaining));
        if (ready < 0 && errno != EINTR)
            return timedOut();
        if (ready <= 0) {
            if (wait)
                wait(int(std::min<qint64>(10, remaining)));
            continue;
        }
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t got = ::recvfrom(fd, buffer.data(), buffer.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (got < 0) {
            if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
                continue;
            // An ICMP error queued on the socket (unreachable and the like): no answer.
            return timedOut();
        }
        size_t offset = 0;
        if (used == SocketKind::Raw) { // raw sockets deliver the IP header too
            if (got < 1)
                continue;
            offset = size_t(buffer[0] & 0x0F) * 4;
        }
        if (size_t(got) < offset + kHeaderBytes || from.sin_addr.s_addr != address.s_addr)
            continue;
        const unsigned char *icmp = buffer.data() + offset;
        const quint16 replyId = quint16((icmp[4] << 8) | icmp[5]);
        const quint16 replySeq = quint16((icmp[6] << 8) | icmp[7]);
        if (icmp[0] != kEchoReply || icmp[1] != 0 || replyId != identifier || replySeq != sequence)
            continue; // our own request on loopback, or someone else's traffic
        return replied(int(size_t(got) - offset - kHeaderBytes));
    }
}

#endif

} // namespace cf
