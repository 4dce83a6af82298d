#include <gtest/gtest.h>

#include "update/ReachabilityTest.h"

#include <QList>

namespace {

using Status = cf::EchoOutcome::Status;

// Answers from a script on a virtual clock: a reply takes 1 ms, silence the whole
// 400 ms receive time-out. When the script runs out, the last entry repeats.
class ScriptedEcho : public cf::EchoClient {
public:
    ScriptedEcho(qint64 &now, QList<cf::EchoOutcome> script) : m_now(now), m_script(std::move(script)) {}

    cf::EchoOutcome echo(const QString &host, const std::function<void(int)> &) override
    {
        hosts.append(host);
        const cf::EchoOutcome o = m_script.size() > 1 ? m_script.takeFirst() : m_script.first();
        m_now += o.status == Status::TimedOut ? 400 : 1;
        return o;
    }
    QStringList hosts;

private:
    qint64 &m_now;
    QList<cf::EchoOutcome> m_script;
};

cf::EchoOutcome reply(int bytes = 1024) { return {Status::Replied, bytes, {}}; }
cf::EchoOutcome silence() { return {Status::TimedOut, 0, {}}; }
cf::EchoOutcome error() { return {Status::Failed, 0, QStringLiteral("cannot open an ICMP socket")}; }

struct PingCase {
    const char *name;
    QList<cf::EchoOutcome> script;
    bool answered;
    int pingRes;
    int attempts;      // -1: not checked exactly
    qint64 minElapsed; // virtual milliseconds the test took, at least
    qint64 maxElapsed;
};

TEST(SendPing, AttemptLogic)
{
    const PingCase cases[] = {
        {"two replies confirm at once", {reply()}, true, 1, 2, 0, 100},
        {"silent device costs about five seconds", {silence()}, false, 2, -1, 5000, 5500},
        {"answers once then falls silent", {reply(), silence()}, false, 2, -1, 5000, 5500},
        {"silent at first, then two replies", {silence(), silence(), reply(), reply()}, true, 1, 4, 800, 900},
        {"replies need not follow each other", {reply(), silence(), reply()}, true, 1, 3, 400, 500},
        {"an empty reply is no answer", {reply(0)}, false, 2, -1, 5000, 5500},
        {"an error before any outcome", {error()}, false, 0, 1, 0, 10},
        {"an error keeps the earlier outcome", {reply(), error()}, false, 1, 2, 0, 50},
        {"silence then an error", {silence(), error()}, false, 2, 2, 400, 450},
    };
    for (const PingCase &c : cases) {
        SCOPED_TRACE(c.name);
        qint64 now = 1000;
        ScriptedEcho echo(now, c.script);
        QList<int> waits;
        cf::ReachabilityTest test(
            echo, [&](int ms) { waits.append(ms); now += ms; }, [&] { return now; });
        const qint64 started = now;
        EXPECT_EQ(test.Send_Ping(QStringLiteral("127.0.0.1")), c.answered);
        EXPECT_EQ(test.ping_res(), c.pingRes);
        if (c.attempts >= 0) {
            EXPECT_EQ(test.attempts(), c.attempts);
        }
        EXPECT_GE(now - started, c.minElapsed);
        EXPECT_LE(now - started, c.maxElapsed);
        for (int ms : waits)
            EXPECT_EQ(ms, 10);
        EXPECT_EQ(echo.hosts.size(), test.attempts());
        EXPECT_TRUE(echo.hosts.isEmpty() || echo.hosts.first() == QStringLiteral("127.0.0.1"));
    }
}

TEST(SendPing, EachTestStartsWithoutAnOutcome)
{
    qint64 now = 0;
    ScriptedEcho answering(now, {reply()});
    cf::ReachabilityTest test(answering, [&](int ms) { now += ms; }, [&] { return now; });
    ASSERT_TRUE(test.Send_Ping(QStringLiteral("127.0.0.1")));
    ASSERT_EQ(test.ping_res(), 1);

    ScriptedEcho broken(now, {error()});
    test.setClient(broken);
    EXPECT_FALSE(test.Send_Ping(QStringLiteral("127.0.0.1")));
    EXPECT_EQ(test.ping_res(), 0);
    EXPECT_FALSE(test.lastError().isEmpty());
}

// A reply that arrives between checks is awaited in 10 ms steps for at most 400 ms.
TEST(SendPing, WaitsForTheAttemptWhileNoOutcomeArrived)
{
    qint64 now = 0;
    int echoes = 0;
    struct Late : cf::EchoClient {
        qint64 &now;
        int &echoes;
        Late(qint64 &n, int &e) : now(n), echoes(e) {}
        cf::EchoOutcome echo(const QString &, const std::function<void(int)> &) override
        {
            ++echoes;
            return reply();
        }
    } late(now, echoes);
    cf::ReachabilityTest test(late, [&](int ms) { now += ms; }, [&] { return now; });
    EXPECT_TRUE(test.Send_Ping(QStringLiteral("127.0.0.1")));
    EXPECT_EQ(echoes, 2);
    EXPECT_EQ(now, 20); // one step after each answered attempt
}

} // namespace
