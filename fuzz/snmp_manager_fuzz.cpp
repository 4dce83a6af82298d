// SNMP_Manager.xml reader, validation and writer.
#include "FuzzInput.h"
#include "editors/SnmpManagerTable.h"
#include "lang/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const cf::LanguageTexts texts;
    static const auto table = cf::snmp::makeTable();
    static const auto again = cf::snmp::makeTable();
    const QString path = cf::fuzz::putFile(QStringLiteral("SNMP_Manager.xml"), cf::fuzz::bytes(data, size));
    cf::snmp::resetTable(*table);
    if (cf::snmp::loadFile(path, *table))
        return 0;
    (void)cf::snmp::Controllo_dati(*table, texts);
    QString error;
    const QByteArray written = cf::snmp::fileBytes(*table, &error);
    if (written.isEmpty()) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    // The saved rows must read back the same.
    cf::snmp::resetTable(*again);
    if (cf::snmp::loadFile(cf::fuzz::putFile(QStringLiteral("SNMP_Manager.xml"), written), *again))
        __builtin_trap();
    const int saved = cf::snmp::savedRowCount(*table);
    if (cf::snmp::savedRowCount(*again) != saved)
        __builtin_trap();
    for (int r = 1; r <= saved; ++r)
        if (table->rowTexts(r) != again->rowTexts(r))
            __builtin_trap();
    return 0;
}
