#include "app/XmlFile.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace cf::xml {

namespace {
// The parser names a NUL byte as '' which tells the user nothing.
QString withCause(const QString &message, const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return message + QStringLiteral(" (the file holds NUL bytes, which XML does not allow)");
    return message;
}
} // namespace

LoadResult parse(const QByteArray &bytes, const QString &nameForMessages)
{
    LoadResult result;
    QString message;
    int line = 0;
    int column = 0;
    if (!result.document.setContent(bytes, &message, &line, &column)) {
        result.status = LoadResult::Status::Malformed;
        result.document = QDomDocument();
        result.error = QStringLiteral("%1: line %2, column %3: %4")
                           .arg(nameForMessages)
                           .arg(line)
                           .arg(column)
                           .arg(withCause(message, bytes));
        return result;
    }
    result.status = LoadResult::Status::Loaded;
    return result;
}

LoadResult loadFile(const QString &path)
{
    QFileInfo info(path);
    if (!info.exists()) {
        LoadResult missing;
        return missing;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LoadResult result;
        result.status = LoadResult::Status::Unreadable;
        result.error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return result;
    }
    return parse(file.readAll(), path);
}

LoadResult::Status readBytes(const QString &path, QByteArray *bytes, QString *error)
{
    if (!QFileInfo(path).exists())
        return LoadResult::Status::Missing;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return LoadResult::Status::Unreadable;
    }
    *bytes = file.readAll();
    return LoadResult::Status::Loaded;
}

namespace {

// Walks the document's tags (the root is depth 1) and gives the verdict the tree parser
// would: well-formed with a root, or its message.
LoadResult::Status walk(const QByteArray &bytes, const QString &nameForMessages,
                        const std::function<void(int, const QXmlStreamReader &)> &start,
                        const std::function<void(int)> &end, QString *error)
{
    QXmlStreamReader reader(bytes);
    // As the tree parser reads: prefixes are part of the names, not namespaces to resolve.
    reader.setNamespaceProcessing(false);
    int depth = 0;
    bool rootSeen = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            rootSeen = true;
            start(depth, reader);
        } else if (token == QXmlStreamReader::EndElement) {
            end(depth);
            --depth;
        }
    }
    if (reader.hasError() || !rootSeen) {
        // The tree parser words the message; only a failed document pays for it.
        const LoadResult parsed = parse(bytes, nameForMessages);
        if (parsed.failed()) {
            if (error)
                *error = parsed.error;
            return LoadResult::Status::Malformed;
        }
        if (reader.hasError()) {
            if (error)
                *error = QStringLiteral("%1: line %2, column %3: %4")
                             .arg(nameForMessages)
                             .arg(reader.lineNumber())
                             .arg(reader.columnNumber())
                             .arg(withCause(reader.errorString(), bytes));
            return LoadResult::Status::Malformed;
        }
    }
    return LoadResult::Status::Loaded;
}

} // namespace

LoadResult::Status streamRows(const QString &path,
                              const std::function<bool(const QXmlStreamAttributes &)> &visit,
                              QString *error)
{
    QByteArray bytes;
    if (const auto status = readBytes(path, &bytes, error); status != LoadResult::Status::Loaded)
        return status;
    bool visiting = true;
    return walk(
        bytes, path,
        [&](int depth, const QXmlStreamReader &reader) {
            if (depth == 2 && visiting)
                visiting = visit(reader.attributes());
        },
        [](int) {}, error);
}

LoadResult::Status streamSections(const QByteArray &bytes, const QString &nameForMessages,
                                  const QStringList &sections,
                                  const std::function<bool(int, const QXmlStreamAttributes &)> &visit,
                                  QList<bool> *present, QString *error)
{
    QList<bool> seen(sections.size(), false);
    QList<bool> visiting(sections.size(), true);
    int current = -1;
    const LoadResult::Status status = walk(
        bytes, nameForMessages,
        [&](int depth, const QXmlStreamReader &reader) {
            if (depth == 2) {
                // Only the first section of a name counts, as childElement finds it.
                const qsizetype i = sections.indexOf(reader.qualifiedName());
                current = i >= 0 && !seen[i] ? int(i) : -1;
                if (current >= 0)
                    seen[current] = true;
            } else if (depth == 3 && current >= 0 && visiting[current]) {
                visiting[current] = visit(current, reader.attributes());
            }
        },
        [&](int depth) {
            if (depth == 2)
                current = -1;
        },
        error);
    if (present)
        *present = seen;
    return status;
}

QDomElement rootElement(const QDomDocument &document)
{
    return document.documentElement();
}

QList<QDomElement> childElements(const QDomElement &parent)
{
    QList<QDomElement> result;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        result.append(e);
    return result;
}

QDomElement childElement(const QDomElement &parent, const QString &name)
{
    return parent.firstChildElement(name);
}

std::optional<QString> plainText(const QDomElement &element)
{
    if (element.isNull())
        return std::nullopt;
    QString text;
    for (QDomNode n = element.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (n.isElement())
            return std::nullopt;
        if (n.isText() || n.isCDATASection())
            text += n.nodeValue(); // toCharacterData() is null for CDATA sections
    }
    return text;
}

std::optional<QString> attribute(const QDomElement &element, const QString &name)
{
    if (element.isNull() || !element.hasAttribute(name))
        return std::nullopt;
    return element.attribute(name);
}

QDomElement appendTextElement(QDomDocument &document, QDomNode parent, const QString &name,
                              const QString &text)
{
    QDomElement e = document.createElement(name);
    if (!text.isEmpty())
        e.appendChild(document.createTextNode(text));
    parent.appendChild(e);
    return e;
}

QByteArray toBytes(const QDomDocument &document)
{
    return document.toByteArray(-1);
}

} // namespace cf::xml
