#include "update/UpdateJob.h"

#include "app/Paths.h"
#include "app/TextToInt.h"
#include "app/XmlFile.h"
#include "platform/FileReplace.h"

namespace cf {

std::optional<std::array<QString, 4>> Split_IP_Text(const QString &text)
{
    std::array<QString, 4> parts;
    QString rest = text.trimmed();
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0)
            return std::nullopt;
        parts[i] = rest.left(dot).trimmed();
        rest = rest.mid(dot + 1).trimmed();
    }
    parts[3] = rest;
    for (const QString &part : parts) {
        const int value = textToInt(part, 1000);
        if (value < 0 || value > 255)
            return std::nullopt;
    }
    return parts;
}

QString jobFilePath(const QString &exeDir)
{
    return joinPath(exeDir, QStringLiteral("Ethernet_Update.xml"));
}

QString firmwareFilePath(const QString &exeDir)
{
    return joinPath(exeDir, QStringLiteral("MASTER"), QStringLiteral("Sim40210.sim"));
}

QString configurationImagePath(const QString &projectDir)
{
    return joinPath(projectDir, QStringLiteral("bin"), QStringLiteral("bank.bin"));
}

QString updaterPath(const QString &exeDir)
{
#ifdef Q_OS_WIN
    return joinPath(exeDir, QStringLiteral("Ethernet_Update.exe"));
#else
    return joinPath(exeDir, QStringLiteral("Ethernet_Update"));
#endif
}

UpdateJob makeUpdateJob(const QString &exeDir, const QString &projectDir, const QString &address,
                        int option, bool readBack)
{
    UpdateJob job;
    job.deviceAddress = address;
    job.option = option;
    job.readBack = readBack;
    job.firmwareFile = firmwareFilePath(exeDir);
    job.configurationFile = configurationImagePath(projectDir);
    return job;
}

namespace {

struct OperationValues {
    QString fileName;
    const char16_t *startAddress;
    const char16_t *bankType;
    const char16_t *writeCss;
    const char16_t *addressCss;
    bool goToAppAfter;
};

void appendOperation(QDomDocument &doc, QDomElement &operations, const OperationValues &v,
                     bool readBack)
{
    QDomElement op = doc.createElement(QStringLiteral("Operation"));
    operations.appendChild(op);
    const QString zero = QStringLiteral("0");
    const std::pair<const char16_t *, QString> children[] = {
        {u"Ope_Protection_Enabled", QString()},
        {u"Ope_GoToBoot_Before", zero},
        {u"Ope_GoToApp_Before", zero},
        {u"Ope_IP_Address", QString()},
        {u"Ope_Port", QStringLiteral("2008")},
        {u"Ope_Port_Sec", QStringLiteral("2007")},
        {u"Ope_Erase_Memory", zero},
        {u"Ope_FileName", v.fileName},
        {u"Ope_Start_Address", QString::fromUtf16(v.startAddress)},
        {u"Ope_Memory_Type", zero},
        {u"Ope_Bank_Type", QString::fromUtf16(v.bankType)},
        {u"Ope_Read_Back", readBack ? QStringLiteral("1") : zero},
        {u"Ope_Write_CSS", QString::fromUtf16(v.writeCss)},
        {u"Ope_Address_CSS", QString::fromUtf16(v.addressCss)},
        {u"Ope_Command_CSS", QStringLiteral("0x0B")},
        {u"Ope_GoToApp_After", v.goToAppAfter ? QStringLiteral("1") : zero},
    };
    for (const auto &[name, text] : children)
        xml::appendTextElement(doc, op, QString::fromUtf16(name), text);
}

} // namespace

QDomDocument jobDocument(const UpdateJob &job)
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("Ethernet_Update"));
    doc.appendChild(root);
    const std::pair<const char16_t *, QString> head[] = {
        {u"Version", QStringLiteral("1000")},
        {u"Title", QStringLiteral("Velmora - CF40210 Ethernet Update")},
        {u"IP_Address_Dev", job.deviceAddress},
        {u"Application_Port", QStringLiteral("10000")},
        {u"Boot_Port", QStringLiteral("2008")},
        {u"Boot_Port_Sec", QStringLiteral("2007")},
        {u"Address_Protection", QStringLiteral("0x78000")},
    };
    for (const auto &[name, text] : head)
        xml::appendTextElement(doc, root, QString::fromUtf16(name), text);
    QDomElement protections = xml::appendTextElement(doc, root, QStringLiteral("Protections"), QString());
    xml::appendTextElement(doc, protections, QStringLiteral("Protection"), QStringLiteral("0x188"));
    QDomElement operations = xml::appendTextElement(doc, root, QStringLiteral("Operations"), QString());

    const bool firmware = job.option == kFirmwareAndConfiguration || job.option == kFirmwareOnly;
    const bool configuration = job.option == kFirmwareAndConfiguration || job.option == kConfigurationOnly;
    // The device goes back to its application only after the last operation.
    if (firmware)
        appendOperation(doc, operations,
                        {job.firmwareFile, u"0x8000", u"1", u"1", u"0x78100", !configuration},
                        job.readBack);
    if (configuration)
        appendOperation(doc, operations,
                        {job.configurationFile, u"0x58000", u"2", u"0", u"0x50100", true},
                        job.readBack);
    return doc;
}

bool Compile_XML_Parameter(const QString &exeDir, const UpdateJob &job, QString *error)
{
    return replaceFile(jobFilePath(exeDir), xml::toBytes(jobDocument(job)), error);
}

StartOutcome startUpdater(ProgramLauncher &launcher, const QString &exeDir,
                          const std::function<void(int)> &idle, int timeoutMs)
{
    return startProgram(launcher, updaterPath(exeDir), QString(), false, idle, timeoutMs);
}

} // namespace cf
