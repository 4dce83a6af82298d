// The three CANopen table files: reader, validation and writer, each input read as all three.
#include "FuzzInput.h"
#include "app/XmlFile.h"
#include "editors/CanopenTables.h"
#include "lang/LanguageTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const cf::LanguageTexts texts;
    const auto loaded = cf::xml::parse(cf::fuzz::bytes(data, size), QStringLiteral("CANopen.xml"));
    if (!loaded.loaded())
        return 0;
    for (const auto file : {cf::CanopenFile::SdoServer, cf::CanopenFile::SdoClient, cf::CanopenFile::Pdo}) {
        cf::CanopenTables tables(file);
        cf::loadCanopenDocument(loaded.document, tables);
        (void)cf::Controllo_dati(tables, texts);
        // The saved rules must read back the same.
        const auto written = cf::xml::parse(cf::canopenFileBytes(tables), QStringLiteral("CANopen.xml"));
        if (!written.loaded())
            __builtin_trap();
        cf::CanopenTables again(file);
        cf::loadCanopenDocument(written.document, again);
        for (int page = 0; page < 2; ++page) {
            const int saved = tables.table(page).savedRuleCount();
            if (again.table(page).savedRuleCount() != saved)
                __builtin_trap();
            for (int r = 1; r <= saved; ++r)
                if (tables.table(page).row(r) != again.table(page).row(r))
                    __builtin_trap();
        }
    }
    return 0;
}
