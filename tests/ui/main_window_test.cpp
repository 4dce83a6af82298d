#include "app/AppContext.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "platform/FileReplace.h"
#include "platform/ScriptedPrompt.h"
#include "FileFaults.h"
#include "Screenshot.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using cf::ui::TFTesseleFirmWare;

class MainWindowTest : public ::testing::Test {
protected:
    void start()
    {
        context = std::make_unique<cf::AppContext>(exe.path(), prompt);
        window = std::make_unique<TFTesseleFirmWare>(*context, launcher);
    }
    QString settingsText() const { return QString::fromUtf8(exe.read(QStringLiteral("Tessel.xml"))); }

    cf::test::TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::ProgramLauncher launcher;
    std::unique_ptr<cf::AppContext> context;
    std::unique_ptr<TFTesseleFirmWare> window;
};

TEST_F(MainWindowTest, FirstRunCreatesTheFoldersAndClosingWritesDefaults)
{
    start();
    for (const char *dir : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QFileInfo(exe.file(QString::fromLatin1(dir))).isDir()) << dir;
    EXPECT_FALSE(context->project.isOpen());
    EXPECT_EQ(window->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(window->L_Name_Conf_L2->text(), QStringLiteral("Use Step1 to open or create new configuration"));
    window->show();
    QTest::mouseClick(window->Btn_Close, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(exe.read(QStringLiteral("Tessel.xml")),
              QByteArray("<Conf_Settings><lastproj><projectname/></lastproj>"
                         "<lastipadd><ipaddress>192.168.2.205</ipaddress></lastipadd>"
                         "<lastlang><language>English</language></lastlang>"
                         "<lastinternet><enable_internet>0</enable_internet><enable_update>0</enable_update>"
                         "<enable_jump_field_tables>0</enable_jump_field_tables>"
                         "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>"));
    EXPECT_TRUE(prompt.shown().isEmpty());
}

TEST_F(MainWindowTest, WorkflowButtonsNeedAnOpenConfiguration)
{
    start();
    for (cf::ui::PictureButton *b : {window->Btn_Prm_Gen, window->Btn_SNMP_Manager_Access, window->Btn_CreateBin,
                                     window->Btn_PROFIBUS_GSD, window->Btn_SDO_Server_CANopen,
                                     window->Btn_SDO_Client_CANopen, window->Btn_PDO_CANopen,
                                     window->Btn_CANopen_EDS}) {
        SCOPED_TRACE(b->objectName().toStdString());
        prompt.clear();
        window->Btn_Click(b);
        ASSERT_EQ(prompt.shown().size(), 1);
        EXPECT_EQ(prompt.lastKind(), cf::ScriptedPrompt::Kind::Error);
        EXPECT_EQ(prompt.lastText(), QStringLiteral("Error! Project not Valid"));
    }
}

TEST_F(MainWindowTest, RemembersAConfigurationWhoseFolderIsGone)
{
    exe.write(QStringLiteral("Tessel.xml"),
              "<Conf_Settings><lastproj><projectname>Gone</projectname></lastproj></Conf_Settings>");
    start();
    EXPECT_FALSE(context->project.isOpen());
    EXPECT_EQ(window->L_Name_Conf->text(), QStringLiteral("None Configuration Opened "));
    window->Btn_Click(window->Btn_Prm_Gen);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Error! Project not Valid"));
    window->close();
    EXPECT_TRUE(settingsText().contains(QStringLiteral("<projectname>Gone</projectname>")));

    // Back again at the next start: it opens.
    exe.makeDir(QStringLiteral("PROJECTS/Gone"));
    start();
    EXPECT_TRUE(context->project.isOpen());
    EXPECT_EQ(context->project.directory, exe.file(QStringLiteral("PROJECTS/Gone")));
    EXPECT_EQ(window->L_Name_Conf->text(), QStringLiteral("Opened Configuration of the Converter : "));
    EXPECT_EQ(window->L_Name_Conf_L2->text(), QStringLiteral("Gone"));
    EXPECT_EQ(context->files.parGen, exe.file(QStringLiteral("PROJECTS/Gone/ParGen.xml")));
    EXPECT_EQ(context->files.pdo, exe.file(QStringLiteral("PROJECTS/Gone/PDO_CANopen.xml")));
}

TEST_F(MainWindowTest, TimerRunsOnlyWithBothInternetFlags)
{
    struct Case {
        const char *internet;
        const char *update;
        bool active;
    };
    const Case cases[] = {{"1", "1", true}, {"1", "0", false}, {"0", "1", false}, {"true", "1", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.internet) + "/" + c.update);
        exe.write(QStringLiteral("Tessel.xml"),
                  QStringLiteral("<Conf_Settings><lastinternet><enable_internet>%1</enable_internet>"
                                 "<enable_update>%2</enable_update></lastinternet></Conf_Settings>")
                      .arg(QString::fromLatin1(c.internet), QString::fromLatin1(c.update))
                      .toUtf8());
        start();
        EXPECT_EQ(window->updateTimer().isActive(), c.active);
        EXPECT_EQ(window->updateTimer().interval(), TFTesseleFirmWare::kInitialTimerMs);
    }
}

TEST_F(MainWindowTest, VersionCheckShowsOrHidesTheLinkAndRearmsForTwoHours)
{
    start();
    bool newer = true;
    int calls = 0;
    window->setVersionChecker([&] { ++calls; return newer; });
    window->show();
    window->Timer_UpdateTimer();
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(window->LL_Update->isVisible());
    EXPECT_TRUE(window->LL_Update->text().contains(QStringLiteral("/Home/download/download.asp#GW40210")));
    EXPECT_TRUE(window->LL_Update->text().contains(QStringLiteral("New Version Available. Click Here for more Details")));
    EXPECT_TRUE(window->updateTimer().isActive());
    EXPECT_EQ(window->updateTimer().interval(), TFTesseleFirmWare::kRepeatTimerMs);
    newer = false;
    window->Timer_UpdateTimer();
    EXPECT_FALSE(window->LL_Update->isVisible());
}

TEST_F(MainWindowTest, LanguageFileTextsAreShownAsPlainText)
{
    exe.write(QStringLiteral("LANGUAGE/Test.lng"), "STR0 = <b>Bold</b>\nSTR15 = Nuova\nSTR27 = Crea");
    exe.write(QStringLiteral("Tessel.xml"), "<C><lastlang><language>Test</language></lastlang></C>");
    start();
    EXPECT_EQ(window->L_Begin->text(), QStringLiteral("<b>Bold</b>"));
    EXPECT_EQ(window->L_Begin->textFormat(), Qt::PlainText);
    EXPECT_EQ(window->Btn_New->text(), QStringLiteral("Nuova"));
    EXPECT_EQ(window->Btn_New->toolTip(), QStringLiteral("Crea"));
    EXPECT_EQ(window->Btn_Close->toolTip(), QStringLiteral("Close Configurator"));
}

TEST_F(MainWindowTest, ControlsStandWhereTheyBelong)
{
    start();
    EXPECT_EQ(window->size(), QSize(694, 396));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velmora - Configurator CF40210 - SNMP Manager / EtherNet/IP"));
    struct Place {
        QWidget *widget;
        QRect rect;
    };
    const Place places[] = {
        {window->Btn_Info, {516, 8, 50, 50}},
        {window->Btn_Opz, {574, 8, 50, 50}},
        {window->Btn_Close, {632, 8, 50, 50}},
        {window->Btn_New, {80, 112, 170, 36}},
        {window->Btn_Open, {258, 112, 170, 36}},
        {window->Btn_Prm_Gen, {80, 156, 170, 36}},
        {window->Btn_SNMP_Manager_Access, {80, 200, 170, 36}},
        {window->Btn_CreateBin, {80, 244, 170, 36}},
        {window->Shape2, {80, 70, 348, 36}},
        {window->Shape1, {10, 295, 674, 1}},
    };
    for (const Place &p : places) {
        SCOPED_TRACE(p.widget->objectName().toStdString());
        EXPECT_EQ(p.widget->geometry(), p.rect);
    }
    EXPECT_EQ(window->L_Step[3]->pos(), QPoint(16, 260));
    EXPECT_EQ(window->L_Velmora->pos().y(), 260);
    window->show();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(window->L_Step[i]->isVisible(), i < 4) << i;
    for (QWidget *hidden : std::initializer_list<QWidget *>{window->Btn_PROFIBUS_GSD, window->Btn_SDO_Server_CANopen, window->Btn_SDO_Client_CANopen,
                            window->Btn_PDO_CANopen, window->Btn_CANopen_EDS, static_cast<QWidget *>(window->LL_Update)})
        EXPECT_FALSE(hidden->isVisible()) << hidden->objectName().toStdString();
    EXPECT_EQ(window->Btn_New->hotColor(), QColor(135, 206, 235));
    EXPECT_EQ(window->Btn_Prm_Gen->hotColor(), QColor(255, 255, 0));
    cf::test::saveShot(window.get(), QStringLiteral("main_window"));
}

TEST_F(MainWindowTest, PressedButtonTurnsOrange)
{
    start();
    window->show();
    window->Btn_Prm_Gen->setDown(true);
    EXPECT_EQ(window->Btn_Prm_Gen->faceColor(), QColor(255, 128, 0));
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAndTheWindowStillCloses)
{
    start();
    window->show();
    {
        cf::test::PartWayReplacer failing;
        cf::test::ScopedReplacer installed(&failing);
        window->close();
    }
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_TRUE(prompt.lastText().contains(exe.file(QStringLiteral("Tessel.xml"))));
}

TEST_F(MainWindowTest, StartProgramKeepsTheWindowAndHoldsCloseWhileWaiting)
{
    start();
    window->show();
    window->setStartProgramTimeout(300);
    bool closedDuringWait = false;
    QTimer::singleShot(50, window.get(), [&] {
        EXPECT_TRUE(window->isWaitingForProgram());
        window->close();
        closedDuringWait = !window->isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    window->Start_Program(cf::test::testProgram(QStringLiteral("cf_sleeper")), QStringLiteral("2000"), false);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_LT(clock.elapsed(), 1800);
    EXPECT_FALSE(closedDuringWait);
    EXPECT_FALSE(window->isWaitingForProgram());
}

} // namespace
