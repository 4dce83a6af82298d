#include "editors/RuleFile.h"

#include "app/XmlFile.h"
#include "editors/RuleTableModel.h"

#include <QXmlStreamWriter>

namespace cf {

QByteArray writeRuleFile(const QString &root, const std::optional<QString> &comment,
                         const QList<RuleFileSection> &sections)
{
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

void readRuleRows(const QDomElement &parent, const QStringList &attributes,
                  const QList<std::optional<QString>> &whenMissing, RuleTableModel &table)
{
    int row = 0;
    for (QDomElement e = parent.firstChildElement(); !e.isNull() && row < table.ruleRowCount();
         e = e.nextSiblingElement()) {
        ++row;
        for (int c = 0; c < attributes.size(); ++c) {
            if (const auto value = xml::attribute(e, attributes.at(c)))
                table.cellRef(row, c + 1) = *value;
            else if (const auto &fallback = whenMissing.value(c))
                table.cellRef(row, c + 1) = *fallback;
        }
    }
    table.notifyRowsChanged(1, row);
}

} // namespace cf
