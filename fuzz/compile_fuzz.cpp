// The image compile from ParGen.xml and SNMP_Manager.xml (the input holds both, split at
// the first NUL byte; an empty part is a missing file).
#include "FuzzInput.h"
#include "image/USaveBincc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static cf::USaveBincc compiler;
    const auto [parGen, snmp] = cf::fuzz::splitAtNul(cf::fuzz::bytes(data, size));
    const QString parGenPath = cf::fuzz::putFile(QStringLiteral("ParGen.xml"), parGen, !parGen.isEmpty());
    const QString snmpPath = cf::fuzz::putFile(QStringLiteral("SNMP_Manager.xml"), snmp, !snmp.isEmpty());
    if (const auto error = compiler.Compile_Bank(parGenPath, snmpPath)) {
        if (error->isEmpty())
            __builtin_trap();
        return 0;
    }
    const QByteArray image = compiler.image();
    if (image.size() != cf::bank::kImageSize || compiler.requestCount() > cf::bank::kRecordCount)
        __builtin_trap();
    const auto *block = reinterpret_cast<const std::uint8_t *>(image.constData()) + cf::bank::kTableSize;
    if (cf::bank::blockChecksum(block) != compiler.checksum())
        __builtin_trap();
    return 0;
}
