#pragma once

#include "platform/IcmpEcho.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>

namespace cf {

// Send_Ping: does the device answer ICMP echoes? Two answered attempts confirm it;
// attempts go on for up to 5000 ms. The wait and the clock are injectable so tests
// can run the whole five seconds at once.
class ReachabilityTest {
public:
    using Wait = std::function<void(int)>;
    using Clock = std::function<qint64()>;

    static constexpr int kAttemptMs = 400;
    static constexpr int kTotalMs = 5000;
    static constexpr int kStepMs = 10;
    static constexpr int kAnswersNeeded = 2;

    // Without a clock the real monotonic time is used.
    ReachabilityTest(EchoClient &client, Wait wait, Clock clock = {});

    void setClient(EchoClient &client) { m_client = &client; }
    void setWait(Wait wait) { m_wait = std::move(wait); }
    void setClock(Clock clock);

    // True when the last attempt was answered. An error ends the test at once,
    // leaving ping_res as it was.
    bool Send_Ping(const QString &host);
    // The reply event: 1 when data came back, 2 when not.
    void PingReply(int bytesReceived) { m_pingRes = bytesReceived > 0 ? 1 : 2; }

    // 0 = no outcome yet (also after an error), 1 = a reply with data, 2 = none.
    int ping_res() const { return m_pingRes; }
    int attempts() const { return m_attempts; }
    const QString &lastError() const { return m_lastError; }

private:
    EchoClient *m_client;
    Wait m_wait;
    Clock m_clock;
    QElapsedTimer m_elapsed;
    int m_pingRes = 0;
    int m_attempts = 0;
    QString m_lastError;
};

} // namespace cf
