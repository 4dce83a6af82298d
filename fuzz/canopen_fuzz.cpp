// The three CANopen table files: reader, validation and writer, each input read as all three.
// The streamed reader is held against a plain tree walk of the same rules.
#include "FuzzInput.h"
#include "app/XmlFile.h"
#include "editors/CanopenTables.h"
#include "lang/LanguageTexts.h"

namespace {

void treeLoad(const QDomDocument &document, cf::CanopenTables &tables)
{
    const QDomElement root = cf::xml::rootElement(document);
    for (int page = 0; page < 2; ++page) {
        cf::CanopenTable &table = tables.table(page);
        const cf::CanopenTableLayout &layout = table.layout();
        const QList<QDomElement> rows = cf::xml::childElements(cf::xml::childElement(root, layout.section));
        for (int r = 1; r <= std::min(int(rows.size()), table.rowCount()); ++r)
            for (int c = 1; c <= layout.dataColumns(); ++c)
                if (const auto value = cf::xml::attribute(rows.at(r - 1), layout.columns.at(c).attribute))
                    table.setCell(r, c, *value);
    }
}

bool sameRows(const cf::CanopenTables &a, const cf::CanopenTables &b)
{
    return a.table(0).rows() == b.table(0).rows() && a.table(1).rows() == b.table(1).rows();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const cf::LanguageTexts texts;
    const QByteArray input = cf::fuzz::bytes(data, size);
    const auto tree = cf::xml::parse(input, QStringLiteral("CANopen.xml"));
    for (const auto file : {cf::CanopenFile::SdoServer, cf::CanopenFile::SdoClient, cf::CanopenFile::Pdo}) {
        cf::CanopenTables tables(file);
        const auto loaded = cf::loadCanopenBytes(input, QStringLiteral("CANopen.xml"), tables);
        if (loaded.loaded() != tree.loaded())
            __builtin_trap();
        if (!loaded.loaded())
            continue;
        cf::CanopenTables expected(file);
        treeLoad(tree.document, expected);
        if (!sameRows(tables, expected))
            __builtin_trap();
        (void)cf::Controllo_dati(tables, texts);
        // The saved rules must read back the same.
        cf::CanopenTables again(file);
        if (!cf::loadCanopenBytes(cf::canopenFileBytes(tables), QStringLiteral("CANopen.xml"), again).loaded())
            __builtin_trap();
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
