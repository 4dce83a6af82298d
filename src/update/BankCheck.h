#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace cf::update {

inline constexpr qsizetype kBankImageBytes = 67584;
inline constexpr qsizetype kParameterBlockOffset = 65536;
inline constexpr qsizetype kChecksumOffset = kParameterBlockOffset + 2044;

// Byte sum of the parameter block up to its checksum field.
quint32 parameterBlockSum(const QByteArray &image);
// True for an image of the right size whose stored checksum (little-endian) matches.
bool bankChecksumHolds(const QByteArray &image);

} // namespace cf::update
