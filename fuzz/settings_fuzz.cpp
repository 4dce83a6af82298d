// Tessel.xml reader.
#include "FuzzInput.h"
#include "app/AppSettings.h"
#include "app/XmlFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto loaded = cf::xml::parse(cf::fuzz::bytes(data, size), QStringLiteral("Tessel.xml"));
    if (loaded.loaded()) {
        const cf::AppSettings s = cf::AppSettings::fromDocument(loaded.document);
        // What is written must read back the same.
        const auto again = cf::xml::parse(s.toXml(), QStringLiteral("Tessel.xml"));
        if (!again.loaded() || !(cf::AppSettings::fromDocument(again.document) == s))
            __builtin_trap();
    }
    return 0;
}
