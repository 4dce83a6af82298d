#include "app/Cli.h"
#include "devfiles/Eds.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDateTime>

namespace {

using cf::test::CliRun;
using cf::test::runCli;

class DevFilesCliTest : public ::testing::Test {
protected:
    QString target(const char *name) const { return dir.file(QString::fromLatin1(name)); }
    cf::test::TempExeDir dir;
    cf::test::TempExeDir project;
};

TEST_F(DevFilesCliTest, EdsAtAGivenTimeIsTheExpectedFile)
{
    for (const char *name : {"PDO_CANopen.xml", "SDO_Server_CANopen.xml"})
        project.write(QString::fromLatin1(name),
                      cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/eds_small/") + QString::fromLatin1(name))));
    const CliRun r = runCli({QStringLiteral("eds"), project.path(), target("a.eds"), QStringLiteral("--at"),
                             QStringLiteral("2016-03-07 15:45")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    EXPECT_EQ(dir.read(QStringLiteral("a.eds")),
              cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_small.eds"))));
}

TEST_F(DevFilesCliTest, EdsTimeIsWrittenAsGiven)
{
    const struct { const char *at; const char *time; const char *date; } cases[] = {
        {"2016-03-07 00:07", "12:07AM", "03-07-2016"},
        {"2026-03-29 02:30", "02:30AM", "03-29-2026"}, // skipped by a clock change in some zones
        {"2026-12-31 12:00", "12:00PM", "12-31-2026"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.at);
        const CliRun r = runCli({QStringLiteral("eds"), project.path(), target("t.eds"), QStringLiteral("--at"),
                                 QString::fromLatin1(c.at)});
        ASSERT_EQ(r.code, 0) << r.err.toStdString();
        const QString text = QString::fromLatin1(dir.read(QStringLiteral("t.eds")));
        EXPECT_TRUE(text.contains(QStringLiteral("\r\nCreationTime=%1\r\nCreationDate=%2\r\n")
                                      .arg(QString::fromLatin1(c.time), QString::fromLatin1(c.date))));
        EXPECT_TRUE(text.contains(QStringLiteral("\r\nModificationTime=%1\r\nModificationDate=%2\r\n")
                                      .arg(QString::fromLatin1(c.time), QString::fromLatin1(c.date))));
    }
}

TEST_F(DevFilesCliTest, EdsWithoutTimeIsStampedNow)
{
    const QDateTime before = QDateTime::currentDateTime();
    const CliRun r = runCli({QStringLiteral("eds"), project.path(), target("now.eds")});
    const QDateTime after = QDateTime::currentDateTime();
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QString text = QString::fromLatin1(dir.read(QStringLiteral("now.eds")));
    const bool stamped = text.contains(QStringLiteral("CreationDate=") + cf::edsDateText(before.date()))
                         || text.contains(QStringLiteral("CreationDate=") + cf::edsDateText(after.date()));
    EXPECT_TRUE(stamped);
    EXPECT_TRUE(text.contains(QStringLiteral("CreationTime=") + cf::edsTimeText(before.time()))
                || text.contains(QStringLiteral("CreationTime=") + cf::edsTimeText(after.time())));
}

TEST_F(DevFilesCliTest, GsdIsTheExpectedFile)
{
    project.write(QStringLiteral("ParGen.xml"),
                  cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/gsd_100_10/ParGen.xml"))));
    // The command writes FILE as named: no suffix is added.
    const CliRun r = runCli({QStringLiteral("gsd"), project.path(), target("slave")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(dir.read(QStringLiteral("slave")),
              cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_100_10.gsd"))));
}

struct CliCase {
    const char *name;
    const char *fileName; // written into the project first, with `content`
    const char *content;
    QStringList args;     // "P" stands for the project folder, "F" for the target
    int code;
    const char *inErr;
};

TEST_F(DevFilesCliTest, RefusalsAndBadUsageWriteNothing)
{
    const CliCase cases[] = {
        {"eds: too many PDOs", "PDO_CANopen.xml",
         "<R><Receive_PDO><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/>"
         "<row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/><row/>"
         "</Receive_PDO><Transmit_PDO/></R>",
         {QStringLiteral("eds"), QStringLiteral("P"), QStringLiteral("F")}, 1, "holds 31 PDOs"},
        {"eds: malformed SDO file", "SDO_Server_CANopen.xml", "<R>",
         {QStringLiteral("eds"), QStringLiteral("P"), QStringLiteral("F")}, 1, "SDO_Server_CANopen.xml: line"},
        {"eds: bad time", nullptr, nullptr,
         {QStringLiteral("eds"), QStringLiteral("P"), QStringLiteral("F"), QStringLiteral("--at"),
          QStringLiteral("2016-03-07 25:00")}, 2, "not a date and time"},
        {"eds: no time", nullptr, nullptr,
         {QStringLiteral("eds"), QStringLiteral("P"), QStringLiteral("F"), QStringLiteral("--at"),
          QStringLiteral("2016-02-30")}, 2, "not a date and time"},
        {"eds: unknown option", nullptr, nullptr,
         {QStringLiteral("eds"), QStringLiteral("P"), QStringLiteral("F"), QStringLiteral("--on"),
          QStringLiteral("2016-03-07 10:00")}, 2, "usage: configurator-cli eds"},
        {"eds: missing FILE", nullptr, nullptr, {QStringLiteral("eds"), QStringLiteral("P")}, 2, "usage"},
        {"eds: not a folder", nullptr, nullptr,
         {QStringLiteral("eds"), QStringLiteral("P/none"), QStringLiteral("F")}, 2, "not a folder"},
        {"gsd: no ParGen.xml", nullptr, nullptr, {QStringLiteral("gsd"), QStringLiteral("P"), QStringLiteral("F")}, 1,
         "Error! Please set the Set Communication Parameter before to create the GSD file"},
        {"gsd: size above 244", "ParGen.xml", "<P><PROFIBUS_Slave_NB_OUT>300</PROFIBUS_Slave_NB_OUT></P>",
         {QStringLiteral("gsd"), QStringLiteral("P"), QStringLiteral("F")}, 1, "Number Byte Out must be between 0 and 244"},
        {"gsd: malformed ParGen.xml", "ParGen.xml", "<P>",
         {QStringLiteral("gsd"), QStringLiteral("P"), QStringLiteral("F")}, 1, "ParGen.xml: line"},
        {"gsd: extra argument", "ParGen.xml", "<P/>",
         {QStringLiteral("gsd"), QStringLiteral("P"), QStringLiteral("F"), QStringLiteral("x")}, 2,
         "usage: configurator-cli gsd"},
    };
    for (const CliCase &c : cases) {
        SCOPED_TRACE(c.name);
        cf::test::TempExeDir p;
        if (c.fileName)
            p.write(QString::fromLatin1(c.fileName), c.content);
        QStringList args = c.args;
        for (QString &a : args) {
            if (a.startsWith(QLatin1Char('P')) && (a.size() == 1 || a[1] == QLatin1Char('/')))
                a = p.path() + a.mid(1);
            else if (a == QStringLiteral("F"))
                a = target("out.file");
        }
        const CliRun r = runCli(args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.inErr))) << r.err.toStdString();
        EXPECT_FALSE(dir.exists(QStringLiteral("out.file")));
    }
}

TEST(DevFilesCliUsage, ListsBothCommands)
{
    EXPECT_TRUE(cf::cli::usage().contains(QStringLiteral("eds PROJECT_DIR FILE [--at \"YYYY-MM-DD HH:MM\"]")));
    EXPECT_TRUE(cf::cli::usage().contains(QStringLiteral("gsd PROJECT_DIR FILE")));
}

} // namespace
