#include "app/AppSettings.h"
#include "app/Cli.h"
#include "lang/LanguageTexts.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QStringDecoder>

namespace {

using cf::LanguageTexts;

QByteArray utf8(const char *s)
{
    return QByteArray("\xEF\xBB\xBF") + QByteArray(s);
}

struct LineCase {
    const char *line; // UTF-8
    int index;
    const char *expected; // nullptr: the built-in text stays
};

TEST(LanguageFile, EntryLines)
{
    const LineCase cases[] = {
        {"STR15 = Abc", 15, "Abc"},
        {"STR0015 = Abc", 15, "Abc"},
        {"STR 15 = Abc", 15, "Abc"},
        {"STR15=Abc", 1, "Abc"},
        {"STR15=Abc", 15, nullptr},
        {"STR9 = ", 9, nullptr},
        {"STR9 = \xC2\xB6\xC2\xB6", 9, ""},
        {"STR9 = Text /#/ note", 9, "Text"},
        {"STR9 = /#/ note", 9, nullptr},
        {"STR11 = \xC2\xB6" "Abc : \xC2\xB6", 11, "Abc : "},
        {"STR11 = Abc : ", 11, "Abc :"},
        {"STR11 = \xC2\xB6 open", 11, " open"},
        {"STR11 = \xC2\xB6 a \xC2\xB6 tail", 11, " a "},
        {"STR11 = a\xC2\xB6" "b", 11, "a"},
        {"   STR12 = Padded\t", 12, "Padded"},
        {"str15 = X", 15, nullptr},
        {"STR1199 = Last", 1199, "Last"},
        {"STR9 text without equals", 9, nullptr},
        {"STR= X", 0, nullptr},
    };
    const LanguageTexts english;
    for (const LineCase &c : cases) {
        SCOPED_TRACE(c.line);
        LanguageTexts t;
        t.loadLangBytes(utf8(c.line));
        const QString expected = c.expected ? QString::fromUtf8(c.expected) : english[c.index];
        EXPECT_EQ(t[c.index], expected);
    }
}

TEST(LanguageFile, OutOfRangeAndMalformedIndicesChangeNothing)
{
    const LanguageTexts english;
    for (const char *line : {"STR1200 = X", "STR-1 = X", "STRx = X", "STR = X", "STR1 2 = X"}) {
        SCOPED_TRACE(line);
        LanguageTexts t;
        t.loadLangBytes(utf8(line));
        EXPECT_EQ(t.all(), english.all());
    }
}

TEST(LanguageFile, VersionLine)
{
    struct Case {
        const char *content;
        const char *version;
    };
    const Case cases[] = {
        {"//version 2.1", "2.1"},
        {"//Version 2.1", "2.1"},
        {"  //VERSION   2.1  ", "2.1"},
        {"//VERSION 2.1\r\n//VERSION 3.0", "2.1"},
        {"STR5 = //VERSION 4.2", "4.2"},
        {"STR5 = x\n", "NO VER."},
        {"", "NO VER."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content);
        LanguageTexts t;
        t.loadLangBytes(utf8(c.content));
        EXPECT_EQ(t.fileVersion(), QString::fromUtf8(c.version));
    }
}

TEST(LanguageFile, LaterLineWinsAndLineEndsOfAllKinds)
{
    LanguageTexts t;
    t.loadLangBytes(utf8("STR1 = a\rSTR2 = b\nSTR3 = c\r\nSTR1 = z"));
    EXPECT_EQ(t[1], QStringLiteral("z"));
    EXPECT_EQ(t[2], QStringLiteral("b"));
    EXPECT_EQ(t[3], QStringLiteral("c"));
    EXPECT_EQ(t[4], LanguageTexts()[4]);
}

TEST(LanguageFile, Encodings)
{
    const QString expected = QString::fromUtf8("Ger\xC3\xA4t \xE2\x82\xAC");
    const QString line = QStringLiteral("STR7 = ") + expected;
    auto utf16 = [&](bool bigEndian) {
        QByteArray out = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        for (QChar c : line) {
            const char hi = char(c.unicode() >> 8);
            const char lo = char(c.unicode() & 0xFF);
            out.append(bigEndian ? hi : lo);
            out.append(bigEndian ? lo : hi);
        }
        return out;
    };
    struct Case {
        const char *name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"utf-8 with mark", QByteArray("\xEF\xBB\xBF") + line.toUtf8()},
        {"utf-16 le", utf16(false)},
        {"utf-16 be", utf16(true)},
        {"windows-1252", QByteArray("STR7 = Ger\xE4t \x80")},
        {"utf-16 le, odd length", utf16(false) + QByteArray("\x41")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        LanguageTexts t;
        t.loadLangBytes(c.bytes);
        EXPECT_EQ(t[7], expected);
    }
}

TEST(LoadLanguage, SelectsTheFileOrFallsBackToEnglish)
{
    struct Case {
        const char *language;
        const char *files; // names of .lng files present, comma separated
        const char *expectedLanguage;
        const char *expectedText0;
    };
    const Case cases[] = {
        {"Italiano", "Italiano", "Italiano", "Inizio"},
        {"Italiano", "", "English", "Begin"},
        {"Klingon", "English", "English", "English file"},
        {"English", "English", "English", "English file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.language);
        cf::test::TempExeDir exe;
        for (const QString &f : QString::fromLatin1(c.files).split(u',', Qt::SkipEmptyParts)) {
            const QByteArray text = f == QStringLiteral("English") ? "English file" : "Inizio";
            exe.write(QStringLiteral("LANGUAGE/%1.lng").arg(f), "//VERSION 9\nSTR0 = " + text);
        }
        cf::AppSettings settings;
        settings.language = QString::fromLatin1(c.language);
        LanguageTexts t;
        t.Load_Language(exe.path(), settings);
        EXPECT_EQ(settings.language, QString::fromLatin1(c.expectedLanguage));
        EXPECT_EQ(t[0], QString::fromLatin1(c.expectedText0));
    }
}

TEST(LoadLanguage, ReloadStartsFromEnglishAndResetsTheVersion)
{
    cf::test::TempExeDir exe;
    exe.write(QStringLiteral("LANGUAGE/A.lng"), "//VERSION 2\nSTR1 = Uno\nSTR2 = Due");
    exe.write(QStringLiteral("LANGUAGE/B.lng"), "STR1 = Eins");
    cf::AppSettings settings;
    settings.language = QStringLiteral("A");
    LanguageTexts t;
    t.Load_Language(exe.path(), settings);
    EXPECT_EQ(t.fileVersion(), QStringLiteral("2"));
    settings.language = QStringLiteral("B");
    t.Load_Language(exe.path(), settings);
    EXPECT_EQ(t[1], QStringLiteral("Eins"));
    EXPECT_EQ(t[2], QStringLiteral("Step 2"));
    EXPECT_EQ(t.fileVersion(), QStringLiteral("NO VER."));
}

TEST(LoadLanguage, UnreadableFileKeepsTheTextsBuiltSoFar)
{
    LanguageTexts t;
    t.loadLangBytes(utf8("STR0 = Kept"));
    EXPECT_FALSE(t.Load_Lang_File(QStringLiteral("/nonexistent/x.lng")));
    EXPECT_EQ(t[0], QStringLiteral("Kept"));
}

QByteArray runCli(const QStringList &args, int *code, QByteArray *errText = nullptr)
{
    const cf::test::CliRun r = cf::test::runCli(args);
    *code = r.code;
    if (errText)
        *errText = r.err.toUtf8();
    return r.outBytes;
}

TEST(TextsCommand, PrintsEveryTextAndReadsBackUnchanged)
{
    int code = -1;
    const QByteArray output = runCli({QStringLiteral("texts")}, &code);
    ASSERT_EQ(code, 0);
    ASSERT_TRUE(output.startsWith("\xEF\xBB\xBF//VERSION NO VER.\r\n"));
    const QString text = QStringDecoder(QStringDecoder::Utf8)(output.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1201);
    EXPECT_EQ(lines[10], QString::fromUtf8("STR9 = \xC2\xB6None Configuration Opened \xC2\xB6"));

    LanguageTexts back;
    back.loadLangBytes(output);
    EXPECT_EQ(back.all(), LanguageTexts().all());
}

TEST(TextsCommand, LaysTheFileOverTheBuiltInTexts)
{
    cf::test::TempExeDir exe;
    exe.write(QStringLiteral("x.lng"), utf8("//VERSION 3.1\nSTR0 = \xC2\xB6 Anfang \xC2\xB6"));
    int code = -1;
    const QByteArray output = runCli({QStringLiteral("texts"), QStringLiteral("--language-file"), exe.file(QStringLiteral("x.lng"))}, &code);
    ASSERT_EQ(code, 0);
    LanguageTexts back;
    back.loadLangBytes(output);
    EXPECT_EQ(back[0], QStringLiteral(" Anfang "));
    EXPECT_EQ(back.fileVersion(), QStringLiteral("3.1"));
}

TEST(TextsCommand, UnreadableFileExitsTwo)
{
    int code = -1;
    QByteArray err;
    runCli({QStringLiteral("texts"), QStringLiteral("--language-file"), QStringLiteral("/nonexistent/x.lng")}, &code, &err);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(err.contains("/nonexistent/x.lng"));
}

} // namespace
