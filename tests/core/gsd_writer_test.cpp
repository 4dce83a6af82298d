#include "devfiles/Gsd.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

namespace {

QStringList gsdLines(const cf::GsdSizes &sizes)
{
    const QByteArray bytes = cf::buildGsdText(sizes);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends with CR LF";
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

// The lines after the Module-Definition-List banner and its empty line.
QStringList moduleSection(const QStringList &lines)
{
    const qsizetype at = lines.indexOf(QRegularExpression(QStringLiteral("^;==== Module-Definition-List =+$")));
    return at < 0 ? QStringList{QStringLiteral("<no banner>")} : lines.mid(at + 3);
}

QString valueOf(const QStringList &lines, const QString &key)
{
    for (const QString &l : lines)
        if (l.startsWith(key))
            return l.mid(key.size());
    return QStringLiteral("<missing>");
}

TEST(GsdWriter, ExpectedFileForOneHundredInAndTenOut)
{
    cf::test::TempExeDir dir;
    const cf::LanguageTexts texts;
    const cf::GsdInput input = cf::readGsdSizes(cf::test::fixture(QStringLiteral("devfiles/gsd_100_10/ParGen.xml")), texts);
    ASSERT_EQ(input.status, cf::GsdInput::Status::Ok) << input.message.toStdString();
    EXPECT_EQ(input.sizes.I, 100);
    EXPECT_EQ(input.sizes.O, 10);
    ASSERT_FALSE(cf::Write_GSD_File(dir.file(QStringLiteral("out.gsd")), input.sizes, texts));
    const QStringList expected =
        QString::fromLatin1(cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_100_10.gsd"))))
            .split(QStringLiteral("\r\n"));
    const QStringList lines = QString::fromLatin1(dir.read(QStringLiteral("out.gsd"))).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i < std::min(lines.size(), expected.size()); ++i)
        ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(lines.size(), expected.size());
    EXPECT_EQ(dir.read(QStringLiteral("out.gsd")),
              cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_100_10.gsd"))));
}

TEST(GsdWriter, CommentBoxAndBannersHaveTheirWidths)
{
    const QStringList lines = gsdLines({});
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(lines[i].size(), 85) << "box line " << i;
    const struct { const char *title; int width; } banners[] = {
        {"Prm-Text-Def-List", 85}, {"Ext-User-Prm-Data-Def-List", 86}, {"General DP Keywords", 86},
        {"Supported baudrates", 79}, {"Slave specific values", 79}, {"User-Prm-Data", 79}, {"Modulstatus", 79},
        {"Module-Definition-List", 79}};
    for (const auto &b : banners) {
        SCOPED_TRACE(b.title);
        const qsizetype at = lines.indexOf(QRegularExpression(
            QStringLiteral("^;==== %1 =+$").arg(QRegularExpression::escape(QString::fromLatin1(b.title)))));
        ASSERT_GT(at, 0);
        EXPECT_EQ(lines[at].size(), b.width);
        EXPECT_EQ(lines[at - 1], QStringLiteral(";") + QString(b.width - 1, QLatin1Char('=')));
        EXPECT_EQ(lines[at + 1], lines[at - 1]);
        EXPECT_EQ(lines[at + 2], QString());
    }
}

struct SizeCase {
    int I, O;
    int maxModule;
    QStringList modules; // Module-Definition-List after the banner
};

TEST(GsdWriter, ModulesAndSlotsFollowTheSizes)
{
    const QString e;
    const SizeCase cases[] = {
        {0, 0, 0, {e, e, e, QStringLiteral("SlotDefinition"), QStringLiteral("EndSlotDefinition"), e, e, e, e}},
        {64, 0, 1,
         {QStringLiteral("Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01"), QStringLiteral("1"), QStringLiteral("EndModule"),
          e, e, e, QStringLiteral("SlotDefinition"), QStringLiteral("Slot(1) = \"Slot 1\" 1 1"),
          QStringLiteral("EndSlotDefinition"), e, e, e, e}},
        {100, 10, 3,
         {QStringLiteral("Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01"), QStringLiteral("1"), QStringLiteral("EndModule"),
          QStringLiteral("Module=\"DI  (PORT2)    \" 0x42,0x23,0x00,0x02"), QStringLiteral("2"), QStringLiteral("EndModule"),
          QStringLiteral("Module=\"DO  (PORT3)    \" 0x82,0x09,0x00,0x03"), QStringLiteral("3"), QStringLiteral("EndModule"),
          e, e, e, QStringLiteral("SlotDefinition"), QStringLiteral("Slot(1) = \"Slot 1\" 1 1"),
          QStringLiteral("Slot(2) = \"Slot 2\" 2 2"), QStringLiteral("Slot(3) = \"Slot 3\" 3 3"),
          QStringLiteral("EndSlotDefinition"), e, e, e, e}},
        {0, 1, 1,
         {QStringLiteral("Module=\"DO  (PORT1)    \" 0x82,0x00,0x00,0x01"), QStringLiteral("1"), QStringLiteral("EndModule"),
          e, e, e, QStringLiteral("SlotDefinition"), QStringLiteral("Slot(1) = \"Slot 1\" 1 1"),
          QStringLiteral("EndSlotDefinition"), e, e, e, e}},
    };
    for (const SizeCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "I=" << c.I << " O=" << c.O);
        const QStringList lines = gsdLines({c.I, c.O});
        EXPECT_EQ(valueOf(lines, QStringLiteral("Max_Module=")), QString::number(c.maxModule));
        EXPECT_EQ(valueOf(lines, QStringLiteral("Max_Input_Len=")), QString::number(c.I));
        EXPECT_EQ(valueOf(lines, QStringLiteral("Max_Output_Len=")), QString::number(c.O));
        EXPECT_EQ(valueOf(lines, QStringLiteral("Max_Data_Len=")), QString::number(c.I + c.O));
        EXPECT_EQ(moduleSection(lines), c.modules);
    }
}

TEST(GsdWriter, LargestSizesNumberEightModules)
{
    const QStringList modules = moduleSection(gsdLines({244, 244}));
    EXPECT_EQ(modules.filter(QStringLiteral("Module=")),
              QStringList({QStringLiteral("Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01"),
                           QStringLiteral("Module=\"DI  (PORT2)    \" 0x42,0x3F,0x00,0x02"),
                           QStringLiteral("Module=\"DI  (PORT3)    \" 0x42,0x3F,0x00,0x03"),
                           QStringLiteral("Module=\"DI  (PORT4)    \" 0x42,0x33,0x00,0x04"),
                           QStringLiteral("Module=\"DO  (PORT5)    \" 0x82,0x3F,0x00,0x05"),
                           QStringLiteral("Module=\"DO  (PORT6)    \" 0x82,0x3F,0x00,0x06"),
                           QStringLiteral("Module=\"DO  (PORT7)    \" 0x82,0x3F,0x00,0x07"),
                           QStringLiteral("Module=\"DO  (PORT8)    \" 0x82,0x33,0x00,0x08")}));
    EXPECT_TRUE(modules.contains(QStringLiteral("Slot(8) = \"Slot 8\" 8 8")));
}

struct ReadCase {
    const char *name;
    const char *parGen; // nullptr: no file
    cf::GsdInput::Status status;
    int I, O;
    const char *inMessage;
};

TEST(GsdWriter, ReadsTheSizesFromParGen)
{
    using S = cf::GsdInput::Status;
    const ReadCase cases[] = {
        {"no file", nullptr, S::MissingParGen, 0, 0,
         "Error! Please set the Set Communication Parameter before to create the GSD file"},
        {"both elements", "<Par_Gen><PROFIBUS_Slave_NB_IN>$10</PROFIBUS_Slave_NB_IN>"
                          "<PROFIBUS_Slave_NB_OUT> 244</PROFIBUS_Slave_NB_OUT></Par_Gen>",
         S::Ok, 244, 16, ""},
        {"root name not examined, elements missing", "<!--x--><Other><A>1</A></Other>", S::Ok, 0, 0, ""},
        {"text that is not a number", "<P><PROFIBUS_Slave_NB_IN>ten</PROFIBUS_Slave_NB_IN>"
                                      "<PROFIBUS_Slave_NB_OUT>12</PROFIBUS_Slave_NB_OUT></P>",
         S::Ok, 12, 0, ""},
        {"element with children", "<P><PROFIBUS_Slave_NB_OUT><x/></PROFIBUS_Slave_NB_OUT></P>", S::Ok, 0, 0, ""},
        {"not well-formed", "<P><PROFIBUS_Slave_NB_IN>", S::Malformed, 0, 0, "ParGen.xml: line"},
        {"input bytes above 244", "<P><PROFIBUS_Slave_NB_IN>245</PROFIBUS_Slave_NB_IN></P>", S::Refused, 0, 245,
         "Error PROFIBUS Slave!! Number Byte IN must be between 0 and 244 (ParGen.xml holds 245)"},
        {"output bytes below 0", "<P><PROFIBUS_Slave_NB_OUT>-1</PROFIBUS_Slave_NB_OUT></P>", S::Refused, -1, 0,
         "Error PROFIBUS Slave!! Number Byte Out must be between 0 and 244 (ParGen.xml holds -1)"},
        {"a size that would need three-digit module numbers",
         "<P><PROFIBUS_Slave_NB_OUT>0x7FFFFFFF</PROFIBUS_Slave_NB_OUT></P>", S::Refused, 0x7FFFFFFF, 0,
         "Number Byte Out"},
    };
    const cf::LanguageTexts texts;
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        cf::test::TempExeDir dir;
        if (c.parGen)
            dir.write(QStringLiteral("ParGen.xml"), c.parGen);
        const cf::GsdInput input = cf::readGsdSizes(dir.file(QStringLiteral("ParGen.xml")), texts);
        EXPECT_EQ(input.status, c.status);
        if (c.status == S::Ok || c.status == S::Refused) {
            EXPECT_EQ(input.sizes.I, c.I);
            EXPECT_EQ(input.sizes.O, c.O);
        }
        EXPECT_TRUE(input.message.contains(QString::fromLatin1(c.inMessage))) << input.message.toStdString();
    }
}

TEST(GsdWriter, RefusedSizesWriteNothing)
{
    cf::test::TempExeDir dir;
    const cf::LanguageTexts texts;
    for (const cf::GsdSizes sizes : {cf::GsdSizes{245, 0}, cf::GsdSizes{0, 245}, cf::GsdSizes{-1, 0}}) {
        SCOPED_TRACE(testing::Message() << sizes.I << "/" << sizes.O);
        const auto error = cf::Write_GSD_File(dir.file(QStringLiteral("out.gsd")), sizes, texts);
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->contains(QStringLiteral("between 0 and 244")));
        EXPECT_FALSE(dir.exists(QStringLiteral("out.gsd")));
    }
}

TEST(GsdFileName, AppendsTheSuffixUnlessTheNameEndsWithItsFirstOccurrence)
{
    const struct { const char *chosen; const char *result; } cases[] = {
        {"/p/Slave.gsd", "/p/Slave.gsd"},         {"/p/Slave.GSD", "/p/Slave.GSD"},
        {"/p/Slave.GsD", "/p/Slave.GsD"},         {"/p/Slave", "/p/Slave.gsd"},
        {"/p/Slave.txt", "/p/Slave.txt.gsd"},     {"/p/a.gsd.b", "/p/a.gsd.b.gsd"},
        {"/p/a.gsd.gsd", "/p/a.gsd.gsd.gsd"},     {"/p.gsd/Slave", "/p.gsd/Slave.gsd"},
        {"/p/gsd", "/p/gsd.gsd"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(cf::gsdFileName(QString::fromLatin1(c.chosen)), QString::fromLatin1(c.result));
    }
}

} // namespace
