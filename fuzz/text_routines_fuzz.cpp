// Address, object identifier, version and number conversions.
#include "FuzzInput.h"
#include "app/TextToInt.h"
#include "editors/TextValidators.h"
#include "lang/VersionCheck.h"
#include "update/UpdateJob.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = cf::fuzz::text(data, size);
    std::array<int, 4> bytes{};
    if (!cf::Split_IP_Address(text, bytes)) {
        for (int b : bytes)
            if (b < 0 || b > 255)
                __builtin_trap();
    }
    const int oid = cf::Check_OID_String(text);
    if (oid < 0 || oid > cf::kOidEmpty)
        __builtin_trap();
    if (const auto value = cf::parseInt(text)) {
        // A decimal result prints back to a text that converts to the same value.
        if (cf::parseInt(QString::number(*value)) != value)
            __builtin_trap();
    }
    if (const auto parts = cf::Split_IP_Text(text)) {
        for (const QString &part : *parts) {
            const int value = cf::textToInt(part, -1);
            if (value < 0 || value > 255)
                __builtin_trap();
        }
    }
    // Four digits at most, with an optional sign.
    const int version = cf::Conv_Version(text);
    if (version < -999 || version > 9999)
        __builtin_trap();
    return 0;
}
