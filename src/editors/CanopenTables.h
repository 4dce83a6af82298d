#pragma once

#include "app/XmlFile.h"
#include "editors/FileCheck.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace cf {

class LanguageTexts;

// One grid column of a CANopen table. Column 0 is the row number: no attribute, no hint.
struct CanopenColumn {
    enum class Editor { PlainText, FixedList, ListWithText, CheckBox };

    int headerText = -1;   // LanguageTexts index of the caption
    int width = 0;         // pixels
    int hintText = -1;     // LanguageTexts index of the header hint, -1 for none
    Editor editor = Editor::PlainText;
    QStringList choices;   // entries of the two list editors, empty otherwise
    QString attribute;     // XML attribute of the `row` element, empty for column 0
};

// One page of a CANopen dialog: its grid and the XML section that keeps it.
struct CanopenTableLayout {
    QString pageName;      // TS_SDO_Read ...
    QString gridName;      // sga / sgb
    int pageText = -1;     // LanguageTexts index of the page caption
    QString section;       // child of the root holding the rows
    int ruleRows = 0;      // fixed number of rule rows
    QList<CanopenColumn> columns; // columns[0] is the row number

    // The column whose empty (trimmed) cell ends the rules that are validated and saved.
    static constexpr int keyColumn = 1;

    int columnCount() const { return int(columns.size()); }
    int dataColumns() const { return columnCount() - 1; }
};

enum class CanopenFile { SdoServer, SdoClient, Pdo };

// LanguageTexts indices of a dialog's own captions, hints and messages.
struct CanopenDialogTexts {
    int caption = -1;
    int description = -1;
    int ok = -1, cancel = -1, deleteRow = -1, insertRow = -1, copyRow = -1, pasteRow = -1;
    int okHint = -1, cancelHint = -1, deleteRowHint = -1, insertRowHint = -1, copyRowHint = -1,
        pasteRowHint = -1;
    int deleteConfirm = -1; // followed by the row number
    int errorRow = -1;      // "Error row ", followed by the row number and the rule's text
};

struct CanopenLayout {
    CanopenFile file = CanopenFile::SdoServer;
    QString fileName;      // in the configuration folder
    QString rootName;
    std::array<CanopenTableLayout, 2> tables; // first page (sga), second page (sgb)
    // The SDO server dialog has one copied flag for both tables; the others one per table,
    // where a copy in one table clears the other's flag.
    bool sharedCopyFlag = false;
    std::array<QString, 2> copyFlagNames; // Do_Copy / Do_Copy_Read, Do_Copy_Write ...
    CanopenDialogTexts texts;
    int clientWidth = 798;
    int clientHeight = 337;
};

const CanopenLayout &canopenLayout(CanopenFile file);

// Size of the internal data area in each direction when a dialog is shown: byte positions 0 to 1499.
inline constexpr int kCanopenDataBytes = 1500;

// The rule rows of one table. Rows and data columns are numbered as in the grid, from 1;
// each row is stored as the texts of data columns 1 to the last (the row number is not stored).
class CanopenTable {
public:
    explicit CanopenTable(const CanopenTableLayout &layout);

    const CanopenTableLayout &layout() const { return *m_layout; }
    int rowCount() const { return int(m_rows.size()); }
    int dataColumns() const { return m_layout->dataColumns(); }

    const QString &cell(int row, int column) const { return m_rows.at(row - 1).at(column - 1); }
    void setCell(int row, int column, const QString &text) { m_rows[row - 1][column - 1] = text; }
    const QStringList &row(int row) const { return m_rows.at(row - 1); }
    // Texts beyond the data columns are dropped, missing ones become empty.
    void setRow(int row, const QStringList &texts);

    // rows()[k - 1] is rule row k, always dataColumns() texts long.
    const QList<QStringList> &rows() const { return m_rows; }
    QList<QStringList> &rows() { return m_rows; }

    // Every cell empty, as at each showing of the dialog.
    void clear();
    // Rows from row 1 up to, not including, the first whose key cell is empty after trimming.
    int savedRuleCount() const;

private:
    const CanopenTableLayout *m_layout;
    QList<QStringList> m_rows;
};

// The state a CANopen dialog edits: its two tables and the data-area sizes that bound them.
class CanopenTables {
public:
    explicit CanopenTables(CanopenFile file);

    const CanopenLayout &layout() const { return *m_layout; }
    CanopenTable &table(int page) { return m_tables.at(page); }
    const CanopenTable &table(int page) const { return m_tables.at(page); }

    // FormShow's reset: empty tables, NByte_IN and NByte_OUT back to 1500.
    void reset();

    int NByte_IN = kCanopenDataBytes;  // bounds the first table's byte positions
    int NByte_OUT = kCanopenDataBytes; // bounds the second table's

private:
    const CanopenLayout *m_layout;
    std::array<CanopenTable, 2> m_tables;
};

// Fills the tables from a file's bytes, streamed: each section by name (the first of that
// name), its k-th element child is row k, attributes by name. Missing sections and attributes
// leave their cells as they are; rows beyond the table are ignored. Not well-formed: Malformed
// with the parser's message, and the tables are reset.
xml::LoadResult loadCanopenBytes(const QByteArray &bytes, const QString &nameForMessages, CanopenTables &tables);

// FormShow: reset, then the file when it exists. A missing file leaves both tables empty;
// an unreadable or not well-formed one is returned as such (error text for the general error box).
xml::LoadResult Load_Canopen_File(const QString &path, CanopenTables &tables);

// The OK validation: first table then second, row by row; the text of the first failure.
std::optional<QString> Controllo_dati(const CanopenTables &tables, const LanguageTexts &texts);

// The file as the dialog writes it: root, the version comment, both sections, each with its
// saved rules and every attribute in column order with the cell's text.
QByteArray canopenFileBytes(const CanopenTables &tables);

// Writes canopenFileBytes() over the file; on failure error names the file.
bool Save_Canopen_File(const QString &path, const CanopenTables &tables, QString *error);

// `configurator-cli check`: load as the dialog does, then its OK validation.
FileCheck checkCanopenFile(CanopenFile file, const QString &filePath, const LanguageTexts &texts);
FileCheck checkSdoServerFile(const QString &projectDir, const QString &filePath,
                             const LanguageTexts &texts);
FileCheck checkSdoClientFile(const QString &projectDir, const QString &filePath,
                             const LanguageTexts &texts);
FileCheck checkPdoFile(const QString &projectDir, const QString &filePath,
                       const LanguageTexts &texts);

} // namespace cf
