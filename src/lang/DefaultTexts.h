#pragma once

#include <QStringList>

namespace cf {

// Number of entries in the user-interface text table.
inline constexpr int kTextCount = 1200;

// The 1200 built-in English texts, in index order. Unused indices hold " ".
const QStringList &defaultEnglishTexts();

} // namespace cf
