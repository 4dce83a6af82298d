#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

namespace cf {

struct EchoOutcome {
    enum class Status { Replied, TimedOut, Failed };
    Status status = Status::Failed;
    int bytesReceived = 0; // data bytes of the reply
    QString error;         // for Failed: why no request could be sent
};

// One ICMP echo request per call. While the reply is awaited, `wait(ms)` is called
// between checks so the caller's windows keep painting; without it the call blocks.
class EchoClient {
public:
    virtual ~EchoClient() = default;
    virtual EchoOutcome echo(const QString &host, const std::function<void(int)> &wait) = 0;
};

// IPv4 echo through the system's ICMP sockets. On Linux an unprivileged datagram
// socket is tried first (allowed by net.ipv4.ping_group_range), then a raw socket
// (root or CAP_NET_RAW); when neither opens the echo fails.
class IcmpEcho : public EchoClient {
public:
    enum class SocketKind { Any, Datagram, Raw };
    static constexpr int kDataBytes = 1024;
    static constexpr int kTimeoutMs = 400;

    explicit IcmpEcho(SocketKind kind = SocketKind::Any, int timeoutMs = kTimeoutMs);

    EchoOutcome echo(const QString &host, const std::function<void(int)> &wait) override;

    // The socket kind the last echo that got as far as sending used.
    SocketKind lastSocketKind() const { return m_used; }

private:
    SocketKind m_kind;
    int m_timeoutMs;
    quint16 m_identifier;
    quint16 m_sequence = 0;
    SocketKind m_used = SocketKind::Any;
};

} // namespace cf
