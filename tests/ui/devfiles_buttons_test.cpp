#include "app/AppContext.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "platform/ScriptedPrompt.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <memory>

namespace {

using cf::ScriptedPrompt;
using cf::ui::TFTesseleFirmWare;
using Kind = ScriptedPrompt::Kind;

// The main window with the configuration "Plant" open.
class DevFilesButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        exe.makeDir(QStringLiteral("PROJECTS/Plant"));
        exe.write(QStringLiteral("Tessel.xml"),
                  "<Conf_Settings><lastproj><projectname>Plant</projectname></lastproj></Conf_Settings>");
        context = std::make_unique<cf::AppContext>(exe.path(), prompt);
        window = std::make_unique<TFTesseleFirmWare>(*context, launcher);
        ASSERT_TRUE(context->project.isOpen());
    }
    QString inProject(const char *name) const { return exe.file(QStringLiteral("PROJECTS/Plant/") + QString::fromLatin1(name)); }
    void writeInProject(const char *name, const QByteArray &bytes) const
    {
        exe.write(QStringLiteral("PROJECTS/Plant/") + QString::fromLatin1(name), bytes);
    }
    QByteArray readInProject(const char *name) const
    {
        return exe.read(QStringLiteral("PROJECTS/Plant/") + QString::fromLatin1(name));
    }
    QList<Kind> kinds() const
    {
        QList<Kind> result;
        for (const auto &s : prompt.shown())
            result.append(s.kind);
        return result;
    }

    cf::test::TempExeDir exe;
    ScriptedPrompt prompt;
    cf::ProgramLauncher launcher;
    std::unique_ptr<cf::AppContext> context;
    std::unique_ptr<TFTesseleFirmWare> window;
};

