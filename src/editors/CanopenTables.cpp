#include "editors/CanopenTables.h"

#include "platform/FileReplace.h"

#include <QXmlStreamWriter>

namespace cf {

CanopenTable::CanopenTable(const CanopenTableLayout &layout) : m_layout(&layout)
{
    m_rows.resize(layout.ruleRows);
    clear();
}

void CanopenTable::setRow(int row, const QStringList &texts)
{
    QStringList &target = m_rows[row - 1];
    for (int c = 0; c < dataColumns(); ++c)
        target[c] = c < texts.size() ? texts.at(c) : QString();
}

void CanopenTable::clear()
{
    for (QStringList &row : m_rows)
        row = QStringList(dataColumns());
}

int CanopenTable::savedRuleCount() const
{
    int count = 0;
    while (count < rowCount() && !cell(count + 1, CanopenTableLayout::keyColumn).trimmed().isEmpty())
        ++count;
    return count;
}

CanopenTables::CanopenTables(CanopenFile file)
    : m_layout(&canopenLayout(file)),
      m_tables{CanopenTable(m_layout->tables[0]), CanopenTable(m_layout->tables[1])}
{
}

void CanopenTables::reset()
{
    for (CanopenTable &t : m_tables)
        t.clear();
    NByte_IN = kCanopenDataBytes;
    NByte_OUT = kCanopenDataBytes;
}

xml::LoadResult loadCanopenBytes(const QByteArray &bytes, const QString &nameForMessages, CanopenTables &tables)
{
    const QStringList sections = {tables.table(0).layout().section, tables.table(1).layout().section};
    std::array<int, 2> rows{};
    xml::LoadResult result;
    result.status = xml::streamSections(
        bytes, nameForMessages, sections,
        [&](int page, const QXmlStreamAttributes &attributes) {
            CanopenTable &table = tables.table(page);
            if (rows[page] == table.rowCount())
                return false;
            const int r = ++rows[page];
            const CanopenTableLayout &layout = table.layout();
            for (int c = 1; c <= layout.dataColumns(); ++c) {
                const QString &name = layout.columns.at(c).attribute;
                if (attributes.hasAttribute(name))
                    table.setCell(r, c, attributes.value(name).toString());
            }
            return true;
        },
        nullptr, &result.error);
    // A broken file loads nothing, not the rows before the fault.
    if (result.failed())
        tables.reset();
    return result;
}

xml::LoadResult Load_Canopen_File(const QString &path, CanopenTables &tables)
{
    tables.reset();
    QByteArray bytes;
    xml::LoadResult result;
    result.status = xml::readBytes(path, &bytes, &result.error);
    if (!result.loaded())
        return result;
    return loadCanopenBytes(bytes, path, tables);
}

namespace {

bool allowedInXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
        || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// XML cannot carry control characters or lone surrogates at all, not even as references:
// they are left out so that the file stays readable.
QString xmlSafe(const QString &text)
{
    bool clean = true;
    for (char32_t c : text.toUcs4()) {
        if (!allowedInXml(c)) {
            clean = false;
            break;
        }
    }
    if (clean)
        return text;
    QString result;
    for (char32_t c : text.toUcs4()) {
        if (allowedInXml(c))
            result.append(QString::fromUcs4(&c, 1));
    }
    return result;
}

} // namespace

QByteArray canopenFileBytes(const CanopenTables &tables)
{
    // Written by hand rather than through QDom: the attributes must come in column order.
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(false);
    writer.writeStartElement(tables.layout().rootName);
    for (int page = 0; page < 2; ++page) {
        const CanopenTable &table = tables.table(page);
        const CanopenTableLayout &layout = table.layout();
        writer.writeStartElement(layout.section);
        const int saved = table.savedRuleCount();
        for (int r = 1; r <= saved; ++r) {
            writer.writeEmptyElement(QStringLiteral("row"));
            for (int c = 1; c <= layout.dataColumns(); ++c)
                writer.writeAttribute(layout.columns.at(c).attribute, xmlSafe(table.cell(r, c)));
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeComment(QStringLiteral("SW_VERSION = 1.000"));
    return bytes;
}

bool Save_Canopen_File(const QString &path, const CanopenTables &tables, QString *error)
{
    return replaceFile(path, canopenFileBytes(tables), error);
}

} // namespace cf
