// ParGen.xml reader, validation and writer.
#include "FuzzInput.h"
#include "editors/ParGen.h"
#include "lang/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const cf::LanguageTexts texts;
    const cf::ParGenLoad load = cf::parseParGen(cf::fuzz::bytes(data, size), QStringLiteral("ParGen.xml"));
    if (load.failed()) {
        if (load.error.isEmpty())
            __builtin_trap();
        return 0;
    }
    (void)cf::Controllo_Dati(load.data, texts);
    (void)cf::etherNetIpSizes(load.data);
    // What is written must read back the same.
    const cf::ParGenLoad again = cf::parseParGen(cf::parGenBytes(load.data), QStringLiteral("ParGen.xml"));
    if (again.status != cf::ParGenLoad::Status::Loaded || !(again.data == load.data))
        __builtin_trap();
    return 0;
}
