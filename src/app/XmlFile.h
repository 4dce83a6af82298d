#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>
#include <functional>
#include <optional>

namespace cf::xml {

struct LoadResult {
    enum class Status { Missing, Loaded, Malformed, Unreadable };
    Status status = Status::Missing;
    QDomDocument document;
    // For Malformed: "<file>: line L, column C: <parser message>"; for Unreadable: the reason.
    QString error;

    bool loaded() const { return status == Status::Loaded; }
    bool failed() const { return status == Status::Malformed || status == Status::Unreadable; }
};

// Reads and parses a file. A missing file is not an error: readers fall back to defaults.
LoadResult loadFile(const QString &path);
LoadResult parse(const QByteArray &bytes, const QString &nameForMessages);

// The file's bytes: Missing, Unreadable (error gives the reason) or Loaded.
LoadResult::Status readBytes(const QString &path, QByteArray *bytes, QString *error);

// Streams a large rule file without building a tree: calls visit with the attributes of each
// element child of the root (same root and row rules as rootElement/childElements) until it
// returns false. The whole document is still checked, so a file that is not well-formed gives
// Malformed with the same kind of message as loadFile, whatever the visitor did.
LoadResult::Status streamRows(const QString &path,
                              const std::function<bool(const QXmlStreamAttributes &)> &visit,
                              QString *error);

// The same for files of sections: for each element child of the first child of the root named
// sections[i], calls visit(i, attributes) until it returns false for that section. present[i]
// tells whether the section was there.
LoadResult::Status streamSections(const QByteArray &bytes, const QString &nameForMessages,
                                  const QStringList &sections,
                                  const std::function<bool(int, const QXmlStreamAttributes &)> &visit,
                                  QList<bool> *present, QString *error);

// The document's first top-level element, passing over a declaration, comments and
// processing instructions before it. Its name is not examined.
QDomElement rootElement(const QDomDocument &document);

// Element children only: comments and text between rows never count as entries.
QList<QDomElement> childElements(const QDomElement &parent);
QDomElement childElement(const QDomElement &parent, const QString &name);

// The element's text when it holds plain text only (an empty element gives ""),
// nullopt when it is null or has element children.
std::optional<QString> plainText(const QDomElement &element);

// The attribute's value, nullopt when missing (an empty attribute gives "").
std::optional<QString> attribute(const QDomElement &element, const QString &name);

// Adds <name>text</name> under parent.
QDomElement appendTextElement(QDomDocument &document, QDomNode parent, const QString &name,
                              const QString &text);

// Serialises without declaration, indentation or line breaks, in UTF-8.
QByteArray toBytes(const QDomDocument &document);

} // namespace cf::xml
