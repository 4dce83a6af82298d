#include <gtest/gtest.h>

#include "lang/LanguageTexts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The language files installed beside the program, with their flags.
const char *const kShippedLanguages[] = {"Italiano", "Deutsch"};

QString languageDir()
{
    return QDir::cleanPath(QStringLiteral(CF_FIXTURES_DIR "/../../resources/LANGUAGE"));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TEST(ShippedLanguages, CoverEveryTextAndKeepItsBlanks)
{
    const QStringList &english = cf::defaultEnglishTexts();
    std::set<int> withText;
    for (int i = 0; i < english.size(); ++i) {
        if (english.at(i) != QStringLiteral(" "))
            withText.insert(i);
    }
    const QRegularExpression entry(QStringLiteral("^STR\\s*(\\d+)\\s*="));

    for (const char *language : kShippedLanguages) {
        SCOPED_TRACE(language);
        const QString path = languageDir() + QLatin1Char('/') + QLatin1String(language) + QStringLiteral(".lng");
        const QByteArray bytes = readAll(path);
        ASSERT_FALSE(bytes.isEmpty()) << path.toStdString();
        // Without the byte-order mark the file would be read as ANSI and accents garbled.
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));

        // Every text of the built-in table is named once, in index order, and nothing else.
        std::set<int> named;
        int previous = -1;
        const QStringList lines = cf::decodeLanguageFile(bytes).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const QRegularExpressionMatch m = entry.match(line.trimmed());
            if (!m.hasMatch())
                continue;
            const int index = m.captured(1).toInt();
            EXPECT_GT(index, previous) << line.toStdString();
            previous = index;
            named.insert(index);
        }
        std::vector<int> missing;
        std::set_difference(withText.begin(), withText.end(), named.begin(), named.end(),
                            std::back_inserter(missing));
        std::vector<int> extra;
        std::set_difference(named.begin(), named.end(), withText.begin(), withText.end(),
                            std::back_inserter(extra));
        EXPECT_TRUE(missing.empty()) << "not in the file: " << ::testing::PrintToString(missing);
        EXPECT_TRUE(extra.empty()) << "placeholders in the file: " << ::testing::PrintToString(extra);

        cf::LanguageTexts texts;
        ASSERT_TRUE(texts.Load_Lang_File(path));
        EXPECT_EQ(texts.fileVersion().toStdString(), "1.000");
        ASSERT_EQ(texts.size(), english.size());
        for (int i : withText) {
            SCOPED_TRACE(i);
            const QString &text = texts.at(i);
            EXPECT_FALSE(text.trimmed().isEmpty());
            // Messages are built by concatenation, so edge blanks must survive.
            EXPECT_EQ(text.endsWith(QLatin1Char(' ')), english.at(i).endsWith(QLatin1Char(' ')))
                << text.toStdString();
            EXPECT_EQ(text.startsWith(QLatin1Char(' ')), english.at(i).startsWith(QLatin1Char(' ')))
                << text.toStdString();
        }
        for (int i : {9, 11, 637}) {
            SCOPED_TRACE(i);
            EXPECT_TRUE(texts.at(i).endsWith(QLatin1Char(' '))) << texts.at(i).toStdString();
        }

        const QByteArray flag =
            readAll(languageDir() + QLatin1Char('/') + QLatin1String(language) + QStringLiteral(".bmp"));
        EXPECT_TRUE(flag.startsWith("BM"));
    }
}

} // namespace
