#include "update/BankCheck.h"

namespace cf::update {

quint32 parameterBlockSum(const QByteArray &image)
{
    quint32 sum = 0;
    const qsizetype end = qMin(image.size(), kChecksumOffset);
    for (qsizetype i = kParameterBlockOffset; i < end; ++i)
        sum += static_cast<unsigned char>(image.at(i));
    return sum;
}

bool bankChecksumHolds(const QByteArray &image)
{
    if (image.size() != kBankImageBytes)
        return false;
    quint32 stored = 0;
    for (int i = 3; i >= 0; --i)
        stored = (stored << 8) | static_cast<unsigned char>(image.at(kChecksumOffset + i));
    return stored == parameterBlockSum(image);
}

} // namespace cf::update
