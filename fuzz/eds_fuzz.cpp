// The EDS writer's inputs: PDO_CANopen.xml and SDO_Server_CANopen.xml, split at the first
// NUL byte (an empty part is a missing file).
#include "FuzzInput.h"
#include "devfiles/Eds.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto [pdo, sdo] = cf::fuzz::splitAtNul(cf::fuzz::bytes(data, size));
    cf::fuzz::putFile(QStringLiteral("PDO_CANopen.xml"), pdo, !pdo.isEmpty());
    cf::fuzz::putFile(QStringLiteral("SDO_Server_CANopen.xml"), sdo, !sdo.isEmpty());
    cf::EdsInput input;
    if (const auto error = cf::readEdsInput(cf::fuzz::workDir(), &input)) {
        if (error->isEmpty())
            __builtin_trap();
        return 0;
    }
    if (input.receive.size() > cf::kMaxPdosPerDirection || input.transmit.size() > cf::kMaxPdosPerDirection)
        __builtin_trap();
    static const QDateTime at(QDate(2026, 12, 10), QTime(15, 45));
    if (cf::buildEdsText(input, at).isEmpty())
        __builtin_trap();
    return 0;
}
