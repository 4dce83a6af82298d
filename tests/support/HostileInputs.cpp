#include "HostileInputs.h"

#include "TestSupport.h"

#include <QDir>

namespace cf::test {

namespace {

// Literals that hold NUL bytes keep their whole length.
template <qsizetype N>
QByteArray bytes(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

QByteArray utf16le(const char16_t *text)
{
    QByteArray out;
    for (; *text; ++text) {
        out += char(*text & 0xFF);
        out += char(*text >> 8);
    }
    return out;
}

QByteArray snmpRow()
{
    return "<row Enable=\"Y\" IP_Address=\"127.0.0.1\" Version=\"V2c\" Community_String=\"public\" "
           "OID=\"1.3.6.1.2.1.1.3.0\" Type=\"INT\" Mode=\"GET\" On_Change=\"N\" On_Command=\"N\" "
           "On_Timer=\"Y\" Time=\"1000\" Position=\"0\" Number_Bytes=\"4\" ConvertFrom=\"None\" "
           "Mnemonic=\"uptime\"/>";
}

QByteArray nested(const QByteArray &root, int depth)
{
    return "<" + root + ">" + QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth) + "</"
           + root + ">";
}

// Nine levels of tenfold entities: a billion "lol"s from a file of a kilobyte.
QByteArray laughs(const QByteArray &root, const QByteArray &element)
{
    QByteArray doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE " + root + " [\n<!ENTITY lol0 \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        doc += "<!ENTITY lol" + QByteArray::number(i) + " \"";
        doc += ("&lol" + QByteArray::number(i - 1) + ";").repeated(10);
        doc += "\">\n";
    }
    return doc + "]>\n<" + root + ">" + element + "</" + root + ">";
}

QByteArray languageLines(qsizetype atLeast)
{
    QByteArray block;
    for (int i = 1; i < 1200; ++i)
        block += "STR" + QByteArray::number(i) + " =text " + QByteArray::number(i) + "\r\n";
    QByteArray all;
    all.reserve(atLeast + block.size());
    while (all.size() < atLeast)
        all += block;
    return all;
}

} // namespace

QList<HostileInput> writeHostileInputs(const QString &dir)
{
    QList<HostileInput> inputs;
    const auto language = [&](const char *name, const QByteArray &bytes) {
        const QString path = QDir(dir).filePath(QString::fromUtf8(name) + QStringLiteral(".lng"));
        writeFile(path, bytes);
        inputs.append({QString::fromUtf8(name), HostileInput::Kind::LanguageFile, path});
    };
    const auto configuration = [&](const char *name, const QList<std::pair<const char *, QByteArray>> &files) {
        const QString folder = QDir(dir).filePath(QString::fromUtf8(name));
        QDir().mkpath(QDir(folder).filePath(QStringLiteral("bin")));
        for (const auto &[file, bytes] : files)
            writeFile(QDir(folder).filePath(QString::fromUtf8(file)), bytes);
        inputs.append({QString::fromUtf8(name), HostileInput::Kind::Configuration, folder});
    };

    language("language-10MB", languageLines(10 * 1024 * 1024));
    language("language-1MB-line", "STR1 =" + QByteArray(1024 * 1024, 'x') + "\r\nSTR2 =two\r\n");
    language("language-utf16-odd-length",
             bytes("\xFF\xFE") + utf16le(u"STR1 =one\r\nSTR2 =two") + "S");
    language("language-nul-bytes", bytes("STR1 =o\0ne\r\n\0\0STR2 =two\r\n"));
    language("language-invalid-utf8", "\xEF\xBB\xBFSTR1 =o\xFF\xC3ne\r\nSTR2 =two\xE2\x82\r\n");

    const QByteArray rows = "<SNMP_Agent_Access>" + snmpRow().repeated(100000) + "</SNMP_Agent_Access>";
    configuration("snmp-100000-rows", {{"SNMP_Manager.xml", rows}});
    QByteArray pdoRows;
    QByteArray sdoRows;
    for (int i = 0; i < 100000; ++i) {
        pdoRows += "<row CobID=\"0x181\" COB-ID=\"0x181\" Dimension=\"8\" Mnemonic=\"m\"/>";
        sdoRows += "<row Index=\"" + QByteArray::number(0x2000 + i % 0x5000) + "\" SubIndex=\"" + QByteArray::number(i % 256)
                   + "\" NByte=\"1\" Mnemonic=\"m\"/>";
    }
    configuration("pdo-100000-rows",
                  {{"PDO_CANopen.xml", "<PDO_CANopen><Receive_PDO>" + pdoRows + "</Receive_PDO><Transmit_PDO/></PDO_CANopen>"}});
    configuration("sdo-server-100000-rows",
                  {{"SDO_Server_CANopen.xml",
                    "<SDO_Server_CANopen><SDO_Read>" + sdoRows + "</SDO_Read><SDO_Write/></SDO_Server_CANopen>"}});
    // Prefixes without a declared namespace: the tree reader takes them as part of the name.
    configuration("snmp-undeclared-prefix",
                  {{"SNMP_Manager.xml", "<SNMP_Agent_Access><x:row Enable=\"Y\" y:OID=\"1\"/></SNMP_Agent_Access>"}});
    configuration("snmp-1MB-line",
                  {{"SNMP_Manager.xml", "<SNMP_Agent_Access><row Enable=\"Y\" IP_Address=\"127.0.0.1\" OID=\""
                                            + QByteArray("1.").repeated(512 * 1024)
                                            + "\"/></SNMP_Agent_Access>"}});
    configuration("pargen-nested-10000", {{"ParGen.xml", nested("Par_Gen", 10000)}});
    configuration("snmp-nested-10000", {{"SNMP_Manager.xml", nested("SNMP_Agent_Access", 10000)}});
    configuration("pdo-nested-10000", {{"PDO_CANopen.xml", nested("PDO_CANopen", 10000)}});
    configuration("pargen-billion-laughs",
                  {{"ParGen.xml", laughs("Par_Gen", "<Station_Name>&lol9;</Station_Name>")}});
    configuration("snmp-billion-laughs",
                  {{"SNMP_Manager.xml", laughs("SNMP_Agent_Access", "<row Enable=\"Y\" Mnemonic=\"&lol9;\"/>")}});
    configuration("pargen-nul-bytes",
                  {{"ParGen.xml", bytes("<Par_Gen><Station_Name>a\0b</Station_Name></Par_Gen>")}});
    configuration("snmp-invalid-utf8",
                  {{"SNMP_Manager.xml", "<SNMP_Agent_Access><row Enable=\"Y\" Mnemonic=\"a\xFF\xC3z\"/>"
                                        "</SNMP_Agent_Access>"}});
    return inputs;
}

} // namespace cf::test
