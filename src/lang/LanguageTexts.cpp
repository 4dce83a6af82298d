#include "lang/LanguageTexts.h"

#include "app/AppSettings.h"
#include "app/Paths.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace cf {

namespace {

const QChar kPilcrow(0x00B6);

// Code points of bytes 0x80..0x9F in Windows-1252; the rest match Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeUtf16(const QByteArray &bytes, bool bigEndian)
{
    QString out;
    out.reserve(bytes.size() / 2);
    // An odd trailing byte is dropped.
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<uchar>(bytes[i]);
        const auto b = static_cast<uchar>(bytes[i + 1]);
        out.append(QChar(bigEndian ? char16_t(a << 8 | b) : char16_t(b << 8 | a)));
    }
    return out;
}

// Blanks and control characters, as trimmed at both ends of every line.
bool isTrimmed(QChar c)
{
    return c.unicode() <= 0x20;
}

QString trimmed(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isTrimmed(s[begin]))
        ++begin;
    while (end > begin && isTrimmed(s[end - 1]))
        --end;
    return s.mid(begin, end - begin).toString();
}

bool startsWithVersion(const QString &s)
{
    return s.toUpper().startsWith(QStringLiteral("//VERSION"));
}

} // namespace

QString decodeLanguageFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        return utf8(bytes.mid(3));
    }
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes, false);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, true);
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<uchar>(ch);
        out.append(QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b)));
    }
    return out;
}

LanguageTexts::LanguageTexts()
    : m_fileVersion(noVersion())
{
    Load_Default_Lang();
}

void LanguageTexts::Load_Default_Lang()
{
    m_texts = defaultEnglishTexts();
}

bool LanguageTexts::Load_Lang_File(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    loadLangBytes(file.readAll());
    return true;
}

void LanguageTexts::loadLangBytes(const QByteArray &bytes)
{
    const QString content = decodeLanguageFile(bytes);
    bool versionSeen = false;
    qsizetype pos = 0;
    const qsizetype n = content.size();
    while (pos <= n) {
        qsizetype end = pos;
        while (end < n && content[end] != u'\r' && content[end] != u'\n')
            ++end;
        const QString line = trimmed(QStringView(content).mid(pos, end - pos));
        if (end < n && content[end] == u'\r' && end + 1 < n && content[end + 1] == u'\n')
            ++end;
        pos = end + 1;
        if (line.isEmpty())
            continue;

        QString versionCandidate = line;
        if (line.startsWith(QStringLiteral("STR"))) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq >= 0) {
                // The character just before "=" is the separator and is dropped.
                const QString indexText = trimmed(QStringView(line).mid(3, std::max<qsizetype>(0, eq - 4)));
                bool ok = false;
                const int index = indexText.toInt(&ok, 10);
                if (ok && index >= 0 && index < kTextCount) {
                    QString text = trimmed(QStringView(line).mid(eq + 1));
                    if (!text.isEmpty()) {
                        bool keep = true;
                        const qsizetype comment = text.indexOf(QStringLiteral("/#/"));
                        if (comment >= 0) {
                            text = trimmed(QStringView(text).left(comment));
                            keep = !text.isEmpty();
                        }
                        if (keep) {
                            if (text.startsWith(kPilcrow))
                                text.remove(0, 1);
                            const qsizetype close = text.indexOf(kPilcrow);
                            if (close >= 0)
                                text.truncate(close);
                            m_texts[index] = text;
                        }
                    }
                    versionCandidate = text;
                }
            }
        }
        if (!versionSeen && startsWithVersion(versionCandidate)) {
            m_fileVersion = trimmed(QStringView(versionCandidate).mid(9));
            versionSeen = true;
        }
    }
}

void LanguageTexts::Load_Language(const QString &exeDir, AppSettings &settings)
{
    Load_Default_Lang();
    m_fileVersion = noVersion();
    const QString languageDir = joinPath(exeDir, QStringLiteral("LANGUAGE"));
    const QString chosen = joinPath(languageDir, settings.language + QStringLiteral(".lng"));
    if (!settings.language.isEmpty() && QFileInfo(chosen).isFile()) {
        Load_Lang_File(chosen);
        return;
    }
    settings.language = QStringLiteral("English");
    const QString english = joinPath(languageDir, QStringLiteral("English.lng"));
    if (QFileInfo(english).isFile())
        Load_Lang_File(english);
}

QByteArray LanguageTexts::toLanguageFile() const
{
    QString out;
    out += QStringLiteral("//VERSION ") + m_fileVersion + QStringLiteral("\r\n");
    for (int i = 0; i < m_texts.size(); ++i)
        out += QStringLiteral("STR%1 = ").arg(i) + kPilcrow + m_texts[i] + kPilcrow + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

} // namespace cf
