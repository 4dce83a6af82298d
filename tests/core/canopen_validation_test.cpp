#include "editors/CanopenTables.h"
#include "lang/LanguageTexts.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using cf::CanopenFile;
using cf::CanopenTables;

using Cells = std::vector<std::pair<const char *, const char *>>;

int columnOf(const cf::CanopenTableLayout &layout, const char *attribute)
{
    for (int c = 1; c < layout.columnCount(); ++c) {
        if (layout.columns.at(c).attribute == QLatin1String(attribute))
            return c;
    }
    ADD_FAILURE() << "no column " << attribute;
    return 1;
}

void fillRow(CanopenTables &tables, int page, int row, const Cells &cells)
{
    cf::CanopenTable &table = tables.table(page);
    for (const auto &[attribute, text] : cells)
        table.setCell(row, columnOf(table.layout(), attribute), QString::fromUtf8(text));
}

// A row that passes every rule of its table.
Cells validRow(CanopenFile file, int page)
{
    switch (file) {
    case CanopenFile::SdoServer:
        return {{"Index", "0x2000"}, {"SubIndex", "0"},     {"NByte", "4"},
                {"Address_B1", "0"}, {"Address_B2", "1"},   {"Address_B3", "2"},
                {"Address_B4", "3"}, {"Mnemonic", "valid"}};
    case CanopenFile::SdoClient: {
        Cells cells = {{"Device_ID", "1"},  {"Index", "0x1000"},   {"SubIndex", "0"},
                       {"NByte", "4"},      {"Poll_Time", "100"},  {"Address_B1", "0"},
                       {"Address_B2", "1"}, {"Address_B3", "2"},   {"Address_B4", "3"}};
        if (page == 1)
            cells.push_back({"On_Change", "Y"});
        return cells;
    }
    case CanopenFile::Pdo:
        break;
    }
    Cells cells = {{"COB-ID", "0x181"},  {"Dimension", "8"},  {"Address_B1", "0"},
                   {"Address_B2", "1"},  {"Address_B3", "2"}, {"Address_B4", "3"},
                   {"Address_B5", "4"},  {"Address_B6", "5"}, {"Address_B7", "6"},
                   {"Address_B8", "7"}};
    cells.push_back(page == 0 ? std::pair{"TimeOut", "100"} : std::pair{"Send_Time", "100"});
    return cells;
}

struct RowCase {
    CanopenFile file;
    int page;         // 0 the first table, 1 the second
    Cells changes;    // laid over a valid row 2 (row 1 is valid too)
    const char *expected; // nullptr: validation passes
};

void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << "file " << int(c.file) << " page " << c.page << ":";
    for (const auto &[a, t] : c.changes)
        *os << " " << a << "=" << t;
}

class CanopenRowRules : public ::testing::TestWithParam<RowCase> {};

TEST_P(CanopenRowRules, FirstFailingRuleGivesItsMessage)
{
    const RowCase &c = GetParam();
    CanopenTables tables(c.file);
    for (int page = 0; page < 2; ++page)
        fillRow(tables, page, 1, validRow(c.file, page));
    fillRow(tables, c.page, 2, validRow(c.file, c.page));
    fillRow(tables, c.page, 2, c.changes);
    const auto error = cf::Controllo_dati(tables, cf::LanguageTexts());
    if (c.expected)
        EXPECT_EQ(error.value_or(QStringLiteral("<passed>")), QString::fromUtf8(c.expected));
    else
        EXPECT_FALSE(error.has_value()) << error->toStdString();
}

constexpr auto S = CanopenFile::SdoServer;
constexpr auto C = CanopenFile::SdoClient;
constexpr auto P = CanopenFile::Pdo;

