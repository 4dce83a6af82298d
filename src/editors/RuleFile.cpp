#include "editors/RuleFile.h"

#include "app/XmlFile.h"
#include "editors/RuleTableModel.h"

#include <QXmlStreamWriter>

namespace cf {

namespace {

bool xmlCanCarry(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            return false;
        if (c == 0xFFFE || c == 0xFFFF)
            return false;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text.at(i + 1).unicode()))
                return false;
            ++i;
        } else if (QChar::isLowSurrogate(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

QByteArray writeRuleFile(const QString &root, const std::optional<QString> &comment,
                         const QList<RuleFileSection> &sections, QString *error)
{
    for (const RuleFileSection &s : sections) {
        for (int r = 1; r <= s.rows; ++r) {
            for (int c = 0; c < s.attributes.size(); ++c) {
                if (xmlCanCarry(s.table->cell(r, c + 1)))
                    continue;
                if (error)
                    *error = QStringLiteral("row %1, %2 holds a character that cannot be saved")
                                 .arg(r)
                                 .arg(s.attributes.at(c));
                return {};
            }
        }
    }
    QByteArray bytes;
    QXmlStreamWriter w(&bytes);
    w.setAutoFormatting(false);
    w.writeStartElement(root);
    for (const RuleFileSection &s : sections) {
        if (!s.name.isEmpty())
            w.writeStartElement(s.name);
        for (int r = 1; r <= s.rows; ++r) {
            w.writeEmptyElement(QStringLiteral("row"));
            for (int c = 0; c < s.attributes.size(); ++c)
                w.writeAttribute(s.attributes.at(c), s.table->cell(r, c + 1));
        }
        if (!s.name.isEmpty())
            w.writeEndElement();
    }
    w.writeEndElement();
    if (comment)
        w.writeComment(*comment);
    return bytes;
}

int rowsBeforeEmpty(const RuleTableModel &table, int col)
{
    int r = 1;
    while (r <= table.ruleRowCount() && !table.cell(r, col).trimmed().isEmpty())
        ++r;
    return r - 1;
}

void readRuleRow(const QXmlStreamAttributes &attributes, const QStringList &names,
                 const QList<std::optional<QString>> &whenMissing, int row, RuleTableModel &table)
{
    for (int c = 0; c < names.size(); ++c) {
        if (attributes.hasAttribute(names.at(c)))
            table.cellRef(row, c + 1) = attributes.value(names.at(c)).toString();
        else if (const auto &fallback = whenMissing.value(c))
            table.cellRef(row, c + 1) = *fallback;
    }
}

} // namespace cf
