#include "app/Cli.h"
#include "app/Paths.h"
#include "editors/CanopenTables.h"
#include "platform/FileReplace.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QSaveFile>

namespace {

using cf::CanopenFile;
using cf::CanopenTables;
using cf::xml::LoadResult;

const CanopenFile kFiles[] = {CanopenFile::SdoServer, CanopenFile::SdoClient, CanopenFile::Pdo};

QString fileName(CanopenFile file)
{
    return cf::canopenLayout(file).fileName;
}

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

TEST(CanopenFile, LoadAndSaveWithoutEditsGivesTheSameBytes)
{
    for (CanopenFile file : kFiles) {
        SCOPED_TRACE(fileName(file).toStdString());
        const QString source = cf::test::fixture(QStringLiteral("canopen/valid/") + fileName(file));
        const QByteArray original = cf::test::readFile(source);
        ASSERT_FALSE(original.isEmpty());
        CanopenTables tables(file);
        ASSERT_EQ(cf::Load_Canopen_File(source, tables).status, LoadResult::Status::Loaded);

        cf::test::TempExeDir dir;
        QString error;
        ASSERT_TRUE(cf::Save_Canopen_File(dir.file(fileName(file)), tables, &error))
            << error.toStdString();
        EXPECT_EQ(dir.read(fileName(file)), original);
    }
}

TEST(CanopenFile, WritesRootCommentBothSectionsAndAttributesInColumnOrder)
{
    CanopenTables tables(CanopenFile::SdoServer);
    cf::CanopenTable &read = tables.table(0);
    read.setRow(1, {QStringLiteral("0x2000"), QStringLiteral("1"), QStringLiteral("1"),
                    QStringLiteral("7"), QStringLiteral("abc"), QString(), QString(),
                    QStringLiteral(" a<b>\"c\" ")});
    read.setRow(2, {QStringLiteral("  "), QStringLiteral("2")});
    read.setRow(3, {QStringLiteral("0x2002"), QStringLiteral("3")});
    EXPECT_EQ(cf::canopenFileBytes(tables),
              bytes("<DeviceNet_Master_to_SDO_CANopen><SDO_Read>"
                    "<row Index=\"0x2000\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"7\" "
                    "Address_B2=\"abc\" Address_B3=\"\" Address_B4=\"\" "
                    "Mnemonic=\" a&lt;b&gt;&quot;c&quot; \"/>"
                    "</SDO_Read><SDO_Write/></DeviceNet_Master_to_SDO_CANopen>"
                    "<!--SW_VERSION = 1.000-->"));

    CanopenTables pdo(CanopenFile::Pdo);
    pdo.table(1).setRow(1, {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")});
    pdo.table(1).setCell(1, 12, QStringLiteral("Y"));
    EXPECT_EQ(cf::canopenFileBytes(pdo),
              bytes("<DeviceNet_Master_to_PDO><Receive_PDO/><Transmit_PDO>"
                    "<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" "
                    "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" "
                    "Address_B7=\"\" Address_B8=\"\" Send_Time=\"\" On_Change=\"Y\" Mnemonic=\"\"/>"
                    "</Transmit_PDO></DeviceNet_Master_to_PDO><!--SW_VERSION = 1.000-->"));

    CanopenTables client(CanopenFile::SdoClient);
    client.table(0).setCell(1, 1, QStringLiteral("1"));
    EXPECT_EQ(cf::canopenFileBytes(client),
              bytes("<DeviceNet_Master_to_SDO_CANopen><SDO_Read>"
                    "<row Device_ID=\"1\" Index=\"\" SubIndex=\"\" NByte=\"\" Poll_Time=\"\" "
                    "Address_B1=\"\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>"
                    "</SDO_Read><SDO_Write/></DeviceNet_Master_to_SDO_CANopen>"
                    "<!--SW_VERSION = 1.000-->"));
}

TEST(CanopenFile, AFullTableIsSavedWholeAndReadsBack)
{
    for (CanopenFile file : kFiles) {
        SCOPED_TRACE(fileName(file).toStdString());
        CanopenTables tables(file);
        for (int page = 0; page < 2; ++page) {
            cf::CanopenTable &table = tables.table(page);
            for (int r = 1; r <= table.rowCount(); ++r)
                for (int c = 1; c <= table.dataColumns(); ++c)
                    table.setCell(r, c, QStringLiteral("%1.%2.%3").arg(page).arg(r).arg(c));
        }
        cf::test::TempExeDir dir;
        QString error;
        ASSERT_TRUE(cf::Save_Canopen_File(dir.file(fileName(file)), tables, &error));
        CanopenTables back(file);
        ASSERT_TRUE(cf::Load_Canopen_File(dir.file(fileName(file)), back).loaded());
        for (int page = 0; page < 2; ++page) {
            EXPECT_EQ(back.table(page).savedRuleCount(), back.table(page).rowCount());
            EXPECT_EQ(back.table(page).rows(), tables.table(page).rows());
        }
    }
}

TEST(CanopenFile, CharactersXmlCannotCarryAreLeftOut)
{
    CanopenTables tables(CanopenFile::Pdo);
    tables.table(0).setCell(1, 1, QStringLiteral("1"));
    tables.table(0).setCell(1, 12, QString::fromUtf16(u"a\u0001b\tc\u00B0\U0001F600"));
    const QByteArray written = cf::canopenFileBytes(tables);
    CanopenTables back(CanopenFile::Pdo);
    const LoadResult parsed = cf::loadCanopenBytes(written, QStringLiteral("PDO_CANopen.xml"), back);
    ASSERT_TRUE(parsed.loaded()) << parsed.error.toStdString();
    EXPECT_EQ(back.table(0).cell(1, 12), QString::fromUtf16(u"ab\tc\u00B0\U0001F600"));
}

struct LoadCase {
    const char *name;
    CanopenFile file;
    const char *xml;
    // Expected cells "page:row:column=text"; every other cell must be empty.
    std::vector<const char *> cells;
};

class CanopenLoading : public ::testing::TestWithParam<LoadCase> {};

TEST_P(CanopenLoading, LoadsWhatIsThereAndLeavesTheRestEmpty)
{
    const LoadCase &c = GetParam();
    CanopenTables tables(c.file);
    // Leftovers of an earlier showing must not survive the reset.
    tables.table(0).setCell(2, 2, QStringLiteral("old"));
    tables.table(1).setCell(30, 3, QStringLiteral("old"));
    tables.NByte_OUT = 3;
    cf::test::TempExeDir dir;
    dir.write(fileName(c.file), QByteArray(c.xml));
    ASSERT_EQ(cf::Load_Canopen_File(dir.file(fileName(c.file)), tables).status,
              LoadResult::Status::Loaded);
    EXPECT_EQ(tables.NByte_OUT, 1500);

    CanopenTables expected(c.file);
    for (const char *cell : c.cells) {
        const QString s = QString::fromUtf8(cell);
        const QStringList where = s.section(u'=', 0, 0).split(u':');
        expected.table(where[0].toInt()).setCell(where[1].toInt(), where[2].toInt(), s.section(u'=', 1));
    }
    for (int page = 0; page < 2; ++page) {
        for (int r = 1; r <= tables.table(page).rowCount(); ++r) {
            for (int col = 1; col <= tables.table(page).dataColumns(); ++col)
                EXPECT_EQ(tables.table(page).cell(r, col), expected.table(page).cell(r, col))
                    << page << ":" << r << ":" << col;
        }
    }
}

const LoadCase kLoadCases[] = {
    {"MissingReadSection", CanopenFile::SdoServer,
     "<DeviceNet_Master_to_SDO_CANopen><SDO_Write><row Index=\"0x2000\" Mnemonic=\"w\"/></SDO_Write>"
     "</DeviceNet_Master_to_SDO_CANopen>",
     {"1:1:1=0x2000", "1:1:8=w"}},
    {"NoSectionsAtAll", CanopenFile::SdoClient, "<DeviceNet_Master_to_SDO_CANopen/>", {}},
    {"AttributesByNameInAnyOrderUnknownOnesIgnored", CanopenFile::SdoClient,
     "<X><SDO_Write><row Mnemonic=\"m\" On_Change=\"Y\" Extra=\"e\" Device_ID=\" 3 \"/></SDO_Write>"
     "<SDO_Read><row Poll_Time=\"\" Address_B4=\"9\"/></SDO_Read></X>",
     {"1:1:11=m", "1:1:6=Y", "1:1:1= 3 ", "0:1:9=9"}},
    {"CommentsAndTextBetweenRowsAreNotRows", CanopenFile::Pdo,
     "<!-- lead --><DeviceNet_Master_to_PDO><Receive_PDO><!-- c -->\n  <row COB-ID=\"1\"/>\n"
     "  <entry COB-ID=\"2\"/></Receive_PDO><Transmit_PDO/></DeviceNet_Master_to_PDO><!--SW_VERSION = 1.000-->",
     {"0:1:1=1", "0:2:1=2"}},
    {"EntitiesAndReferencesAreDecoded", CanopenFile::Pdo,
     "<DeviceNet_Master_to_PDO><Transmit_PDO><row COB-ID=\"&#x31;\" Mnemonic=\"a&amp;b&#10;c\"/>"
     "</Transmit_PDO></DeviceNet_Master_to_PDO>",
     {"1:1:1=1", "1:1:13=a&b\nc"}},
};

INSTANTIATE_TEST_SUITE_P(Canopen, CanopenLoading, ::testing::ValuesIn(kLoadCases),
                         [](const auto &p) { return std::string(p.param.name); });

TEST(CanopenFile, RowsBeyondTheTableAreNeitherLoadedNorWrittenBack)
{
    for (CanopenFile file : kFiles) {
        SCOPED_TRACE(fileName(file).toStdString());
        const cf::CanopenLayout &layout = cf::canopenLayout(file);
        const int rows = layout.tables[1].ruleRows;
        QByteArray xml = "<R><" + layout.tables[1].section.toUtf8() + ">";
        for (int r = 1; r <= rows + 2; ++r)
            xml += "<row " + layout.tables[1].columns[1].attribute.toUtf8() + "=\""
                   + QByteArray::number(r) + "\"/>";
        xml += "</" + layout.tables[1].section.toUtf8() + "></R>";
        cf::test::TempExeDir dir;
        dir.write(layout.fileName, xml);
        CanopenTables tables(file);
        ASSERT_TRUE(cf::Load_Canopen_File(dir.file(layout.fileName), tables).loaded());
        EXPECT_EQ(tables.table(1).cell(rows, 1), QString::number(rows));
        EXPECT_EQ(tables.table(1).savedRuleCount(), rows);
        const QByteArray written = cf::canopenFileBytes(tables);
        EXPECT_EQ(written.count("<row "), rows);
        EXPECT_FALSE(written.contains("=\"" + QByteArray::number(rows + 1) + "\""));
    }
}

TEST(CanopenFile, MissingFileGivesEmptyTablesAndMalformedGivesTheParserMessage)
{
    cf::test::TempExeDir dir;
    CanopenTables tables(CanopenFile::SdoServer);
    tables.table(0).setCell(1, 1, QStringLiteral("0x2000"));
    EXPECT_EQ(cf::Load_Canopen_File(dir.file(QStringLiteral("SDO_Server_CANopen.xml")), tables).status,
              LoadResult::Status::Missing);
    EXPECT_EQ(tables.table(0).savedRuleCount(), 0);

    dir.write(QStringLiteral("SDO_Server_CANopen.xml"), "<R><SDO_Read><row Index=\"1\"></SDO_Read></R>");
    const LoadResult bad = cf::Load_Canopen_File(dir.file(QStringLiteral("SDO_Server_CANopen.xml")), tables);
    EXPECT_EQ(bad.status, LoadResult::Status::Malformed);
    EXPECT_TRUE(bad.error.startsWith(dir.file(QStringLiteral("SDO_Server_CANopen.xml")) + QStringLiteral(": line 1, column ")))
        << bad.error.toStdString();
}

cf::test::CliRun runCheck(const QString &folder)
{
    return cf::test::runCli({QStringLiteral("check"), folder});
}

TEST(CanopenCheck, ReportsEachFileAsItsDialogWould)
{
    const cf::test::CliRun valid = runCheck(cf::test::fixture(QStringLiteral("canopen/valid")));
    EXPECT_EQ(valid.code, 0) << valid.err.toStdString();
    EXPECT_EQ(valid.out, QStringLiteral("SDO_Server_CANopen.xml: OK\n"
                                        "SDO_Client_CANopen.xml: OK\n"
                                        "PDO_CANopen.xml: OK\n"));

    const cf::test::CliRun invalid = runCheck(cf::test::fixture(QStringLiteral("canopen/invalid")));
    EXPECT_EQ(invalid.code, 1);
    EXPECT_EQ(invalid.out,
              QStringLiteral("SDO_Server_CANopen.xml: Error row 2!! [SDO in Write] Index must be "
                             "different from 0x7000 to 0x701D and from 0x7050 to 0x706D\n"
                             "SDO_Client_CANopen.xml: Error row 1!! [SDO Read] Poll Time must be "
                             "between 1 and 100000000\n"
                             "PDO_CANopen.xml: Error row 1!! [Transmit PDO] Address Byte2 must be "
                             "between 0 and 1499\n"));
}

TEST(CanopenCheck, NotWellFormedFileEndsWithTheParserMessage)
{
    const QString folder = cf::test::fixture(QStringLiteral("canopen/malformed"));
    const cf::test::CliRun r = runCheck(folder);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, QStringLiteral("SDO_Server_CANopen.xml: OK\n"));
    EXPECT_TRUE(r.err.startsWith(cf::joinPath(folder, QStringLiteral("PDO_CANopen.xml"))
                                 + QStringLiteral(": line ")))
        << r.err.toStdString();
}

} // namespace
