#pragma once

#include <QStringView>
#include <optional>

namespace cf {

// Whole-text conversion to a signed 32-bit integer: leading blanks, an optional
// sign, decimal digits or hexadecimal digits after "$", "0x" or "x". Hexadecimal
// takes any 32-bit pattern (0xFFFFFFFF is -1), decimal must fit the signed range.
std::optional<int> parseInt(QStringView text);

inline int textToInt(QStringView text, int fallback)
{
    return parseInt(text).value_or(fallback);
}

} // namespace cf
