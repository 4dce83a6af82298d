// Language file reader; the table must keep its 1200 entries.
#include "FuzzInput.h"
#include "lang/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    cf::LanguageTexts texts;
    texts.loadLangBytes(cf::fuzz::bytes(data, size));
    if (texts.size() != cf::kTextCount)
        __builtin_trap();
    return 0;
}
