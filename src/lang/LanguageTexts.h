#pragma once

#include "lang/DefaultTexts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cf {

struct AppSettings;

// The indexed table of user-interface texts with the loaded language file laid over it.
class LanguageTexts {
public:
    LanguageTexts();

    const QString &operator[](int index) const { return m_texts.at(index); }
    const QString &at(int index) const { return m_texts.at(index); }
    const QStringList &all() const { return m_texts; }
    int size() const { return int(m_texts.size()); }

    const QString &fileVersion() const { return m_fileVersion; }

    void Load_Default_Lang();
    // False when the file cannot be read; the texts built so far stay.
    bool Load_Lang_File(const QString &path);
    void loadLangBytes(const QByteArray &bytes);
    // Built-in texts, then LANGUAGE/<language>.lng, falling back to English.
    void Load_Language(const QString &exeDir, AppSettings &settings);

    // The whole table as a language file that reads back to the same texts.
    QByteArray toLanguageFile() const;

    static QString noVersion() { return QStringLiteral("NO VER."); }

private:
    QStringList m_texts;
    QString m_fileVersion;
};

// Decodes a language file: BOM for UTF-8 or UTF-16 LE/BE, else Windows-1252.
QString decodeLanguageFile(const QByteArray &bytes);

} // namespace cf
