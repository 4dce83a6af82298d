#pragma once

#include "editors/FileCheck.h"
#include "editors/RuleTableModel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace cf {

class LanguageTexts;

namespace snmp {

inline constexpr int kRuleRows = 512;
inline constexpr int kColumns = 16;
inline constexpr int kPositionCap = 496;
inline constexpr int kMaxNumBytes = 255; // one byte in the image
inline constexpr int kMaxTime = 100000000;

enum Column {
    ColNumber, ColEnable, ColIpAddress, ColVersion, ColCommunity, ColOid, ColType, ColMode,
    ColOnChange, ColOnCommand, ColOnTimer, ColTime, ColPosition, ColNumBytes, ColConvertFrom,
    ColMnemonic
};

// Attribute names of columns 1..15, in column order.
const QStringList &attributeNames();
// LanguageTexts indices of the column headers (0..15) and of the header hints (1..15).
const QList<int> &headerTextIndices();
const QList<int> &hintTextIndices();

std::unique_ptr<RuleTableModel> makeTable(QObject *parent = nullptr);

// EtherNet/IP sizes as the dialog reads them from ParGen.xml.
struct DataSizes {
    int app_NB_IN = kPositionCap;
    int app_NB_OUT = kPositionCap;
};
// Missing file, element or integer: 496 each. Not well-formed or unreadable: the error.
struct DataSizesResult {
    DataSizes sizes;
    std::optional<QString> error;
};
DataSizesResult Read_Data_Sizes(const QString &parGenPath);
QStringList positionChoices(const DataSizes &sizes);

// Row number, "Y", then empty cells.
void resetTable(RuleTableModel &table);
// Fills rows from the file's first 512 child elements; a missing file leaves the table.
// Returns the parser's (or reader's) message when the file cannot be used.
std::optional<QString> loadFile(const QString &path, RuleTableModel &table);

// What opening the dialog does to the table: reset, Position list, file. The error
// means the dialog does not open.
std::optional<QString> openTable(const QString &parGenPath, const QString &snmpPath,
                                 RuleTableModel &table);

// Controllo_dati: the text of the first failing rule, nullopt when all pass.
std::optional<QString> Controllo_dati(const RuleTableModel &table, const LanguageTexts &texts);

// Rows up to the first empty IP Address.
int savedRowCount(const RuleTableModel &table);
// Empty, with the reason in `error`, when a cell cannot be saved.
QByteArray fileBytes(const RuleTableModel &table, QString *error = nullptr);
bool saveFile(const QString &path, const RuleTableModel &table, QString *error);

// The `check` entry for SNMP_Manager.xml.
FileCheck checkFile(const QString &projectDir, const QString &filePath, const LanguageTexts &texts);

} // namespace snmp
} // namespace cf