TEST_F(DevFilesButtonsTest, EdsButtonAsksForAFileInTheConfigurationFolderAndWritesIt)
{
    EXPECT_TRUE(window->Btn_CANopen_EDS->isHidden());
    writeInProject("PDO_CANopen.xml", "<R><Receive_PDO><row COB-ID=\"0x201\" Dimension=\"2\"/></Receive_PDO><Transmit_PDO/></R>");
    prompt.answerSaveFile(inProject("Plant.eds"));
    window->Btn_Click(window->Btn_CANopen_EDS);
    ASSERT_EQ(kinds(), QList<Kind>{Kind::SaveFile});
    const cf::SaveFileRequest request = prompt.saveRequests().first();
    EXPECT_EQ(request.directory, context->project.directory);
    EXPECT_EQ(request.filter, QStringLiteral("Electronic Data Sheet (*.eds)"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("eds"));
    const QString text = QString::fromLatin1(readInProject("Plant.eds"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("[FileInfo]\r\nFileName=CANopen_SNMP_Manager.eds\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("NrOfRXPDO=1\r\n")));
    const QDate today = QDate::currentDate();
    EXPECT_TRUE(text.contains(QStringLiteral("CreationDate=") + today.toString(QStringLiteral("MM-dd-yyyy")))
                || text.contains(QStringLiteral("CreationDate=") + today.addDays(1).toString(QStringLiteral("MM-dd-yyyy"))));
}

TEST_F(DevFilesButtonsTest, EdsButtonReplacesWithoutAskingAndCancelWritesNothing)
{
    writeInProject("old.eds", "old");
    prompt.answerSaveFile(inProject("old.eds"));
    window->Btn_Click(window->Btn_CANopen_EDS);
    EXPECT_EQ(kinds(), QList<Kind>{Kind::SaveFile});
    EXPECT_TRUE(readInProject("old.eds").startsWith("[FileInfo]\r\n"));

    prompt.clear();
    window->Btn_Click(window->Btn_CANopen_EDS); // no answer: cancelled
    EXPECT_EQ(kinds(), QList<Kind>{Kind::SaveFile});
    EXPECT_EQ(QDir(context->project.directory).entryList(QDir::Files), QStringList{QStringLiteral("old.eds")});
}

TEST_F(DevFilesButtonsTest, EdsButtonReportsAnUnreadableTableInTheGeneralErrorBox)
{
    writeInProject("SDO_Server_CANopen.xml", "<R><SDO_Read>");
    prompt.answerSaveFile(inProject("x.eds"));
    window->Btn_Click(window->Btn_CANopen_EDS);
    ASSERT_EQ(kinds(), QList<Kind>({Kind::SaveFile, Kind::GeneralError}));
    EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("SDO_Server_CANopen.xml: line"))) << prompt.lastText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(inProject("x.eds")));
}

TEST_F(DevFilesButtonsTest, GsdButtonNeedsParGen)
{
    EXPECT_TRUE(window->Btn_PROFIBUS_GSD->isHidden());
    window->Btn_Click(window->Btn_PROFIBUS_GSD);
    ASSERT_EQ(kinds(), QList<Kind>{Kind::Error});
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Error! Please set the Set Communication Parameter before to create the GSD file"));
}

struct GsdCase {
    const char *name;
    const char *chosen;   // answer of the save dialog, "" cancels
    const char *existing; // a file already there, nullptr: none
    int confirmAnswer;    // -1: no answer scripted
    QList<Kind> shown;
    const char *written;  // file expected to hold the GSD, nullptr: none
};

TEST_F(DevFilesButtonsTest, GsdButtonNamesConfirmsAndWrites)
{
    const GsdCase cases[] = {
        {"suffix appended", "Slave", nullptr, -1, {Kind::SaveFile}, "Slave.gsd"},
        {"upper-case suffix kept", "Slave.GSD", nullptr, -1, {Kind::SaveFile}, "Slave.GSD"},
        {"cancelled", "", nullptr, -1, {Kind::SaveFile}, nullptr},
        {"No to overwriting keeps the file", "Old.gsd", "Old.gsd", 0, {Kind::SaveFile, Kind::Confirm}, nullptr},
        {"Yes to overwriting replaces it", "Old", "Old.gsd", 1, {Kind::SaveFile, Kind::Confirm}, "Old.gsd"},
        {"a file of the chosen name without suffix is not asked about", "Old", "Old", -1, {Kind::SaveFile},
         "Old.gsd"},
    };
    writeInProject("ParGen.xml", "<Par_Gen><PROFIBUS_Slave_NB_IN>10</PROFIBUS_Slave_NB_IN>"
                                 "<PROFIBUS_Slave_NB_OUT>100</PROFIBUS_Slave_NB_OUT></Par_Gen>");
    const QByteArray expected = cf::test::readFile(cf::test::fixture(QStringLiteral("devfiles/expected_100_10.gsd")));
    for (const GsdCase &c : cases) {
        SCOPED_TRACE(c.name);
        prompt.clear();
        const cf::test::TempExeDir out;
        if (c.existing)
            out.write(QString::fromLatin1(c.existing), "old");
        if (*c.chosen)
            prompt.answerSaveFile(out.file(QString::fromLatin1(c.chosen)));
        if (c.confirmAnswer >= 0)
            prompt.answerConfirm(c.confirmAnswer == 1);
        window->Btn_Click(window->Btn_PROFIBUS_GSD);
        EXPECT_EQ(kinds(), c.shown);
        ASSERT_EQ(prompt.saveRequests().size(), 1);
        EXPECT_EQ(prompt.saveRequests().first().directory, context->project.directory);
        EXPECT_EQ(prompt.saveRequests().first().filter, QStringLiteral("Generic Station Description (*.gsd)"));
        if (c.confirmAnswer >= 0) {
            EXPECT_EQ(prompt.shown().last().text, QStringLiteral("File already exists! Do you want to overwrite the file?"));
        }
        QStringList files = QDir(out.path()).entryList(QDir::Files);
        if (c.written) {
            EXPECT_EQ(out.read(QString::fromLatin1(c.written)), expected);
            files.removeOne(QString::fromLatin1(c.written));
        }
        // Whatever else is there is the untouched old file.
        EXPECT_EQ(files, c.existing && (!c.written || qstrcmp(c.existing, c.written) != 0)
                             ? QStringList{QString::fromLatin1(c.existing)}
                             : QStringList());
        for (const QString &f : files)
            EXPECT_EQ(out.read(f), QByteArray("old"));
    }
}

TEST_F(DevFilesButtonsTest, GsdButtonRefusesBeforeAskingForAName)
{
    const struct { const char *parGen; Kind kind; const char *text; } cases[] = {
        {"<Par_Gen>", Kind::GeneralError, "ParGen.xml: line"},
        {"<Par_Gen><PROFIBUS_Slave_NB_IN>245</PROFIBUS_Slave_NB_IN></Par_Gen>", Kind::Error,
         "Error PROFIBUS Slave!! Number Byte IN must be between 0 and 244"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.parGen);
        prompt.clear();
        writeInProject("ParGen.xml", c.parGen);
        prompt.answerSaveFile(inProject("x.gsd"));
        window->Btn_Click(window->Btn_PROFIBUS_GSD);
        ASSERT_EQ(kinds(), QList<Kind>{c.kind});
        EXPECT_TRUE(prompt.lastText().contains(QString::fromLatin1(c.text))) << prompt.lastText().toStdString();
        EXPECT_FALSE(QFileInfo::exists(inProject("x.gsd")));
    }
}

} // namespace
