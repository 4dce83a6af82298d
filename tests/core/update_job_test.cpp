#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/XmlFile.h"
#include "platform/FileReplace.h"
#include "platform/Launcher.h"
#include "update/UpdateJob.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

using cf::Split_IP_Text;

struct SplitCase {
    const char *text;
    bool ok;
    const char *parts[4];
};

const SplitCase kSplitCases[] = {
    {"192.168.2.205", true, {"192", "168", "2", "205"}},
    {"  10 . 0 .  0 . 1  ", true, {"10", "0", "0", "1"}},
    {"0.0.0.0", true, {"0", "0", "0", "0"}},
    {"255.255.255.255", true, {"255", "255", "255", "255"}},
    {"0x0A.$10.x1.7", true, {"0x0A", "$10", "x1", "7"}}, // the one text-to-integer rule
    {"10.0.0", false, {}},
    {"1.2.3.300", false, {}},
    {"1.2.3.-1", false, {}},
    {"", false, {}},
    {"   ", false, {}},
    {"1.2.3.4.5", false, {}},  // extra dots stay in part 4, which then fails
    {"a.b.c.d", false, {}},
    {"1..3.4", false, {}},     // an empty part does not convert
    {"1.2.3.", false, {}},
    {"localhost", false, {}},
};

TEST(SplitIpText, Table)
{
    for (const SplitCase &c : kSplitCases) {
        SCOPED_TRACE(c.text);
        const auto parts = Split_IP_Text(QString::fromLatin1(c.text));
        ASSERT_EQ(parts.has_value(), c.ok);
        if (!c.ok)
            continue;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ((*parts)[size_t(i)], QString::fromLatin1(c.parts[i])) << "part " << i;
    }
}

// One element of the expected job: name and text, or name and children.
struct Node {
    QString name;
    QString text;
    QList<Node> children;
};

Node leaf(const char *name, const QString &text) { return {QString::fromLatin1(name), text, {}}; }

Node operation(bool firmware, const QString &file, bool readBack, bool goToAppAfter)
{
    const QString rb = readBack ? QStringLiteral("1") : QStringLiteral("0");
    return {QStringLiteral("Operation"), QString(), {
        leaf("Ope_Protection_Enabled", QString()),
        leaf("Ope_GoToBoot_Before", QStringLiteral("0")),
        leaf("Ope_GoToApp_Before", QStringLiteral("0")),
        leaf("Ope_IP_Address", QString()),
        leaf("Ope_Port", QStringLiteral("2008")),
        leaf("Ope_Port_Sec", QStringLiteral("2007")),
        leaf("Ope_Erase_Memory", QStringLiteral("0")),
        leaf("Ope_FileName", file),
        leaf("Ope_Start_Address", firmware ? QStringLiteral("0x8000") : QStringLiteral("0x58000")),
        leaf("Ope_Memory_Type", QStringLiteral("0")),
        leaf("Ope_Bank_Type", firmware ? QStringLiteral("1") : QStringLiteral("2")),
        leaf("Ope_Read_Back", rb),
        leaf("Ope_Write_CSS", firmware ? QStringLiteral("1") : QStringLiteral("0")),
        leaf("Ope_Address_CSS", firmware ? QStringLiteral("0x78100") : QStringLiteral("0x50100")),
        leaf("Ope_Command_CSS", QStringLiteral("0x0B")),
        leaf("Ope_GoToApp_After", goToAppAfter ? QStringLiteral("1") : QStringLiteral("0")),
    }};
}

void expectSame(const QDomElement &actual, const Node &expected, const QString &where)
{
    SCOPED_TRACE(where.toStdString());
    ASSERT_FALSE(actual.isNull());
    EXPECT_EQ(actual.tagName(), expected.name);
    EXPECT_FALSE(actual.hasAttributes());
    const QList<QDomElement> children = cf::xml::childElements(actual);
    if (expected.children.isEmpty()) {
        EXPECT_TRUE(children.isEmpty());
        EXPECT_EQ(cf::xml::plainText(actual).value_or(QStringLiteral("<not text>")), expected.text);
        return;
    }
    ASSERT_EQ(children.size(), expected.children.size());
    for (qsizetype i = 0; i < children.size(); ++i)
        expectSame(children[i], expected.children[i],
                   where + u'/' + expected.children[i].name + QStringLiteral("[%1]").arg(i));
}

class JobFile : public ::testing::Test {
protected:
    cf::test::TempExeDir exe;
    QString projectDir = exe.file(QStringLiteral("PROJECTS/Plant"));
};

