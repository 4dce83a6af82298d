#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace cf {

class LanguageTexts;

// The PROFIBUS data sizes, seen from the master.
struct GsdSizes {
    int I = 0; // PROFIBUS_Slave_NB_OUT: bytes the slave sends, the master's inputs
    int O = 0; // PROFIBUS_Slave_NB_IN: bytes the slave receives, the master's outputs
};

// The largest size the PROFIBUS Slave dialog accepts; it keeps module numbers in one byte.
constexpr int kMaxProfibusBytes = 244;

struct GsdInput {
    enum class Status { Ok, MissingParGen, Malformed, Refused };
    Status status = Status::Ok;
    GsdSizes sizes;
    QString message; // the text to show unless Ok
};

// Reads the two sizes from ParGen.xml (a missing or non-numeric element gives 0).
GsdInput readGsdSizes(const QString &parGenPath, const LanguageTexts &texts);

// The refusal text when a size lies outside 0..244.
std::optional<QString> gsdSizeError(const GsdSizes &sizes, const LanguageTexts &texts);

// The chosen name, with ".gsd" appended unless it already ends with its first ".gsd" (any case).
QString gsdFileName(const QString &chosen);

// The whole GSD text, CR LF after every line. Sizes must lie within 0..244.
QByteArray buildGsdText(const GsdSizes &sizes);

// Replaces `path` with the GSD for the sizes. Returns the message to show when nothing was written.
std::optional<QString> Write_GSD_File(const QString &path, const GsdSizes &sizes, const LanguageTexts &texts);

} // namespace cf
