#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Paths.h"
#include "editors/FileCheck.h"
#include "editors/RuleTableOps.h"
#include "editors/SnmpManagerTable.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"

#include <QRegularExpression>

namespace cf {
namespace {

using namespace snmp;

QByteArray parGen(const QByteArray &input, const QByteArray &output)
{
    return "<Par_Gen><EtherNetIP_NB_Input>" + input + "</EtherNetIP_NB_Input><EtherNetIP_NB_Output>" + output
           + "</EtherNetIP_NB_Output></Par_Gen><!--SW_VERSION = 1.000-->";
}

// A complete, valid row as the dialog writes it.
QStringList goodRow(const QString &ip = u"192.168.1.10"_qs)
{
    return {u"Y"_qs, ip,         u"2"_qs, u"Mireva"_qs, u"1.3.6.1.2.1.1.5.0"_qs, u"Int"_qs, u"Get"_qs, u"N"_qs,
            u"N"_qs, u"Y"_qs,    u"1000"_qs, u"4"_qs,  u"2"_qs, u"None"_qs, u"sysName"_qs};
}

class SnmpFiles : public ::testing::Test {
protected:
    std::optional<QString> open()
    {
        return openTable(dir.file(u"ParGen.xml"_qs), snmpPath(), *table);
    }
    QString snmpPath() const { return dir.file(u"SNMP_Manager.xml"_qs); }
    void writeSnmp(const QByteArray &rows)
    {
        dir.write(u"SNMP_Manager.xml"_qs, "<SNMP_Agent_Access>" + rows + "</SNMP_Agent_Access>");
    }

    test::TempExeDir dir;
    LanguageTexts texts;
    std::unique_ptr<RuleTableModel> table = makeTable();
};

TEST_F(SnmpFiles, NoFilesGiveNumberedEnabledRowsAndFullPositionList)
{
    ASSERT_FALSE(open());
    ASSERT_EQ(table->ruleRowCount(), 512);
    ASSERT_EQ(table->columnTotal(), 16);
    for (int r : {1, 2, 256, 512}) {
        SCOPED_TRACE(r);
        EXPECT_EQ(table->cell(r, ColNumber), QString::number(r));
        EXPECT_EQ(table->cell(r, ColEnable), u"Y"_qs);
        for (int c = ColIpAddress; c < kColumns; ++c)
            EXPECT_TRUE(table->cell(r, c).isEmpty()) << c;
    }
    const QStringList positions = table->column(ColPosition).choices;
    ASSERT_EQ(positions.size(), 496);
    EXPECT_EQ(positions.first(), u"0"_qs);
    EXPECT_EQ(positions.last(), u"495"_qs);
}

TEST_F(SnmpFiles, PositionListFromParGen)
{
    const struct { const char *name; QByteArray file; int count; } cases[] = {
        {"input 10, output 20", parGen("10", "20"), 20},
        {"input 20, output 10", parGen("20", "10"), 20},
        {"both 0", parGen("0", "0"), 0},
        {"capped at 496", parGen("600", "3"), 496},
        {"not an integer counts as 496", parGen("abc", "3"), 496},
        {"hexadecimal", parGen("0x10", "3"), 16},
        {"elements missing", "<Par_Gen/>", 496},
        {"one element missing", "<Par_Gen><EtherNetIP_NB_Input>8</EtherNetIP_NB_Input></Par_Gen>", 496},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(u"ParGen.xml"_qs, c.file);
        ASSERT_FALSE(open());
        const QStringList positions = table->column(ColPosition).choices;
        ASSERT_EQ(positions.size(), c.count);
        if (c.count > 0) {
            EXPECT_EQ(positions.last(), QString::number(c.count - 1));
        }
    }
}

TEST_F(SnmpFiles, SizesGoToTheOtherDirection)
{
    dir.write(u"ParGen.xml"_qs, parGen("10", "20"));
    const DataSizesResult r = Read_Data_Sizes(dir.file(u"ParGen.xml"_qs));
    EXPECT_EQ(r.sizes.app_NB_OUT, 10);
    EXPECT_EQ(r.sizes.app_NB_IN, 20);
}

TEST_F(SnmpFiles, MissingAttributesTakeTheirColumnDefaults)
{
    // Row 1 lacks On_Timer and ConvertFrom; row 2 lacks everything; a comment is no row.
    writeSnmp("<row Enable=\"N\" IP_Address=\"10.0.0.1\" On_Change=\"Y\" On_Command=\"\" Time=\"5\"/>"
              "<!-- note --><other/>");
    ASSERT_FALSE(open());
    EXPECT_EQ(table->cell(1, ColEnable), u"N"_qs);
    EXPECT_EQ(table->cell(1, ColOnChange), u"Y"_qs);
    EXPECT_EQ(table->cell(1, ColOnCommand), u""_qs);
    EXPECT_EQ(table->cell(1, ColOnTimer), u"N"_qs);
    EXPECT_EQ(table->cell(1, ColConvertFrom), u"None"_qs);
    EXPECT_EQ(table->cell(1, ColTime), u"5"_qs);
    EXPECT_EQ(table->cell(2, ColEnable), u"Y"_qs);
    EXPECT_EQ(table->cell(2, ColOnChange), u"N"_qs);
    EXPECT_EQ(table->cell(2, ColConvertFrom), u"None"_qs);
    EXPECT_EQ(table->cell(2, ColIpAddress), u""_qs);
    // Untouched by the file: the reset content.
    EXPECT_EQ(table->cell(3, ColOnTimer), u""_qs);
    EXPECT_EQ(table->cell(3, ColEnable), u"Y"_qs);
}

TEST_F(SnmpFiles, OnlyTheFirst512RowsLoadAndSave)
{
    QByteArray rows;
    for (int i = 1; i <= 520; ++i)
        rows += "<row IP_Address=\"10.0.0." + QByteArray::number(i % 250) + "\" Mnemonic=\"r" + QByteArray::number(i) + "\"/>";
    writeSnmp(rows);
    ASSERT_FALSE(open());
    EXPECT_EQ(table->cell(512, ColMnemonic), u"r512"_qs);
    EXPECT_EQ(savedRowCount(*table), 512);
    EXPECT_EQ(fileBytes(*table).count("<row "), 512);
}

TEST_F(SnmpFiles, NotWellFormedGivesTheParserMessageAndLeavesTheFile)
{
    const QByteArray broken = "<SNMP_Agent_Access><row Enable=\"Y\"></SNMP_Agent_Access>";
    dir.write(u"SNMP_Manager.xml"_qs, broken);
    const auto error = open();
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(u"SNMP_Manager.xml"_qs)) << error->toStdString();
    EXPECT_TRUE(error->contains(QRegularExpression(u"line 1, column \\d+"_qs))) << error->toStdString();
    EXPECT_EQ(dir.read(u"SNMP_Manager.xml"_qs), broken);

