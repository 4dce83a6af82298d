#include "editors/SnmpManagerTable.h"

#include "app/Paths.h"
#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "editors/RuleFile.h"
#include "editors/TextValidators.h"
#include "lang/LanguageTexts.h"
#include "platform/FileReplace.h"

#include <array>

namespace cf::snmp {

namespace {

QString y() { return RuleTableModel::checkedText(); }
QString n() { return RuleTableModel::uncheckedText(); }

QList<std::optional<QString>> whenMissing()
{
    QList<std::optional<QString>> m(kColumns - 1);
    m[ColEnable - 1] = y();
    m[ColOnChange - 1] = n();
    m[ColOnCommand - 1] = n();
    m[ColOnTimer - 1] = n();
    m[ColConvertFrom - 1] = QStringLiteral("None");
    return m;
}

int sizeFrom(const QDomElement &root, const QString &name)
{
    const auto text = xml::plainText(xml::childElement(root, name));
    return text ? textToInt(*text, kPositionCap) : kPositionCap;
}

QString rowError(const LanguageTexts &texts, int row, int rule)
{
    return texts[637] + QString::number(row) + texts[rule];
}

} // namespace

const QStringList &attributeNames()
{
    static const QStringList names = {
        QStringLiteral("Enable"), QStringLiteral("IP_Address"), QStringLiteral("Version"),
        QStringLiteral("Community_String"), QStringLiteral("OID"), QStringLiteral("Type"),
        QStringLiteral("Mode"), QStringLiteral("On_Change"), QStringLiteral("On_Command"),
        QStringLiteral("On_Timer"), QStringLiteral("Time"), QStringLiteral("Position"),
        QStringLiteral("Number_Bytes"), QStringLiteral("ConvertFrom"), QStringLiteral("Mnemonic"),
    };
    return names;
}

const QList<int> &headerTextIndices()
{
    static const QList<int> indices = {608, 609, 610, 611, 612, 613, 614, 615,
                                       616, 617, 618, 619, 620, 621, 654, 622};
    return indices;
}

const QList<int> &hintTextIndices()
{
    static const QList<int> indices = {623, 624, 625, 626, 627, 628, 629, 630,
                                       631, 632, 633, 634, 635, 655, 636};
    return indices;
}

std::unique_ptr<RuleTableModel> makeTable(QObject *parent)
{
    using K = EditorKind;
    QList<RuleColumn> columns = {
        {K::Fixed, 40, {}},
        {K::CheckBox, 50, {}},
        {K::Text, 90, {}},
        {K::List, 60, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}},
        {K::ListWithText, 106, {QStringLiteral("Mireva"), QStringLiteral("Tolvane")}},
        {K::Text, 100, {}},
        {K::List, 65, {QStringLiteral("String"), QStringLiteral("Int")}},
        {K::List, 65, {QStringLiteral("Get"), QStringLiteral("Set"), QStringLiteral("Trap")}},
        {K::CheckBox, 75, {}},
        {K::CheckBox, 50, {}},
        {K::CheckBox, 65, {}},
        {K::Text, 65, {}},
        {K::List, 75, {}},
        {K::Text, 75, {}},
        {K::List, 95,
         {QStringLiteral("None"), QStringLiteral("Float"), QStringLiteral("Float * 10"),
          QStringLiteral("Float * 100")}},
        {K::Text, 90, {}},
    };
    return std::make_unique<RuleTableModel>(kRuleRows, std::move(columns), parent);
}

DataSizesResult Read_Data_Sizes(const QString &parGenPath)
{
    DataSizesResult result;
    const xml::LoadResult file = xml::loadFile(parGenPath);
    if (file.failed()) {
        result.error = file.error;
        return result;
    }
    if (!file.loaded())
        return result;
    const QDomElement root = xml::rootElement(file.document);
    // The converter's input area is where the manager writes, and the other way round.
    result.sizes.app_NB_OUT = sizeFrom(root, QStringLiteral("EtherNetIP_NB_Input"));
    result.sizes.app_NB_IN = sizeFrom(root, QStringLiteral("EtherNetIP_NB_Output"));
    return result;
}

