#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Paths.h"
#include "lang/LanguagePages.h"

namespace {

using cf::LanguagePage;
using cf::test::TempExeDir;

TEST(LanguagePage, SixSlotsPerPage)
{
    struct Case {
        int languages;
        int page;
        int pages;
        int first;
        int shown;
        bool previous;
        bool next;
    };
    const Case cases[] = {
        {0, 1, 0, 0, 0, false, false},
        {1, 1, 1, 0, 1, false, false},
        {6, 1, 1, 0, 6, false, false},
        {7, 1, 2, 0, 6, false, true},
        {7, 2, 2, 6, 1, true, false},
        {12, 2, 2, 6, 6, true, false},
        {13, 2, 3, 6, 6, true, true},
        {13, 3, 3, 12, 1, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.languages << " languages, page " << c.page);
        const LanguagePage p = LanguagePage::of(c.languages, c.page);
        EXPECT_EQ(p.pages, c.pages);
        EXPECT_EQ(p.first, c.first);
        EXPECT_EQ(p.shown, c.shown);
        EXPECT_EQ(p.previous, c.previous);
        EXPECT_EQ(p.next, c.next);
    }
}

TEST(LanguageList, LanguageFilesOnlySortedWithoutRegardToCase)
{
    TempExeDir exe;
    for (const char *file : {"zulu.lng", "Italiano.lng", "deutsch.lng", "Ab.lng", "aa.lng", ".Hidden.lng",
                             "readme.txt", "English.lng.bak", "LOUD.LNG"})
        exe.write(QStringLiteral("LANGUAGE/") + QString::fromLatin1(file), "STR0 = x");
    exe.makeDir(QStringLiteral("LANGUAGE/Folder.lng"));

    const QStringList expected = {QStringLiteral(".Hidden.lng"), QStringLiteral("aa.lng"),
                                  QStringLiteral("Ab.lng"), QStringLiteral("deutsch.lng"),
                                  QStringLiteral("Italiano.lng"), QStringLiteral("zulu.lng")};
    EXPECT_EQ(cf::Create_Lang_List(exe.file(QStringLiteral("LANGUAGE"))), expected);
    EXPECT_TRUE(cf::Create_Lang_List(exe.file(QStringLiteral("missing"))).isEmpty());
}

TEST(LanguageList, NameIsTheFileNameWithoutItsEnding)
{
    EXPECT_EQ(cf::languageName(QStringLiteral("Italiano.lng")), QStringLiteral("Italiano"));
    EXPECT_EQ(cf::languageName(QStringLiteral("a.b.lng")), QStringLiteral("a.b"));
    EXPECT_EQ(cf::languageName(QStringLiteral(".lng")), QString());
}

TEST(LanguageList, FlagOfItsOwnElseTheDefaultElseNone)
{
    TempExeDir exe;
    const QString dir = exe.file(QStringLiteral("LANGUAGE"));
    exe.write(QStringLiteral("LANGUAGE/Italiano.bmp"), "BM");
    EXPECT_EQ(cf::flagPicturePath(dir, QStringLiteral("Deutsch")), QString());
    EXPECT_EQ(cf::flagPicturePath(dir, QStringLiteral("Italiano")), cf::joinPath(dir, QStringLiteral("Italiano.bmp")));

    exe.write(QStringLiteral("LANGUAGE/DefaultFlag.bmp"), "BM");
    exe.makeDir(QStringLiteral("LANGUAGE/Folder.bmp"));
    EXPECT_EQ(cf::flagPicturePath(dir, QStringLiteral("Deutsch")), cf::joinPath(dir, QStringLiteral("DefaultFlag.bmp")));
    EXPECT_EQ(cf::flagPicturePath(dir, QStringLiteral("Folder")), cf::joinPath(dir, QStringLiteral("DefaultFlag.bmp")));
    EXPECT_EQ(cf::flagPicturePath(dir, QStringLiteral("Italiano")), cf::joinPath(dir, QStringLiteral("Italiano.bmp")));
}

} // namespace