    dir.write(u"SNMP_Manager.xml"_qs, "<SNMP_Agent_Access/>");
    dir.write(u"ParGen.xml"_qs, "<Par_Gen>");
    const auto parGenError = open();
    ASSERT_TRUE(parGenError);
    EXPECT_TRUE(parGenError->contains(u"ParGen.xml"_qs));
}

struct ValidationCase {
    const char *name;
    int row;        // the row edited, after rows 1..row-1 were filled with good rows
    int col;
    QString text;
    int message;    // LanguageTexts index after "Error row N", -1 when it passes
};

TEST_F(SnmpFiles, ControlloDatiMessages)
{
    const ValidationCase cases[] = {
        {"good row", 1, ColMnemonic, u"x"_qs, -1},
        {"bad address", 2, ColIpAddress, u"192.168.0.256"_qs, 638},
        {"three parts", 1, ColIpAddress, u"192.168.0"_qs, 638},
        {"OID too long", 1, ColOid, QString(65, u'1'), 639},
        {"OID letter", 1, ColOid, u"1.3.a"_qs, 640},
        {"OID leading dot", 1, ColOid, u".1.3"_qs, 641},
        {"OID trailing dot", 1, ColOid, u"1.3."_qs, 642},
        {"OID two dots", 1, ColOid, u"1..3"_qs, 643},
        {"OID big arc", 3, ColOid, u"1.3.65536"_qs, 644},
        {"OID empty", 1, ColOid, u""_qs, 640},
        {"time 0 with OnTimer", 1, ColTime, u"0"_qs, 645},
        {"time 100000000", 1, ColTime, u"100000000"_qs, -1},
        {"time 100000001", 1, ColTime, u"100000001"_qs, 645},
        {"time empty with OnTimer", 1, ColTime, u""_qs, 645},
        {"num bytes 0", 1, ColNumBytes, u"0"_qs, -1},
        {"num bytes 255", 1, ColNumBytes, u"255"_qs, -1},
        {"num bytes 256", 1, ColNumBytes, u"256"_qs, 646},
        {"num bytes 1025", 1, ColNumBytes, u"1025"_qs, 646},
        {"num bytes empty", 1, ColNumBytes, u""_qs, 646},
        {"num bytes negative", 1, ColNumBytes, u"-1"_qs, 646},
        {"conversion blank", 1, ColConvertFrom, u"  "_qs, 656},
        {"Enable with blanks still counts", 1, ColEnable, u" Y "_qs, -1},
        {"disabled row with a bad address", 1, ColEnable, u"N"_qs, -1},
        {"not a choice is not validated", 1, ColPosition, u"9999"_qs, -1},
    };
    for (const ValidationCase &c : cases) {
        SCOPED_TRACE(c.name);
        resetTable(*table);
        for (int r = 1; r <= c.row; ++r)
            table->setRowTexts(r, goodRow());
        if (QString::fromLatin1(c.name).startsWith(u"disabled"_qs))
            table->setCell(c.row, ColIpAddress, u"300.1.1.1"_qs);
        table->setCell(c.row, c.col, c.text);
        const auto error = Controllo_dati(*table, texts);
        if (c.message < 0) {
            EXPECT_FALSE(error) << error->toStdString();
        } else {
            EXPECT_EQ(error.value_or(u"(passed)"_qs), texts[637] + QString::number(c.row) + texts[c.message]);
        }
    }
    EXPECT_EQ(texts[646], u"!! Number bytes must be between 0 and 255"_qs);
}

TEST_F(SnmpFiles, TimeIsFreeWithoutOnTimerAndModeGetNeedsNoTrigger)
{
    resetTable(*table);
    QStringList row = goodRow();
    row[ColOnTimer - 1] = u"N"_qs;
    row[ColTime - 1] = QString();
    row[ColMode - 1] = u"Get"_qs;
    table->setRowTexts(1, row);
    EXPECT_FALSE(Controllo_dati(*table, texts));
}

TEST_F(SnmpFiles, SavingStopsAtTheFirstEmptyAddress)
{
    ASSERT_FALSE(open());
    table->setRowTexts(1, goodRow());
    table->setRowTexts(2, goodRow(u"10.0.0.2"_qs));
    table->setRowTexts(3, goodRow(u"  "_qs));
    table->setRowTexts(4, goodRow(u"not an address"_qs));
    ASSERT_FALSE(Controllo_dati(*table, texts)); // row 4 is not examined
    QString error;
    ASSERT_TRUE(saveFile(snmpPath(), *table, &error)) << error.toStdString();
    EXPECT_EQ(dir.read(u"SNMP_Manager.xml"_qs).count("<row "), 2);
    ASSERT_FALSE(open());
    EXPECT_EQ(table->cell(2, ColIpAddress), u"10.0.0.2"_qs);
    EXPECT_EQ(table->cell(4, ColIpAddress), u""_qs);
}

TEST_F(SnmpFiles, ExactBytesOfASavedFile)
{
    resetTable(*table);
    QStringList row = goodRow(u"10.0.0.1"_qs);
    row[ColEnable - 1] = u"N"_qs;
    row[ColIpAddress - 1] = u"999.1.1.1"_qs; // disabled: written unchanged
    row[ColMnemonic - 1] = u" a&b <c> \"q\" "_qs;
    table->setRowTexts(1, row);
    Grid_Insert_Row(1, *table); // an inserted row: empty Enable, empty IP, so nothing is saved
    EXPECT_EQ(fileBytes(*table), QByteArray("<SNMP_Agent_Access/><!--SW_VERSION = 1.000-->"));
    table->setCell(1, ColIpAddress, u"10.0.0.9"_qs);
    ASSERT_FALSE(Controllo_dati(*table, texts)); // empty Enable: treated as disabled
    EXPECT_EQ(fileBytes(*table),
              QByteArray("<SNMP_Agent_Access>"
                         "<row Enable=\"\" IP_Address=\"10.0.0.9\" Version=\"\" Community_String=\"\" OID=\"\" "
                         "Type=\"\" Mode=\"\" On_Change=\"\" On_Command=\"\" On_Timer=\"\" Time=\"\" "
                         "Position=\"\" Number_Bytes=\"\" ConvertFrom=\"\" Mnemonic=\"\"/>"
                         "<row Enable=\"N\" IP_Address=\"999.1.1.1\" Version=\"2\" Community_String=\"Mireva\" "
                         "OID=\"1.3.6.1.2.1.1.5.0\" Type=\"Int\" Mode=\"Get\" On_Change=\"N\" On_Command=\"N\" "
                         "On_Timer=\"Y\" Time=\"1000\" Position=\"4\" Number_Bytes=\"2\" ConvertFrom=\"None\" "
                         "Mnemonic=\" a&amp;b &lt;c&gt; &quot;q&quot; \"/>"
                         "</SNMP_Agent_Access><!--SW_VERSION = 1.000-->"));
}

TEST_F(SnmpFiles, LoadAndSaveWithoutEditsGivesTheSameBytes)
{
    resetTable(*table);
    const QStringList oddTexts = {u" lead"_qs, u"trail "_qs, u"tab\there"_qs, u"line\nbreak"_qs,
                                  u"cr\rx"_qs, u"àé€ 漢字"_qs, u"'\"<&>"_qs, u""_qs};
    for (int r = 1; r <= 512; ++r) {
        QStringList row = goodRow(QStringLiteral("10.0.%1.%2").arg(r / 256).arg(r % 256));
        row[ColMnemonic - 1] = oddTexts.at(r % oddTexts.size());
        row[ColCommunity - 1] = oddTexts.at((r + 3) % oddTexts.size());
        table->setRowTexts(r, row);
    }
    QString error;
    ASSERT_TRUE(saveFile(snmpPath(), *table, &error));
    const QByteArray first = dir.read(u"SNMP_Manager.xml"_qs);

    auto again = makeTable();
    ASSERT_FALSE(openTable(dir.file(u"ParGen.xml"_qs), snmpPath(), *again));
    for (int r = 1; r <= 512; ++r)
        ASSERT_EQ(again->rowTexts(r), table->rowTexts(r)) << r;
    ASSERT_TRUE(saveFile(snmpPath(), *again, &error));
    EXPECT_EQ(dir.read(u"SNMP_Manager.xml"_qs), first);
}

TEST_F(SnmpFiles, CheckCommandUsesTheDialogsLoaderAndValidator)
{
    QString outText, errText;
    auto run = [&] {
        outText.clear();
        errText.clear();
        QTextStream out(&outText), err(&errText);
        return runCheckCommand({dir.path()}, out, err);
    };
    writeSnmp("<row IP_Address=\"10.0.0.1\" OID=\"1.3\" Number_Bytes=\"2\"/>");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(outText, u"SNMP_Manager.xml: OK\n"_qs);

    writeSnmp("<row IP_Address=\"10.0.0.1\" OID=\"1.3\" Number_Bytes=\"2\"/>"
              "<row IP_Address=\"10.0.0.2\" OID=\"1.3\" Number_Bytes=\"300\"/>");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(outText, u"SNMP_Manager.xml: Error row 2!! Number bytes must be between 0 and 255\n"_qs);

    dir.write(u"SNMP_Manager.xml"_qs, "<SNMP_Agent_Access>");
    EXPECT_EQ(run(), 2);
    EXPECT_TRUE(errText.contains(u"SNMP_Manager.xml: line"_qs)) << errText.toStdString();
}

} // namespace
} // namespace cf

namespace cf {
namespace {

TEST(SnmpSaving, ACharacterXmlCannotCarryIsRefusedBeforeWriting)
{
    // It would leave a file no reader can open again.
    test::TempExeDir dir;
    const QString path = dir.file(u"SNMP_Manager.xml"_qs);
    dir.write(u"SNMP_Manager.xml"_qs, "<SNMP_Agent_Access/>");
    auto table = snmp::makeTable();
    snmp::resetTable(*table);
    table->setCell(1, snmp::ColIpAddress, u"10.0.0.1"_qs);
    table->setCell(1, snmp::ColMnemonic, u"bell\u0007"_qs);
    QString error;
    EXPECT_FALSE(snmp::saveFile(path, *table, &error));
    EXPECT_TRUE(error.contains(u"SNMP_Manager.xml"_qs) && error.contains(u"row 1, Mnemonic"_qs))
        << error.toStdString();
    EXPECT_EQ(dir.read(u"SNMP_Manager.xml"_qs), QByteArray("<SNMP_Agent_Access/>"));
}

} // namespace
} // namespace cf
