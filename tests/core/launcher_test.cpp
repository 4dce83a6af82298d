#include "platform/Launcher.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace {

TEST(StartProgram, ReturnsWhenTheProgramEnds)
{
    cf::ProgramLauncher launcher;
    int polls = 0;
    const auto outcome = cf::startProgram(launcher, cf::test::testProgram(QStringLiteral("cf_quick_exit")),
                                          QString(), false, [&](int ms) { ++polls; QThread::msleep(ms); }, 5000);
    EXPECT_EQ(outcome, cf::StartOutcome::Ended);
}

TEST(StartProgram, MissingProgramIsNotStartedAndWaitsForNothing)
{
    cf::ProgramLauncher launcher;
    int polls = 0;
    const auto outcome = cf::startProgram(launcher, QStringLiteral("/nonexistent/Ethernet_Update"), QString(),
                                          false, [&](int) { ++polls; });
    EXPECT_EQ(outcome, cf::StartOutcome::NotStarted);
    EXPECT_EQ(polls, 0);
}

TEST(StartProgram, GivesUpAfterTheTimeOutAndLeavesTheProgramRunning)
{
    cf::test::TempExeDir dir;
    const QString marker = dir.file(QStringLiteral("done.txt"));
    cf::ProgramLauncher launcher;
    const auto outcome = cf::startProgram(launcher, cf::test::testProgram(QStringLiteral("cf_sleeper")),
                                          QStringLiteral("700 \"%1\"").arg(marker), false, {}, 100);
    EXPECT_EQ(outcome, cf::StartOutcome::TimedOut);
    EXPECT_FALSE(QFileInfo::exists(marker));
    // The program was not killed: it finishes its work after the wait gave up.
    QElapsedTimer clock;
    clock.start();
    while (!QFileInfo::exists(marker) && clock.elapsed() < 10000)
        QThread::msleep(20);
    EXPECT_TRUE(QFileInfo::exists(marker));
}

} // namespace
