#pragma once

#include "editors/FileCheck.h"

namespace cf {

// ParGen.xml loaded as the Set Communication dialog shows it, then its OK validation.
FileCheck checkParGenFile(const QString &projectDir, const QString &filePath, const LanguageTexts &texts);

} // namespace cf
