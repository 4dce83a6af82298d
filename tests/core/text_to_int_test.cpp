#include "app/TextToInt.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

struct Case {
    const char *text;
    int expected; // -99 is the fallback
};

TEST(TextToInt, ConvertsTheWholeTextOrGivesTheFallback)
{
    const Case cases[] = {
        {"0", 0},
        {"44818", 44818},
        {"   12", 12},
        {"+7", 7},
        {"-1", -1},
        {"2147483647", 2147483647},
        {"-2147483648", int(-2147483647 - 1)},
        {"2147483648", -99},
        {"-2147483649", -99},
        {"99999999999999999999", -99},
        {"$1F", 31},
        {"0x1f", 31},
        {"0X1F", 31},
        {"x10", 16},
        {"X10", 16},
        {"-$10", -16},
        {"0xFFFFFFFF", -1},
        {"0x80000181", int(0x80000181u)},
        {"0x100000000", -99},
        {"", -99},
        {"   ", -99},
        {"-", -99},
        {"$", -99},
        {"0x", -99},
        {"12 ", -99},
        {"1 2", -99},
        {"12a", -99},
        {"1.5", -99},
        {"0x1G", -99},
        {"--1", -99},
        {"\t12", -99},
        {"yes", -99},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cf::textToInt(QString::fromLatin1(c.text), -99), c.expected);
    }
}

} // namespace
