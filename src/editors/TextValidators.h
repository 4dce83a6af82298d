#pragma once

#include <QString>
#include <array>

namespace cf {

// Split_IP_Address: true when the text is not a valid dotted address. Each invalid
// position's byte is set to 0; an empty text leaves the bytes untouched.
bool Split_IP_Address(const QString &text, std::array<int, 4> &bytes);

// Check_OID_String: 0 when the object identifier is valid, else the first failing
// rule 1..6. An empty text gives 7 so callers reject it.
int Check_OID_String(const QString &text);

inline constexpr int kOidMaxLength = 64;
inline constexpr int kOidEmpty = 7;

} // namespace cf
