#include <gtest/gtest.h>

#include "TestSupport.h"
#include "update/BankCheck.h"
#include "update/UpdateJob.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

// A configuration image as the device takes it: 67584 bytes, the parameter block's
// byte sum over offsets 0..2043 stored little-endian at 2044.
QByteArray validBank()
{
    QByteArray image(67584, '\0');
    image[65536 + 0] = char(0x48); // 125000
    image[65536 + 1] = char(0xE8);
    image[65536 + 2] = char(0x01);
    image[65536 + 40] = char(192);
    image[65536 + 41] = char(168);
    image[100] = char(0x7F); // request table: not covered
    quint32 sum = 0;
    for (int i = 65536; i < 65536 + 2044; ++i)
        sum += quint8(image[i]);
    for (int i = 0; i < 4; ++i)
        image[65536 + 2044 + i] = char((sum >> (8 * i)) & 0xFF);
    return image;
}

TEST(BankCheck, ChecksumOfTheParameterBlock)
{
    const QByteArray good = validBank();
    QByteArray requestChanged = good;
    requestChanged[5000] = char(0x55);
    QByteArray blockChanged = good;
    blockChanged[65536 + 80] = char(0x01);
    QByteArray sumChanged = good;
    sumChanged[65536 + 2047] = char(0x01);
    QByteArray empty(67584, '\0'); // sum 0 stored as 0: holds
    const struct {
        const char *name;
        QByteArray image;
        bool holds;
    } cases[] = {
        {"valid", good, true},
        {"request table changed", requestChanged, true},
        {"parameter byte changed", blockChanged, false},
        {"stored sum changed", sumChanged, false},
        {"all zero", empty, true},
        {"one byte short", good.left(67583), false},
        {"one byte long", good + QByteArray(1, '\0'), false},
        {"nothing", QByteArray(), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cf::update::bankChecksumHolds(c.image), c.holds);
    }
}

// Runs a copy of the stand-in updater placed in a temporary ExeDir, as the
// configurator starts it: no arguments, another working directory.
class StandInUpdater : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString built = cf::updaterPath(QStringLiteral(CF_BIN_DIR));
        ASSERT_TRUE(QFile::exists(built)) << "build the Ethernet_Update target first";
        program = cf::updaterPath(exe.path());
        ASSERT_TRUE(QFile::copy(built, program));
        exe.write(QStringLiteral("MASTER/Sim40210.sim"), "firmware stand-in\n");
        exe.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), validBank());
        projectDir = exe.file(QStringLiteral("PROJECTS/Plant"));
    }

    void writeJob(int option, bool readBack)
    {
        QString error;
        ASSERT_TRUE(cf::Compile_XML_Parameter(
            exe.path(), cf::makeUpdateJob(exe.path(), projectDir, QStringLiteral("127.0.0.1"), option, readBack),
            &error));
    }

    int run()
    {
        QProcess p;
        p.setWorkingDirectory(QDir::rootPath());
        p.start(program, {});
        if (!p.waitForFinished(20000))
            return -100;
        output = QString::fromUtf8(p.readAllStandardOutput());
        errors = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -101;
    }

    QString log() const { return QString::fromUtf8(exe.read(QStringLiteral("Ethernet_Update.log"))); }

    cf::test::TempExeDir exe;
    QString program;
    QString projectDir;
    QString output;
    QString errors;
};

TEST_F(StandInUpdater, GoodJobIsReportedAndLogged)
{
    writeJob(cf::kFirmwareAndConfiguration, true);
    ASSERT_EQ(run(), 0) << errors.toStdString();
    const QString bank = exe.file(QStringLiteral("PROJECTS/Plant/bin/bank.bin"));
    const QString firmware = exe.file(QStringLiteral("MASTER/Sim40210.sim"));
    const QString expectedLines[] = {
        QStringLiteral("operation 1: file %1, 18 bytes, start address 0x8000, bank type 1, read back 1").arg(firmware),
        QStringLiteral("operation 2: file %1, 67584 bytes, start address 0x58000, bank type 2, read back 1").arg(bank),
    };
    for (const QString &line : expectedLines) {
        EXPECT_TRUE(output.contains(line)) << output.toStdString();
        EXPECT_TRUE(log().contains(line)) << log().toStdString();
    }

    // A second job is appended to the log.
    writeJob(cf::kConfigurationOnly, false);
    ASSERT_EQ(run(), 0) << errors.toStdString();
    EXPECT_TRUE(log().contains(expectedLines[0]));
    EXPECT_TRUE(log().contains(
        QStringLiteral("operation 1: file %1, 67584 bytes, start address 0x58000, bank type 2, read back 0").arg(bank)));
}

TEST_F(StandInUpdater, BadJobsFailWithAMessage)
{
    const QString jobPath = exe.file(QStringLiteral("Ethernet_Update.xml"));
    const QString bankPath = exe.file(QStringLiteral("PROJECTS/Plant/bin/bank.bin"));
    const struct {
        const char *name;
        std::function<void()> spoil;
        const char *message;
    } cases[] = {
        {"no job file", [&] { QFile::remove(jobPath); }, "not found"},
        {"not well-formed", [&] { cf::test::writeFile(jobPath, "<Ethernet_Update><Version>"); }, "line"},
        {"element missing",
         [&] {
             QByteArray xml = cf::test::readFile(jobPath);
             xml.replace("<Boot_Port_Sec>2007</Boot_Port_Sec>", "");
             cf::test::writeFile(jobPath, xml);
         },
         "Boot_Port_Sec"},
        {"operation element missing",
         [&] {
             QByteArray xml = cf::test::readFile(jobPath);
             xml.replace("<Ope_Bank_Type>2</Ope_Bank_Type>", "");
             cf::test::writeFile(jobPath, xml);
         },
         "Ope_Bank_Type"},
        {"no operation",
         [&] {
             const QByteArray xml = cf::test::readFile(jobPath);
             cf::test::writeFile(jobPath, xml.left(xml.indexOf("<Operations>")) + "<Operations/></Ethernet_Update>");
         },
         "no Operation"},
        {"firmware file missing", [&] { QFile::remove(exe.file(QStringLiteral("MASTER/Sim40210.sim"))); }, "not found"},
        {"bank.bin missing", [&] { QFile::remove(bankPath); }, "not found"},
        {"bank.bin too short", [&] { cf::test::writeFile(bankPath, validBank().left(4096)); }, "4096 bytes"},
        {"bank.bin checksum off",
         [&] {
             QByteArray image = validBank();
             image[65536 + 10] = char(1);
             cf::test::writeFile(bankPath, image);
         },
         "checksum"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        exe.write(QStringLiteral("MASTER/Sim40210.sim"), "firmware stand-in\n");
        exe.write(QStringLiteral("PROJECTS/Plant/bin/bank.bin"), validBank());
        writeJob(cf::kFirmwareAndConfiguration, false);
        c.spoil();
        const int code = run();
        EXPECT_NE(code, 0);
        EXPECT_GT(code, 0) << "crashed or hung";
        EXPECT_TRUE(errors.contains(QString::fromLatin1(c.message))) << errors.toStdString();
        EXPECT_TRUE(log().contains(QStringLiteral("bad job: ")));
    }
}

} // namespace