const RowCase kSdoServerCases[] = {
    // Index range and the two reserved ranges, read then write.
    {S, 0, {{"Index", "0x6FFF"}}, nullptr},
    {S, 0, {{"Index", "0x701E"}}, nullptr},
    {S, 0, {{"Index", "0x704F"}}, nullptr},
    {S, 0, {{"Index", "0x706E"}}, nullptr},
    {S, 0, {{"Index", "0x7FFF"}}, nullptr},
    {S, 0, {{"Index", "8192"}}, nullptr},
    {S, 0, {{"Index", "$2000"}}, nullptr},
    {S, 0, {{"Index", "0x7000"}}, "Error row 2!! [SDO in Read] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 0, {{"Index", "0x701D"}}, "Error row 2!! [SDO in Read] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 0, {{"Index", "0x7050"}}, "Error row 2!! [SDO in Read] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 0, {{"Index", "0x706D"}}, "Error row 2!! [SDO in Read] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 1, {{"Index", "0x7000"}}, "Error row 2!! [SDO in Write] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 1, {{"Index", "0x706D"}}, "Error row 2!! [SDO in Write] Index must be different from 0x7000 to 0x701D and from 0x7050 to 0x706D"},
    {S, 0, {{"Index", "0x1FFF"}}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x7FFF"},
    {S, 0, {{"Index", "0x8000"}}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x7FFF"},
    {S, 0, {{"Index", "0x20 00"}}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x7FFF"},
    {S, 1, {{"Index", "0x1FFF"}}, "Error row 2!! [SDO in Write] Index must be between 0x2000 and 0x7FFF"},
    {S, 1, {{"Index", "0x8000"}}, "Error row 2!! [SDO in Write] Index must be between 0x2000 and 0x7FFF"},
    // SubIndex and N Byte.
    {S, 0, {{"SubIndex", "255"}}, nullptr},
    {S, 0, {{"SubIndex", "256"}}, "Error row 2!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
    {S, 1, {{"SubIndex", "-1"}}, "Error row 2!! [SDO in Write] SubIndex must be between 0x00 and 0xFF"},
    {S, 0, {{"NByte", "3"}}, "Error row 2!! [SDO in Read] N Byte must be 1 or 2 or 4"},
    {S, 1, {{"NByte", "3"}}, "Error row 2!! [SDO in Write] N Byte must be 1 or 2 or 4"},
    {S, 1, {{"NByte", ""}}, "Error row 2!! [SDO in Write] N Byte must be 1 or 2 or 4"},
    // The first failing rule wins.
    {S, 0, {{"Index", "0x8000"}, {"SubIndex", "999"}}, "Error row 2!! [SDO in Read] Index must be between 0x2000 and 0x7FFF"},
    {S, 0, {{"NByte", "3"}, {"Address_B1", "5000"}}, "Error row 2!! [SDO in Read] N Byte must be 1 or 2 or 4"},
    // Byte positions: bound 1500, only the bytes of the object's size are examined.
    {S, 0, {{"Address_B1", "1499"}, {"Address_B4", "1499"}}, nullptr},
    {S, 0, {{"Address_B1", "1500"}}, "Error row 2!! [SDO in Read] Address Byte1 must be between 0 and 1499"},
    {S, 0, {{"Address_B1", "-1"}}, "Error row 2!! [SDO in Read] Address Byte1 must be between 0 and 1499"},
    {S, 1, {{"Address_B1", "1500"}}, "Error row 2!! [SDO in Write] Address Byte1 must be between 0 and 1499"},
    {S, 0, {{"NByte", "1"}, {"Address_B2", "abc"}, {"Address_B3", "abc"}, {"Address_B4", "abc"}}, nullptr},
    {S, 0, {{"NByte", "2"}, {"Address_B2", "abc"}}, "Error row 2!! [SDO in Read] Address Byte2 must be between 0 and 1499"},
    {S, 1, {{"NByte", "2"}, {"Address_B2", "1500"}}, "Error row 2!! [SDO in Write] Address Byte2 must be between 0 and 1499"},
    {S, 0, {{"NByte", "2"}, {"Address_B3", "abc"}, {"Address_B4", ""}}, nullptr},
    {S, 0, {{"Address_B3", "1500"}}, "Error row 2!! [SDO in Read] Address Byte3 must be between 0 and 1499"},
    {S, 0, {{"Address_B4", ""}}, "Error row 2!! [SDO in Read] Address Byte4 must be between 0 and 1499"},
    {S, 1, {{"Address_B3", "x"}}, "Error row 2!! [SDO in Write] Address Byte3 must be between 0 and 1499"},
    {S, 1, {{"Address_B4", "1500"}}, "Error row 2!! [SDO in Write] Address Byte4 must be between 0 and 1499"},
    {S, 0, {{"Mnemonic", "<anything & all>"}}, nullptr},
};

const RowCase kSdoClientCases[] = {
    {C, 0, {{"Device_ID", "127"}}, nullptr},
    {C, 0, {{"Device_ID", "0"}}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
    {C, 0, {{"Device_ID", "128"}}, "Error row 2!! [SDO Read] Device ID must be between 1 and 127"},
    {C, 1, {{"Device_ID", "0"}}, "Error row 2!! [SDO Write] Device ID must be between 1 and 127"},
    {C, 1, {{"Device_ID", "128"}}, "Error row 2!! [SDO Write] Device ID must be between 1 and 127"},
    {C, 0, {{"Index", "0x0FFF"}}, "Error row 2!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
    {C, 0, {{"Index", "65535"}}, nullptr},
    {C, 0, {{"Index", "0x10000"}}, "Error row 2!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
    {C, 1, {{"Index", "0x0FFF"}}, "Error row 2!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
    {C, 1, {{"Index", "0xFFFF"}}, nullptr},
    {C, 0, {{"SubIndex", "256"}}, "Error row 2!! [SDO Read] SubIndex must be between 0x00 and 0xFF"},
    {C, 1, {{"SubIndex", "0x100"}}, "Error row 2!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
    {C, 0, {{"NByte", "3"}}, "Error row 2!! [SDO Read] N Byte must be 1 or 2 or 4"},
    {C, 1, {{"NByte", "8"}}, "Error row 2!! [SDO Write] N Byte must be 1 or 2 or 4"},
    // Poll Time 0 only in the write table.
    {C, 0, {{"Poll_Time", "0"}}, "Error row 2!! [SDO Read] Poll Time must be between 1 and 100000000"},
    {C, 1, {{"Poll_Time", "0"}}, nullptr},
    {C, 0, {{"Poll_Time", "100000000"}}, nullptr},
    {C, 0, {{"Poll_Time", "100000001"}}, "Error row 2!! [SDO Read] Poll Time must be between 1 and 100000000"},
    {C, 1, {{"Poll_Time", "100000001"}}, "Error row 2!! [SDO Write] Poll Time must be between 0 and 100000000"},
    {C, 1, {{"Poll_Time", "-1"}}, "Error row 2!! [SDO Write] Poll Time must be between 0 and 100000000"},
    // Byte positions; the write table's are after On_Change, which is not validated.
    {C, 0, {{"Address_B1", "1500"}}, "Error row 2!! [SDO Read] Address Byte1 must be between 0 and 1499"},
    {C, 1, {{"Address_B1", "1500"}}, "Error row 2!! [SDO Write] Address Byte1 must be between 0 and 1499"},
    {C, 1, {{"On_Change", "maybe"}, {"Mnemonic", "&"}}, nullptr},
    {C, 0, {{"NByte", "2"}, {"Address_B2", "1500"}}, "Error row 2!! [SDO Read] Address Byte2 must be between 0 and 1499"},
    {C, 1, {{"NByte", "2"}, {"Address_B2", "x"}}, "Error row 2!! [SDO Write] Address Byte2 must be between 0 and 1499"},
    {C, 1, {{"NByte", "2"}, {"Address_B3", "x"}, {"Address_B4", "x"}}, nullptr},
    {C, 0, {{"NByte", "1"}, {"Address_B2", "x"}}, nullptr},
    {C, 0, {{"Address_B3", "1500"}}, "Error row 2!! [SDO Read] Address Byte3 must be between 0 and 1499"},
    {C, 0, {{"Address_B4", "1500"}}, "Error row 2!! [SDO Read] Address Byte4 must be between 0 and 1499"},
    {C, 1, {{"Address_B3", "1500"}}, "Error row 2!! [SDO Write] Address Byte3 must be between 0 and 1499"},
    {C, 1, {{"Address_B4", "1499"}}, nullptr},
    {C, 1, {{"Address_B4", "1500"}}, "Error row 2!! [SDO Write] Address Byte4 must be between 0 and 1499"},
};

const RowCase kPdoCases[] = {
    {P, 0, {{"COB-ID", "0"}}, nullptr},
    {P, 0, {{"COB-ID", "0x7FF"}}, nullptr},
    {P, 0, {{"COB-ID", "0x800"}}, "Error row 2!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF"},
    {P, 1, {{"COB-ID", "0x800"}}, "Error row 2!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
    {P, 1, {{"COB-ID", "2047"}}, nullptr},
    {P, 0, {{"Dimension", "0"}}, "Error row 2!! [Receive PDO] Dimension must be between 1 and 8"},
    {P, 0, {{"Dimension", "9"}}, "Error row 2!! [Receive PDO] Dimension must be between 1 and 8"},
    {P, 1, {{"Dimension", "0"}}, "Error row 2!! [Transmit PDO] Dimension must be between 1 and 8"},
    {P, 1, {{"Dimension", "9"}}, "Error row 2!! [Transmit PDO] Dimension must be between 1 and 8"},
    // Dimension 2: bytes 3 to 8 are never examined.
    {P, 0, {{"Dimension", "2"}, {"Address_B1", "5"}, {"Address_B2", "1500"}}, "Error row 2!! [Receive PDO] Address Byte2 must be between 0 and 1499"},
    {P, 1, {{"Dimension", "2"}, {"Address_B1", "5"}, {"Address_B2", "1500"}}, "Error row 2!! [Transmit PDO] Address Byte2 must be between 0 and 1499"},
    {P, 0, {{"Dimension", "2"}, {"Address_B3", "x"}, {"Address_B8", "9999"}}, nullptr},
    {P, 0, {{"Dimension", "1"}, {"Address_B1", "1500"}}, "Error row 2!! [Receive PDO] Address Byte1 must be between 0 and 1499"},
    {P, 0, {{"Address_B5", "1500"}}, "Error row 2!! [Receive PDO] Address Byte5 must be between 0 and 1499"},
    {P, 0, {{"Address_B8", "1500"}}, "Error row 2!! [Receive PDO] Address Byte8 must be between 0 and 1499"},
    {P, 1, {{"Address_B7", ""}}, "Error row 2!! [Transmit PDO] Address Byte7 must be between 0 and 1499"},
    {P, 1, {{"Address_B8", "1500"}}, "Error row 2!! [Transmit PDO] Address Byte8 must be between 0 and 1499"},
    {P, 1, {{"Address_B8", "1499"}}, nullptr},
    // Times: 0 disables, so it passes; the bytes come before the time.
    {P, 0, {{"TimeOut", "0"}}, nullptr},
    {P, 1, {{"Send_Time", "0"}}, nullptr},
    {P, 0, {{"TimeOut", "100000001"}}, "Error row 2!! [Receive PDO] TimeOut must be between 0 and 100000000"},
    {P, 1, {{"Send_Time", "-1"}}, "Error row 2!! [Transmit PDO] Send Time must be between 0 and 100000000"},
    {P, 1, {{"Send_Time", ""}, {"Address_B1", "1500"}}, "Error row 2!! [Transmit PDO] Address Byte1 must be between 0 and 1499"},
    {P, 1, {{"On_Change", ""}, {"Mnemonic", "x"}}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(SdoServer, CanopenRowRules, ::testing::ValuesIn(kSdoServerCases));
INSTANTIATE_TEST_SUITE_P(SdoClient, CanopenRowRules, ::testing::ValuesIn(kSdoClientCases));
INSTANTIATE_TEST_SUITE_P(Pdo, CanopenRowRules, ::testing::ValuesIn(kPdoCases));

const CanopenFile kFiles[] = {S, C, P};

TEST(CanopenValidation, RowsAfterTheFirstEmptyKeyAreNotExamined)
{
    for (CanopenFile file : kFiles) {
        for (int page = 0; page < 2; ++page) {
            SCOPED_TRACE(testing::Message() << "file " << int(file) << " page " << page);
            CanopenTables tables(file);
            fillRow(tables, page, 1, validRow(file, page));
            tables.table(page).setCell(2, 1, QStringLiteral("   "));
            tables.table(page).setCell(2, 2, QStringLiteral("garbage"));
            tables.table(page).setCell(3, 1, QStringLiteral("99999"));
            EXPECT_FALSE(cf::Controllo_dati(tables, cf::LanguageTexts()).has_value());
        }
    }
}

TEST(CanopenValidation, FirstTableIsExaminedBeforeTheSecond)
{
    CanopenTables tables(CanopenFile::Pdo);
    fillRow(tables, 1, 1, {{"COB-ID", "0x900"}});
    fillRow(tables, 0, 1, validRow(CanopenFile::Pdo, 0));
    fillRow(tables, 0, 2, {{"COB-ID", "1"}, {"Dimension", "0"}});
    EXPECT_EQ(cf::Controllo_dati(tables, cf::LanguageTexts()),
              QStringLiteral("Error row 2!! [Receive PDO] Dimension must be between 1 and 8"));
}

TEST(CanopenValidation, EveryRowOfAFullTableIsExamined)
{
    for (CanopenFile file : kFiles) {
        SCOPED_TRACE(int(file));
        CanopenTables tables(file);
        cf::CanopenTable &table = tables.table(1);
        for (int row = 1; row <= table.rowCount(); ++row)
            fillRow(tables, 1, row, validRow(file, 1));
        EXPECT_FALSE(cf::Controllo_dati(tables, cf::LanguageTexts()).has_value());
        table.setCell(table.rowCount(), 1, QStringLiteral("-5"));
        const auto error = cf::Controllo_dati(tables, cf::LanguageTexts());
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->startsWith(QStringLiteral("Error row %1!! [").arg(table.rowCount())))
            << error->toStdString();
    }
}

TEST(CanopenValidation, EachTableIsBoundedByItsOwnDirection)
{
    struct Case {
        int nByteIn, nByteOut, page;
        const char *position;
        const char *expected;
    };
    const Case cases[] = {
        {1500, 10, 0, "10", nullptr},
        {1500, 10, 1, "10", "Error row 1!! [SDO in Write] Address Byte1 must be between 0 and 9"},
        {1500, 10, 1, "9", nullptr},
        {20, 1500, 0, "20", "Error row 1!! [SDO in Read] Address Byte1 must be between 0 and 19"},
        {20, 1500, 1, "20", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.nByteIn << "/" << c.nByteOut << " page " << c.page);
        CanopenTables tables(CanopenFile::SdoServer);
        tables.NByte_IN = c.nByteIn;
        tables.NByte_OUT = c.nByteOut;
        fillRow(tables, c.page, 1, validRow(CanopenFile::SdoServer, c.page));
        fillRow(tables, c.page, 1, {{"NByte", "1"}, {"Address_B1", c.position}});
        const auto error = cf::Controllo_dati(tables, cf::LanguageTexts());
        if (c.expected)
            EXPECT_EQ(error, QString::fromUtf8(c.expected));
        else
            EXPECT_FALSE(error.has_value());
    }
}

TEST(CanopenValidation, MessagesFollowTheLoadedLanguage)
{
    cf::LanguageTexts texts;
    texts.loadLangBytes(QByteArray("\xEF\xBB\xBF"
                                   "STR968 = Riga \xC2\xB6\n"
                                   "STR970 = \xC2\xB6 Dimensione errata\n"));
    CanopenTables tables(CanopenFile::Pdo);
    fillRow(tables, 0, 1, {{"COB-ID", "1"}, {"Dimension", "0"}});
    EXPECT_EQ(cf::Controllo_dati(tables, texts), QStringLiteral("Riga 1 Dimensione errata"));
}

TEST(CanopenLayout, HeadersAndHintsNameRealTexts)
{
    const cf::LanguageTexts texts;
    for (CanopenFile file : kFiles) {
        const cf::CanopenLayout &layout = cf::canopenLayout(file);
        for (const cf::CanopenTableLayout &table : layout.tables) {
            SCOPED_TRACE(table.section.toStdString() + " of " + layout.fileName.toStdString());
            EXPECT_FALSE(texts[table.pageText].trimmed().isEmpty());
            EXPECT_EQ(table.columns.at(0).hintText, -1);
            for (int c = 0; c < table.columnCount(); ++c) {
                const cf::CanopenColumn &column = table.columns.at(c);
                EXPECT_FALSE(texts[column.headerText].trimmed().isEmpty()) << c;
                if (c > 0) {
                    EXPECT_FALSE(texts[column.hintText].trimmed().isEmpty()) << c;
                    EXPECT_FALSE(column.attribute.isEmpty()) << c;
                }
                // The check boxes are exactly the On_Change columns.
                EXPECT_EQ(column.editor == cf::CanopenColumn::Editor::CheckBox,
                          column.attribute == QStringLiteral("On_Change")) << c;
            }
        }
        for (int index : {layout.texts.caption, layout.texts.copyRow, layout.texts.pasteRowHint,
                          layout.texts.deleteConfirm})
            EXPECT_FALSE(texts[index].trimmed().isEmpty()) << index;
        EXPECT_EQ(texts[layout.texts.errorRow], QStringLiteral("Error row "));
    }
}

} // namespace
