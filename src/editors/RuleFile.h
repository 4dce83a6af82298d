#pragma once

#include <QByteArray>
#include <QDomElement>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>
#include <optional>

namespace cf {

class RuleTableModel;

// Rule rows are saved as empty elements whose attributes follow the column order
// exactly, which the DOM writer does not keep; so the files are written by hand.
struct RuleFileSection {
    QString name; // empty: the rows sit directly under the root
    const RuleTableModel *table = nullptr;
    QStringList attributes; // columns 1..attributes.size()
    int rows = 0;           // rule rows 1..rows are written
};

// A cell holding a character XML cannot carry (most control characters, lone
// surrogates) would give a file that no longer reads: then the result is empty and
// `error` names the row and attribute.
QByteArray writeRuleFile(const QString &root, const std::optional<QString> &comment,
                         const QList<RuleFileSection> &sections, QString *error = nullptr);

// Number of rows before the first one whose column `col` is empty after trimming.
int rowsBeforeEmpty(const RuleTableModel &table, int col);

// One row element's attributes into rule row `row`, each by name into its column; a
// missing one takes its entry of `whenMissing` (nullopt: the cell keeps what it holds).
void readRuleRow(const QXmlStreamAttributes &attributes, const QStringList &names,
                 const QList<std::optional<QString>> &whenMissing, int row, RuleTableModel &table);

} // namespace cf
