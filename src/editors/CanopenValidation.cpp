#include "app/TextToInt.h"
#include "editors/CanopenTables.h"
#include "lang/LanguageTexts.h"

namespace cf {

namespace {

// The checks of one rule row; each returns the row's error text when its rule fails.
class RowCheck {
public:
    RowCheck(const LanguageTexts &texts, int errorRow, const CanopenTable &table, int row)
        : m_texts(texts), m_errorRow(errorRow), m_table(table), m_row(row)
    {
    }

    // Text that is not a whole integer counts as -1 and so fails every range.
    int value(int column) const { return textToInt(m_table.cell(m_row, column), -1); }

    QString message(int text, const QString &suffix = QString()) const
    {
        return m_texts[m_errorRow] + QString::number(m_row) + m_texts[text] + suffix;
    }

    std::optional<QString> range(int column, int min, int max, int text) const
    {
        const int v = value(column);
        if (v < min || v > max)
            return message(text);
        return std::nullopt;
    }

    // A byte position of the data area; the message ends with the last valid position.
    std::optional<QString> position(int column, int bound, int text) const
    {
        const int v = value(column);
        if (v < 0 || v > bound - 1)
            return message(text, QString::number(bound - 1));
        return std::nullopt;
    }

private:
    const LanguageTexts &m_texts;
    int m_errorRow;
    const CanopenTable &m_table;
    int m_row;
};

using RowValidator = std::optional<QString> (*)(const RowCheck &check, int page, int bound);

std::optional<QString> sdoServerRow(const RowCheck &check, int page, int bound)
{
    const int m = page == 0 ? 749 : 757; // the read table's texts, then the write table's
    const int index = check.value(1);
    if (index < 0x2000 || index > 0x7FFF)
        return check.message(m);
    if ((index >= 0x7000 && index <= 0x701D) || (index >= 0x7050 && index <= 0x706D))
        return check.message(m + 1);
    if (auto e = check.range(2, 0, 255, m + 2))
        return e;
    const int nByte = check.value(3);
    if (nByte != 1 && nByte != 2 && nByte != 4)
        return check.message(m + 3);
    if (auto e = check.position(4, bound, m + 4))
        return e;
    if (nByte == 2 || nByte == 4) {
        if (auto e = check.position(5, bound, m + 5))
            return e;
    }
    if (nByte == 4) {
        if (auto e = check.position(6, bound, m + 6))
            return e;
        if (auto e = check.position(7, bound, m + 7))
            return e;
    }
    return std::nullopt;
}

std::optional<QString> sdoClientRow(const RowCheck &check, int page, int bound)
{
    const bool write = page == 1;
    const int m = write ? 870 : 861;
    if (auto e = check.range(1, 1, 127, m))
        return e;
    if (auto e = check.range(2, 0x1000, 0xFFFF, m + 1))
        return e;
    if (auto e = check.range(3, 0, 255, m + 2))
        return e;
    const int nByte = check.value(4);
    if (nByte != 1 && nByte != 2 && nByte != 4)
        return check.message(m + 3);
    // A write request may be sent on data change only, so its period may be 0.
    if (auto e = check.range(5, write ? 0 : 1, 100000000, m + 4))
        return e;
    const int firstByte = write ? 7 : 6; // the write table has On_Change before the bytes
    if (auto e = check.position(firstByte, bound, m + 5))
        return e;
    if (nByte == 2 || nByte == 4) {
        if (auto e = check.position(firstByte + 1, bound, m + 6))
            return e;
    }
    if (nByte == 4) {
        if (auto e = check.position(firstByte + 2, bound, m + 7))
            return e;
        if (auto e = check.position(firstByte + 3, bound, m + 8))
            return e;
    }
    return std::nullopt;
}

std::optional<QString> pdoRow(const RowCheck &check, int page, int bound)
{
    const int m = page == 0 ? 969 : 980;
    if (auto e = check.range(1, 0, 0x7FF, m))
        return e;
    const int dimension = check.value(2);
    if (dimension < 1 || dimension > 8)
        return check.message(m + 1);
    for (int k = 1; k <= dimension; ++k) {
        if (auto e = check.position(2 + k, bound, m + 1 + k))
            return e;
    }
    return check.range(11, 0, 100000000, m + 10);
}

} // namespace

std::optional<QString> Controllo_dati(const CanopenTables &tables, const LanguageTexts &texts)
{
    const CanopenLayout &layout = tables.layout();
    RowValidator validator = pdoRow;
    if (layout.file == CanopenFile::SdoServer)
        validator = sdoServerRow;
    else if (layout.file == CanopenFile::SdoClient)
        validator = sdoClientRow;
    for (int page = 0; page < 2; ++page) {
        const CanopenTable &table = tables.table(page);
        const int bound = page == 0 ? tables.NByte_IN : tables.NByte_OUT;
        const int examined = table.savedRuleCount();
        for (int row = 1; row <= examined; ++row) {
            const RowCheck check(texts, layout.texts.errorRow, table, row);
            if (auto e = validator(check, page, bound))
                return e;
        }
    }
    return std::nullopt;
}

FileCheck checkCanopenFile(CanopenFile file, const QString &filePath, const LanguageTexts &texts)
{
    CanopenTables tables(file);
    const xml::LoadResult loaded = Load_Canopen_File(filePath, tables);
    if (loaded.failed())
        return FileCheck::malformed(loaded.error);
    if (const auto error = Controllo_dati(tables, texts))
        return FileCheck::failed(*error);
    return FileCheck::ok();
}

FileCheck checkSdoServerFile(const QString &, const QString &filePath, const LanguageTexts &texts)
{
    return checkCanopenFile(CanopenFile::SdoServer, filePath, texts);
}

FileCheck checkSdoClientFile(const QString &, const QString &filePath, const LanguageTexts &texts)
{
    return checkCanopenFile(CanopenFile::SdoClient, filePath, texts);
}

FileCheck checkPdoFile(const QString &, const QString &filePath, const LanguageTexts &texts)
{
    return checkCanopenFile(CanopenFile::Pdo, filePath, texts);
}

} // namespace cf
