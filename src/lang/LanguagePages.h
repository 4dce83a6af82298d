#pragma once

#include <QString>
#include <QStringList>

namespace cf {

// The language files of languageDir (file names with ".lng"), sorted without
// regard to letter case.
QStringList Create_Lang_List(const QString &languageDir);

// "Italiano.lng" -> "Italiano": the file name without its last four characters.
QString languageName(const QString &fileName);

// The flag of a language: <name>.bmp, else DefaultFlag.bmp, else empty.
QString flagPicturePath(const QString &languageDir, const QString &name);

// One page of the language tab: six slots per page.
struct LanguagePage {
    static constexpr int kSlots = 6;

    int pages = 0;      // (languages + 5) / 6
    int first = 0;      // position in the list of the first slot
    int shown = 0;      // slots in use on this page
    bool previous = false;
    bool next = false;

    static LanguagePage of(int languages, int page);
};

} // namespace cf