TEST_F(JobFile, OptionsAndReadBackElementByElement)
{
    const QString firmware = QDir::toNativeSeparators(exe.path() + QStringLiteral("/MASTER/Sim40210.sim"));
    const QString bank = QDir::toNativeSeparators(projectDir + QStringLiteral("/bin/bank.bin"));
    const struct {
        int option;
        bool readBack;
        QList<Node> operations;
    } cases[] = {
        {cf::kFirmwareAndConfiguration, false,
         {operation(true, firmware, false, false), operation(false, bank, false, true)}},
        {cf::kFirmwareAndConfiguration, true,
         {operation(true, firmware, true, false), operation(false, bank, true, true)}},
        {cf::kFirmwareOnly, false, {operation(true, firmware, false, true)}},
        {cf::kFirmwareOnly, true, {operation(true, firmware, true, true)}},
        {cf::kConfigurationOnly, false, {operation(false, bank, false, true)}},
        {cf::kConfigurationOnly, true, {operation(false, bank, true, true)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " read back " << c.readBack);
        const cf::UpdateJob job = cf::makeUpdateJob(exe.path(), projectDir, QStringLiteral("127.0.0.1"),
                                                    c.option, c.readBack);
        QString error;
        ASSERT_TRUE(cf::Compile_XML_Parameter(exe.path(), job, &error)) << error.toStdString();

        const Node expected{QStringLiteral("Ethernet_Update"), QString(), {
            leaf("Version", QStringLiteral("1000")),
            leaf("Title", QStringLiteral("Velmora - CF40210 Ethernet Update")),
            leaf("IP_Address_Dev", QStringLiteral("127.0.0.1")),
            leaf("Application_Port", QStringLiteral("10000")),
            leaf("Boot_Port", QStringLiteral("2008")),
            leaf("Boot_Port_Sec", QStringLiteral("2007")),
            leaf("Address_Protection", QStringLiteral("0x78000")),
            {QStringLiteral("Protections"), QString(), {leaf("Protection", QStringLiteral("0x188"))}},
            {QStringLiteral("Operations"), QString(), c.operations},
        }};
        const cf::xml::LoadResult loaded = cf::xml::loadFile(exe.file(QStringLiteral("Ethernet_Update.xml")));
        ASSERT_TRUE(loaded.loaded()) << loaded.error.toStdString();
        // The root comes first: no declaration, no comment.
        EXPECT_TRUE(loaded.document.firstChild().isElement());
        expectSame(cf::xml::rootElement(loaded.document), expected, QStringLiteral("Ethernet_Update"));
    }
}

TEST_F(JobFile, PathsAreAbsoluteWithThePlatformSeparator)
{
    const cf::UpdateJob job = cf::makeUpdateJob(exe.path(), projectDir, QStringLiteral("1.2.3.4"), 0, false);
    for (const QString &path : {job.firmwareFile, job.configurationFile, cf::jobFilePath(exe.path()),
                                cf::updaterPath(exe.path())}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(QFileInfo(path).isAbsolute());
        EXPECT_EQ(path, QDir::toNativeSeparators(path));
    }
    EXPECT_TRUE(job.firmwareFile.endsWith(QDir::toNativeSeparators(QStringLiteral("/MASTER/Sim40210.sim"))));
    EXPECT_TRUE(job.configurationFile.endsWith(QDir::toNativeSeparators(QStringLiteral("/bin/bank.bin"))));
}

class RecordingLauncher : public cf::ProgramLauncher {
public:
    std::optional<qint64> start(const QString &program, const QString &commandLine, bool hidden) override
    {
        this->program = program;
        this->commandLine = commandLine;
        this->hidden = hidden;
        return 4242;
    }
    bool isRunning(qint64) override { return false; }
    QString program;
    QString commandLine = QStringLiteral("<unset>");
    bool hidden = true;
};

TEST(StartUpdater, RunsTheUpdaterBesideTheProgramWithoutArguments)
{
    RecordingLauncher launcher;
    const QString exeDir = QDir::toNativeSeparators(QDir::tempPath());
    EXPECT_EQ(cf::startUpdater(launcher, exeDir), cf::StartOutcome::Ended);
#ifdef Q_OS_WIN
    EXPECT_EQ(launcher.program, exeDir + QStringLiteral("\\Ethernet_Update.exe"));
#else
    EXPECT_EQ(launcher.program, exeDir + QStringLiteral("/Ethernet_Update"));
#endif
    EXPECT_TRUE(launcher.commandLine.isEmpty());
    EXPECT_FALSE(launcher.hidden);
}

} // namespace