QStringList positionChoices(const DataSizes &sizes)
{
    const int limit = std::min(kPositionCap, std::max(sizes.app_NB_IN, sizes.app_NB_OUT));
    QStringList list;
    for (int i = 0; i < limit; ++i)
        list.append(QString::number(i));
    return list;
}

void resetTable(RuleTableModel &table)
{
    for (int r = 1; r <= table.ruleRowCount(); ++r) {
        table.cellRef(r, ColNumber) = QString::number(r);
        table.cellRef(r, ColEnable) = y();
        for (int c = ColIpAddress; c < kColumns; ++c)
            table.cellRef(r, c).clear();
    }
    table.notifyRowsChanged(1, table.ruleRowCount());
}

std::optional<QString> loadFile(const QString &path, RuleTableModel &table)
{
    // Streamed: a file of many thousand rows costs its size in memory, not a tree of it.
    static const QList<std::optional<QString>> fallbacks = whenMissing();
    int row = 0;
    QString error;
    const auto status = xml::streamRows(
        path,
        [&](const QXmlStreamAttributes &attributes) {
            if (row == table.ruleRowCount())
                return false;
            readRuleRow(attributes, attributeNames(), fallbacks, ++row, table);
            return true;
        },
        &error);
    if (status == xml::LoadResult::Status::Malformed || status == xml::LoadResult::Status::Unreadable)
        return error;
    if (row > 0)
        table.notifyRowsChanged(1, row);
    return std::nullopt;
}

std::optional<QString> openTable(const QString &parGenPath, const QString &snmpPath,
                                 RuleTableModel &table)
{
    resetTable(table);
    const DataSizesResult sizes = Read_Data_Sizes(parGenPath);
    if (sizes.error)
        return sizes.error;
    table.setChoices(ColPosition, positionChoices(sizes.sizes));
    return loadFile(snmpPath, table);
}

std::optional<QString> Controllo_dati(const RuleTableModel &table, const LanguageTexts &texts)
{
    for (int r = 1; r <= table.ruleRowCount(); ++r) {
        if (table.cell(r, ColIpAddress).trimmed().isEmpty())
            break;
        if (table.cell(r, ColEnable).trimmed() != y())
            continue;
        std::array<int, 4> bytes{};
        if (Split_IP_Address(table.cell(r, ColIpAddress), bytes))
            return rowError(texts, r, 638);
        const int oid = Check_OID_String(table.cell(r, ColOid));
        if (oid != 0)
            return rowError(texts, r, oid >= 1 && oid <= 6 ? 638 + oid : 640);
        if (table.cell(r, ColOnTimer).trimmed() == y()) {
            const int time = textToInt(table.cell(r, ColTime), -1);
            if (time < 1 || time > kMaxTime)
                return rowError(texts, r, 645);
        }
        const int numBytes = textToInt(table.cell(r, ColNumBytes), -1);
        if (numBytes < 0 || numBytes > kMaxNumBytes)
            return rowError(texts, r, 646);
        if (table.cell(r, ColConvertFrom).trimmed().isEmpty())
            return rowError(texts, r, 656);
    }
    return std::nullopt;
}

int savedRowCount(const RuleTableModel &table)
{
    return rowsBeforeEmpty(table, ColIpAddress);
}

QByteArray fileBytes(const RuleTableModel &table, QString *error)
{
    return writeRuleFile(QStringLiteral("SNMP_Agent_Access"), QStringLiteral("SW_VERSION = 1.000"),
                         {{QString(), &table, attributeNames(), savedRowCount(table)}}, error);
}

bool saveFile(const QString &path, const RuleTableModel &table, QString *error)
{
    QString reason;
    const QByteArray bytes = fileBytes(table, &reason);
    if (bytes.isEmpty()) {
        if (error)
            *error = cannotWriteMessage(path, reason);
        return false;
    }
    return replaceFile(path, bytes, error);
}

FileCheck checkFile(const QString &projectDir, const QString &filePath, const LanguageTexts &texts)
{
    const auto table = makeTable();
    if (const auto error = openTable(joinPath(projectDir, QStringLiteral("ParGen.xml")), filePath, *table))
        return FileCheck::malformed(*error);
    if (const auto error = Controllo_dati(*table, texts))
        return FileCheck::failed(*error);
    return FileCheck::ok();
}

} // namespace cf::snmp
