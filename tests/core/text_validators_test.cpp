#include "editors/TextValidators.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitIpAddress, ValidatesAndSplits)
{
    struct Case {
        const char *text;
        bool invalid;
        std::array<int, 4> bytes;
    };
    const Case cases[] = {
        {"10.0.0.1", false, {10, 0, 0, 1}},
        {"192.168.1.125", false, {192, 168, 1, 125}},
        {"192.168.0.256", true, {192, 168, 0, 0}},
        {"192.168.0", true, {192, 168, 0, 0}},
        {"192.168.0.1.5", true, {192, 168, 0, 0}},
        {"192..0.1", true, {192, 0, 0, 1}},
        {"a.b.c.d", true, {0, 0, 0, 0}},
        {"-1.2.3.4", true, {0, 2, 3, 4}},
        {"0x0A.0.0.1", false, {10, 0, 0, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        std::array<int, 4> bytes{7, 7, 7, 7};
        EXPECT_EQ(cf::Split_IP_Address(QString::fromLatin1(c.text), bytes), c.invalid);
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST(SplitIpAddress, EmptyTextLeavesTheBytesUntouched)
{
    std::array<int, 4> bytes{1, 2, 3, 4};
    EXPECT_TRUE(cf::Split_IP_Address(QString(), bytes));
    EXPECT_EQ(bytes, (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(CheckOidString, GivesTheFirstFailingRule)
{
    struct Case {
        QString text;
        int code;
    };
    const Case cases[] = {
        {QStringLiteral("1.3.6.1.2.1.1.5.0"), 0},
        {QStringLiteral(".1.3"), 3},
        {QStringLiteral("1.3."), 4},
        {QStringLiteral("1..3"), 5},
        {QStringLiteral("1.3.65536"), 6},
        {QStringLiteral("1.3.65535"), 0},
        {QStringLiteral("1.3.a"), 2},
        {QStringLiteral("1.3.99999999999999999999"), 6},
        {QStringLiteral("1").repeated(64), 6},
        {QStringLiteral("1.").repeated(32).chopped(1) + QStringLiteral("1"), 0},
        {QStringLiteral("1.").repeated(33), 1},
        {QStringLiteral(".a"), 2},
        {QString(), cf::kOidEmpty},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(cf::Check_OID_String(c.text), c.code);
    }
}

} // namespace
