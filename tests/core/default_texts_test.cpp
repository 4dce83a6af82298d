#include <gtest/gtest.h>

#include "lang/DefaultTexts.h"

#include <string>

namespace {

struct Range {
    int first;
    int last;
};

// Index ranges whose entries carry a text; language files rely on this layout.
constexpr Range kTextRanges[] = {
    {0, 36},    {100, 110}, {200, 207}, {300, 321},   {400, 550},   {600, 659},
    {700, 767}, {800, 879}, {900, 991}, {1000, 1037}, {1100, 1104},
};

bool inTextRange(int index)
{
    for (const Range &r : kTextRanges) {
        if (index >= r.first && index <= r.last)
            return true;
    }
    return false;
}

TEST(DefaultTexts, LayoutOfTextsAndPlaceholders)
{
    const QStringList &texts = cf::defaultEnglishTexts();
    ASSERT_EQ(texts.size(), 1200);

    int withText = 0;
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        if (inTextRange(i)) {
            EXPECT_FALSE(texts.at(i).trimmed().isEmpty());
        } else {
            EXPECT_EQ(texts.at(i).toStdString(), " ");
        }
        if (texts.at(i) != QStringLiteral(" "))
            ++withText;
    }
    EXPECT_EQ(withText, 572);
}

TEST(DefaultTexts, ExactWording)
{
    struct Case {
        int index;
        const char16_t *text;
    };
    // Trailing blanks are concatenated with values at run time and odd
    // spellings are what existing language files translate.
    const Case cases[] = {
        {9, u"None Configuration Opened "},
        {11, u"Opened Configuration of the Converter : "},
        {18, u"Error! Project not Valid"},
        {28, u"Open an exists configuration"},
        {202, u"List of Avaliable Configurations"},
        {306, u" / "},
        {404, u" SNMP Manager "},
        {533, u"Insert the communication Port to use with the EtherNet/IP protocol (defaul = 44818)"},
        {549, u"Error EtherNet/IP!! Number Byte Input must be between 0 and "},
        {640, u"!! OID string can contains only number and \".\""},
        {646, u"!! Number bytes must be between 0 and 255"},
        {758, u"!! [SDO in Write] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
        {810, u"N\u00B0"},
        {948, u"Insert the Index of Byte where put the FOurth byte of Receive PDO"},
        {1037, u"Error!!! Check the Ip Address"},
        {1104, u"Error! Please set the Set Communication Parameter before to create the GSD file"},
    };

    const QStringList &texts = cf::defaultEnglishTexts();
    ASSERT_EQ(texts.size(), 1200);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(texts.at(c.index).toStdString(), QString::fromUtf16(c.text).toStdString());
    }
}

} // namespace
