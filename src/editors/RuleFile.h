#pragma once

#include <QByteArray>
#include <QDomElement>
#include <QList>
#include <QString>
#include <QStringList>
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

// The k-th child element of `parent` fills row k, for the table's rows only. Each
// attribute is read by name into its column; a missing one takes its entry of
// `whenMissing` (nullopt: the cell keeps what it holds).
void readRuleRows(const QDomElement &parent, const QStringList &attributes,
                  const QList<std::optional<QString>> &whenMissing, RuleTableModel &table);

} // namespace cf
