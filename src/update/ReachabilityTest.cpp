#include "update/ReachabilityTest.h"

#include <QThread>

namespace cf {

ReachabilityTest::ReachabilityTest(EchoClient &client, Wait wait, Clock clock)
    : m_client(&client)
    , m_wait(std::move(wait))
{
    m_elapsed.start();
    setClock(std::move(clock));
}

void ReachabilityTest::setClock(Clock clock)
{
    if (clock)
        m_clock = std::move(clock);
    else
        m_clock = [this] { return m_elapsed.elapsed(); };
}

bool ReachabilityTest::Send_Ping(const QString &host)
{
    const Wait wait = m_wait ? m_wait : Wait([](int ms) { QThread::msleep(ulong(ms)); });
    m_pingRes = 0;
    m_attempts = 0;
    m_lastError.clear();
    const qint64 start = m_clock();
    int answered = 0;
    for (;;) {
        const qint64 attemptStart = m_clock();
        ++m_attempts;
        const EchoOutcome outcome = m_client->echo(host, wait);
        if (outcome.status == EchoOutcome::Status::Failed) {
            m_lastError = outcome.error;
            return false;
        }
        PingReply(outcome.status == EchoOutcome::Status::Replied ? outcome.bytesReceived : 0);
        do {
            wait(kStepMs);
        } while (m_pingRes == 0 && m_clock() - attemptStart <= kAttemptMs);
        if (m_pingRes == 1)
            ++answered;
        if (answered >= kAnswersNeeded || m_clock() - start > kTotalMs)
            break;
    }
    return m_pingRes == 1;
}

} // namespace cf
