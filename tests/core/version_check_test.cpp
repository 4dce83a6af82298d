#include <gtest/gtest.h>

#include "lang/VersionCheck.h"
#include "platform/HttpFetch.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

TEST(ConvVersion, DigitsAroundThePoint)
{
    struct Case {
        const char *text;
        int value;
    };
    const Case cases[] = {
        {"VER. 1.001", 1001},
        {"1.000", 1000},
        {"VER. 0.000", 0},
        {"VER. 10.00", -1},
        {"VER. 1,001", 1001},
        {"X 1x002", 1002},
        {"VER.   2.345  ", 2345},
        {"VER. 1.0001", 1000},
        {"VER. 1.0", -1},
        {"VER. 1.0 1", -1},
        {"VER. a.bcd", -1},
        {"VER. ", -1},
        {"", -1},
        {"VER. -.123", -123},
        {"VER. 1.2.3 4", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cf::Conv_Version(QString::fromLatin1(c.text)), c.value);
    }
}

TEST(ConvVersion, NewerThanTheProgramsOwn)
{
    struct Case {
        const char *answer;
        bool newer;
    };
    const Case cases[] = {
        {"VER. 1.001", true},  {"VER. 1.000", false},     {"ver. 0.000", false}, {"VER. 0.000", false},
        {"", false},           {" \r\n", false},          {"VER. 10.00", false}, {"VER. 1,001", true},
        {"ver. 2.000\r\n", true}, {"VER. 0.999", false},  {"Not Found", false},  {"VER. -.123", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        EXPECT_EQ(cf::isNewerVersion(QString::fromLatin1(c.answer)), c.newer);
    }
}

TEST(VersionServer, QueryOfTheProductOnTheBuildHost)
{
    const cf::VersionServer server;
    EXPECT_EQ(server.host, cf::ProductIdentity::webHost());
    EXPECT_EQ(server.timeoutMs, 10000);
    EXPECT_EQ(server.queryUrl().toString().toStdString(),
              "http://" + cf::ProductIdentity::webHost().toStdString() + "/home/download/GetversionSW.asp?nomesw=CF40210");
}

// A one-answer HTTP server on 127.0.0.1.
class LocalServer : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        bool silent = false;
    };

    explicit LocalServer(Reply reply)
        : m_reply(std::move(reply))
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }

    cf::VersionServer target(int timeoutMs = 2000) const
    {
        cf::VersionServer s;
        s.host = QStringLiteral("127.0.0.1");
        s.port = m_server.serverPort();
        s.timeoutMs = timeoutMs;
        return s;
    }
    bool listening() const { return m_server.isListening(); }
    const QByteArray &request() const { return m_request; }

private:
    void serve(QTcpSocket *socket)
    {
        m_request += socket->readAll();
        if (!m_request.contains("\r\n\r\n") || m_reply.silent)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(m_reply.status) + " Status\r\nContent-Type: text/html\r\n"
                      "Set-Cookie: session=1\r\nContent-Length: " + QByteArray::number(m_reply.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + m_reply.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    Reply m_reply;
    QByteArray m_request;
};

TEST(CheckVersion, AnswersOfTheServer)
{
    struct Case {
        const char *name;
        LocalServer::Reply reply;
        bool newer;
    };
    const Case cases[] = {
        {"newer", {200, "VER. 1.001"}, true},
        {"same", {200, "VER. 1.000"}, false},
        {"lower case zero", {200, "ver. 0.000"}, false},
        {"empty", {200, ""}, false},
        {"newer with a line end", {200, "VER. 1.002\r\n"}, true},
        {"server error", {500, "VER. 9.999"}, false},
        {"not found", {404, "VER. 9.999"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LocalServer server(c.reply);
        ASSERT_TRUE(server.listening());
        EXPECT_EQ(cf::Check_Version(server.target()), c.newer);
        EXPECT_TRUE(server.request().startsWith("GET /home/download/GetversionSW.asp?nomesw=CF40210 HTTP/1."))
            << server.request().toStdString();
        EXPECT_FALSE(server.request().toLower().contains("\ncookie:"));
    }
}

TEST(CheckVersion, NoAnswerWithinTheTimeOutKeepsEventsFlowing)
{
    LocalServer server({200, "VER. 9.999", true});
    ASSERT_TRUE(server.listening());
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(20);

    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(cf::Check_Version(server.target(300)));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(server.request().isEmpty());
    // Timers and painting go on while the query waits.
    EXPECT_GE(ticks, 5);
}

TEST(CheckVersion, NothingListening)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    cf::VersionServer target;
    target.host = QStringLiteral("127.0.0.1");
    target.port = port;
    target.timeoutMs = 2000;
    EXPECT_FALSE(cf::Check_Version(target));
    EXPECT_FALSE(cf::httpGet(QUrl(), 100).has_value());
}

} // namespace
