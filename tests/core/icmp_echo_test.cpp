#include <gtest/gtest.h>

#include "platform/IcmpEcho.h"

namespace {

using Kind = cf::IcmpEcho::SocketKind;

// Only the loopback address is ever pinged here.
const QString kLoopback = QStringLiteral("127.0.0.1");

class LoopbackEcho : public ::testing::TestWithParam<Kind> {};

TEST_P(LoopbackEcho, AnswersWithTheDataSent)
{
    cf::IcmpEcho echo(GetParam());
    int waits = 0;
    const cf::EchoOutcome first = echo.echo(kLoopback, [&](int) { ++waits; });
    if (first.status == cf::EchoOutcome::Status::Failed
        && first.error.startsWith(QStringLiteral("cannot open")))
        GTEST_SKIP() << "no ICMP socket of this kind can be opened here: " << first.error.toStdString();
    ASSERT_EQ(first.status, cf::EchoOutcome::Status::Replied) << first.error.toStdString();
    EXPECT_EQ(first.bytesReceived, cf::IcmpEcho::kDataBytes);
    if (GetParam() != Kind::Any) {
        EXPECT_EQ(echo.lastSocketKind(), GetParam());
    }

    // The next request has the next sequence number; its reply must still match.
    const cf::EchoOutcome second = echo.echo(kLoopback, {});
    EXPECT_EQ(second.status, cf::EchoOutcome::Status::Replied);
    EXPECT_EQ(second.bytesReceived, cf::IcmpEcho::kDataBytes);
}

INSTANTIATE_TEST_SUITE_P(SocketKinds, LoopbackEcho, ::testing::Values(Kind::Any, Kind::Datagram, Kind::Raw),
                         [](const ::testing::TestParamInfo<Kind> &kind) {
                             switch (kind.param) {
                             case Kind::Any: return std::string("Any");
                             case Kind::Datagram: return std::string("Datagram");
                             case Kind::Raw: return std::string("Raw");
                             }
                             return std::string();
                         });

TEST(IcmpEcho, EmptyHostIsAnError)
{
    cf::IcmpEcho echo;
    const cf::EchoOutcome o = echo.echo(QString(), {});
    EXPECT_EQ(o.status, cf::EchoOutcome::Status::Failed);
}

} // namespace
