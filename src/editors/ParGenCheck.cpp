#include "editors/ParGenCheck.h"

#include "editors/ParGen.h"

namespace cf {

FileCheck checkParGenFile(const QString &projectDir, const QString &filePath, const LanguageTexts &texts)
{
    Q_UNUSED(projectDir);
    const ParGenLoad loaded = loadParGen(filePath);
    if (loaded.failed())
        return FileCheck::malformed(loaded.error);
    if (const std::optional<QString> error = Controllo_Dati(loaded.data, texts))
        return FileCheck::failed(*error);
    return FileCheck::ok();
}

} // namespace cf
