#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/Cli.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>

namespace {

using cf::test::CliRun;
using cf::test::runCli;

QString checkFixture(const char *name)
{
    return cf::test::fixture(QStringLiteral("pargen_check/") + QString::fromLatin1(name));
}

TEST(ParGenCheck, ReportsEachConfiguration)
{
    struct Case {
        const char *folder;
        int exitCode;
        const char *out;
    };
    const Case cases[] = {
        {"valid", 0, "ParGen.xml: OK\n"},
        {"bad_output", 1, "ParGen.xml: Error EtherNet/IP!! Number Byte Output must be between 0 and 496\n"},
        // The stored port is replaced by 44818 and an unticked gateway is not examined.
        {"port_502", 0, "ParGen.xml: OK\n"},
        {"malformed", 2, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.folder);
        const CliRun run = runCli({QStringLiteral("check"), checkFixture(c.folder)});
        EXPECT_EQ(run.code, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out);
    }
}

TEST(ParGenCheck, MalformedFileNamesFileLineAndColumn)
{
    const CliRun run = runCli({QStringLiteral("check"), checkFixture("malformed")});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.indexOf(QDir::toNativeSeparators(checkFixture("malformed/ParGen.xml"))), -1)
        << run.err.toStdString();
    EXPECT_NE(run.err.indexOf(QStringLiteral("line 3, column")), -1) << run.err.toStdString();
}

TEST(ParGenCheck, FolderWithoutEditorFilesPasses)
{
    cf::test::TempExeDir dir;
    const CliRun run = runCli({QStringLiteral("check"), dir.path()});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out.toStdString(), "");
}

TEST(ParGenCheck, ProgramPrintsTheSameLine)
{
    QProcess cli;
    cli.start(QStringLiteral(CF_BIN_DIR "/configurator-cli"),
              {QStringLiteral("check"), checkFixture("bad_output")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(),
              "ParGen.xml: Error EtherNet/IP!! Number Byte Output must be between 0 and 496\n");
}

} // namespace
