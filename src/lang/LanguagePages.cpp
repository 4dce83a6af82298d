#include "lang/LanguagePages.h"

#include "app/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace cf {

QStringList Create_Lang_List(const QString &languageDir)
{
    // Only names that Load_Language can open again by their stem; hidden files count.
    QStringList names = QDir(languageDir).entryList({QStringLiteral("*.lng")},
                                                    QDir::Files | QDir::Hidden | QDir::CaseSensitive,
                                                    QDir::Unsorted);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int blind = QString::compare(a, b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
    return names;
}

QString languageName(const QString &fileName)
{
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
}

QString flagPicturePath(const QString &languageDir, const QString &name)
{
    for (const QString &file : {name + QStringLiteral(".bmp"), QStringLiteral("DefaultFlag.bmp")}) {
        const QString path = joinPath(languageDir, file);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

LanguagePage LanguagePage::of(int languages, int page)
{
    LanguagePage p;
    p.pages = (languages + kSlots - 1) / kSlots;
    p.first = kSlots * (page - 1);
    p.shown = std::clamp(languages - p.first, 0, kSlots);
    p.previous = page > 1;
    // With no language at all there is no further page either.
    p.next = page < p.pages;
    return p;
}

} // namespace cf
