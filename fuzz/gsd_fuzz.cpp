// The GSD writer's input: the PROFIBUS sizes of ParGen.xml.
#include "FuzzInput.h"
#include "devfiles/Gsd.h"
#include "lang/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const cf::LanguageTexts texts;
    const QString path = cf::fuzz::putFile(QStringLiteral("ParGen.xml"), cf::fuzz::bytes(data, size));
    const cf::GsdInput input = cf::readGsdSizes(path, texts);
    if (input.status != cf::GsdInput::Status::Ok) {
        if (input.message.isEmpty())
            __builtin_trap();
        return 0;
    }
    if (cf::gsdSizeError(input.sizes, texts))
        return 0;
    if (cf::buildGsdText(input.sizes).isEmpty())
        __builtin_trap();
    return 0;
}
