#include <gtest/gtest.h>

#include "FileFaults.h"
#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/XmlFile.h"
#include "app/ui/PictureButton.h"
#include "app/ui/TitlePanel.h"
#include "platform/FileReplace.h"
#include "platform/Launcher.h"
#include "platform/ScriptedPrompt.h"
#include "update/UpdateJob.h"
#include "update/ui/Boot.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTest>
#include <QTimer>

namespace {

using Status = cf::EchoOutcome::Status;

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *t : texts)
        list << QString::fromLatin1(t);
    return list;
}

// Answers from a script on a virtual clock (a reply takes 1 ms, silence 400 ms);
// the last entry repeats. Each echo lets the caller's wait run, as the real one does.
class ScriptedEcho : public cf::EchoClient {
public:
    explicit ScriptedEcho(qint64 &now) : m_now(now) {}
    void script(QList<cf::EchoOutcome> outcomes) { m_script = std::move(outcomes); }

    cf::EchoOutcome echo(const QString &host, const std::function<void(int)> &wait) override
    {
        hosts.append(host);
        bool timerRan = false;
        QTimer::singleShot(0, [&timerRan] { timerRan = true; });
        wait(5);
        eventsProcessedWhileWaiting = eventsProcessedWhileWaiting && timerRan;
        const cf::EchoOutcome o = m_script.size() > 1 ? m_script.takeFirst() : m_script.first();
        m_now += o.status == Status::TimedOut ? 400 : 1;
        return o;
    }

    QStringList hosts;
    bool eventsProcessedWhileWaiting = true;

private:
    qint64 &m_now;
    QList<cf::EchoOutcome> m_script{{Status::Replied, 1024, {}}};
};

class RecordingLauncher : public cf::ProgramLauncher {
public:
    std::optional<qint64> start(const QString &program, const QString &commandLine, bool hidden) override
    {
        starts.append({program, commandLine, hidden});
        return 1;
    }
    bool isRunning(qint64) override { return false; }
    struct Start {
        QString program;
        QString commandLine;
        bool hidden;
    };
    QList<Start> starts;
};

const cf::EchoOutcome kReply{Status::Replied, 1024, {}};
const cf::EchoOutcome kSilence{Status::TimedOut, 0, {}};
const cf::EchoOutcome kError{Status::Failed, 0, QStringLiteral("cannot open an ICMP socket")};

class Boot : public ::testing::Test {
protected:
    Boot()
    {
        ctx.project.name = QStringLiteral("Plant");
        ctx.project.directory = exe.file(QStringLiteral("PROJECTS/Plant"));
        dialog.setEchoClient(echo);
        dialog.reachability().setClock([this] { return now; });
    }
    ~Boot() override { dialog.hide(); }

    void showActive()
    {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    void typeAddress(const QString &a, const QString &b, const QString &c, const QString &d)
    {
        dialog.E_IP1->setText(a);
        dialog.E_IP2->setText(b);
        dialog.E_IP3->setText(c);
        dialog.E_IP4->setText(d);
    }
    QStringList edits() const
    {
        return {dialog.E_IP1->text(), dialog.E_IP2->text(), dialog.E_IP3->text(), dialog.E_IP4->text()};
    }
    QString jobPath() const { return exe.file(QStringLiteral("Ethernet_Update.xml")); }

    cf::test::TempExeDir exe;
    cf::ScriptedPrompt prompt;
    cf::AppContext ctx{exe.path(), prompt};
    RecordingLauncher launcher;
    qint64 now = 0;
    ScriptedEcho echo{now};
    cf::ui::TFBoot dialog{ctx, launcher};
};

TEST_F(Boot, FirstShowingOffersTheDefaultsAndTheStoredAddress)
{
    EXPECT_EQ(edits(), strings({"0", "0", "0", "0"}));
    showActive();
    EXPECT_EQ(dialog.size(), QSize(449, 230));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update Device by Ethernet (UDP)"));
    EXPECT_EQ(dialog.Title->L_SW_Code->text(), QStringLiteral("CF40210"));
    EXPECT_EQ(dialog.Title->L_SW_Desc->text(), QStringLiteral("Update Device Using the Ethernet Port"));
    EXPECT_EQ(edits(), strings({"192", "168", "2", "205"}));
    ASSERT_EQ(dialog.CB_Update_Options->count(), 3);
    EXPECT_EQ(dialog.CB_Update_Options->currentIndex(), 0);
    EXPECT_EQ(dialog.CB_Update_Options->currentText(), QStringLiteral("Firmware + Configuration"));
    EXPECT_EQ(dialog.CB_Update_Options->itemText(1), QStringLiteral("Firmware"));
    EXPECT_EQ(dialog.CB_Update_Options->itemText(2), QStringLiteral("Configuration"));
    EXPECT_FALSE(dialog.CB_Update_Option_Read_Back->isChecked());
    EXPECT_EQ(dialog.focusWidget(), dialog.E_IP1);
}

TEST_F(Boot, LayoutAreasTabOrderAndTextsThatFit)
{
    showActive();
    const struct {
        QWidget *w;
        int top;
        int bottom;
    } areas[] = {
        {dialog.Title, 0, 69},
        {dialog.E_IP1, 69, 118}, {dialog.E_IP4, 69, 118},
        {dialog.CB_Update_Options, 118, 190}, {dialog.CB_Update_Option_Read_Back, 118, 190},
        {dialog.Btn_Cancel, 190, 230}, {dialog.Btn_Update, 190, 230},
    };
    for (const auto &a : areas) {
        SCOPED_TRACE(a.w->objectName().toStdString());
        EXPECT_GE(a.w->geometry().top(), a.top);
        EXPECT_LE(a.w->geometry().bottom(), a.bottom - 1);
        EXPECT_LE(a.w->geometry().right(), 448);
    }

    QWidget *expected[] = {dialog.E_IP2, dialog.E_IP3, dialog.E_IP4, dialog.CB_Update_Options,
                           dialog.CB_Update_Option_Read_Back, dialog.Btn_Cancel, dialog.Btn_Update,
                           dialog.E_IP1};
    for (QWidget *next : expected) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dialog.focusWidget(), next) << next->objectName().toStdString();
    }

    for (QLabel *label : dialog.findChildren<QLabel *>()) {
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_GE(label->width(), label->sizeHint().width());
        EXPECT_LE(label->geometry().right(), 448);
    }
    for (cf::ui::PictureButton *b : {dialog.Btn_Cancel, dialog.Btn_Update})
        EXPECT_LT(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width()) << b->text().toStdString();
    EXPECT_LE(dialog.CB_Update_Options->sizeHint().width(), dialog.CB_Update_Options->width());
    EXPECT_LE(dialog.CB_Update_Option_Read_Back->sizeHint().width(), dialog.CB_Update_Option_Read_Back->width());

    dialog.grab().save(QStringLiteral("/tmp/tfboot.png"));
}

TEST_F(Boot, StoredAddressesThatDoNotSplitKeepTheEdits)
{
    ctx.settings.ipaddress = QStringLiteral("7.8.9.10");
    dialog.show();
    dialog.hide();
    for (const char *stored : {"10.0.0", "1.2.3.300", "", "a.b.c.d"}) {
        SCOPED_TRACE(stored);
        ctx.settings.ipaddress = QString::fromLatin1(stored);
        dialog.show();
        EXPECT_EQ(edits(), strings({"7", "8", "9", "10"}));
        dialog.hide();
    }
}

TEST_F(Boot, DotMovesOnButIsNeverTyped)
{
    showActive();
    typeAddress(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    dialog.E_IP1->setFocus();
    dialog.E_IP1->end(false);
    QTest::keyClick(dialog.E_IP1, '.');
    EXPECT_EQ(dialog.focusWidget(), dialog.E_IP2);
    QTest::keyClick(dialog.E_IP2, '.');
    QTest::keyClick(dialog.E_IP3, '.');
    EXPECT_EQ(dialog.focusWidget(), dialog.E_IP4);
    dialog.E_IP4->end(false);
    QTest::keyClick(dialog.E_IP4, '.');
    EXPECT_EQ(dialog.focusWidget(), dialog.E_IP4);
    QTest::keyClicks(dialog.E_IP4, QStringLiteral("x5"));
    EXPECT_EQ(edits(), strings({"1", "2", "3", "4x5"}));
}

TEST_F(Boot, AnsweringDeviceGetsTheJobAndTheUpdater)
{
    showActive();
    typeAddress(QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"));
    dialog.CB_Update_Options->setCurrentIndex(cf::kConfigurationOnly);
    dialog.CB_Update_Option_Read_Back->setChecked(true);
    QTest::mouseClick(dialog.Btn_Update, Qt::LeftButton);

    EXPECT_TRUE(prompt.shown().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_EQ(echo.hosts, strings({"127.0.0.1", "127.0.0.1"}));
    EXPECT_TRUE(echo.eventsProcessedWhileWaiting);
    EXPECT_EQ(ctx.settings.ipaddress, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ctx.lastUpdateOption, cf::kConfigurationOnly);
    EXPECT_TRUE(ctx.lastReadBack);

    const cf::xml::LoadResult job = cf::xml::loadFile(jobPath());
    ASSERT_TRUE(job.loaded());
    const QDomElement root = cf::xml::rootElement(job.document);
    EXPECT_EQ(cf::xml::plainText(cf::xml::childElement(root, QStringLiteral("IP_Address_Dev"))),
              QStringLiteral("127.0.0.1"));
    const QList<QDomElement> ops = cf::xml::childElements(cf::xml::childElement(root, QStringLiteral("Operations")));
    ASSERT_EQ(ops.size(), 1);
    EXPECT_EQ(cf::xml::plainText(cf::xml::childElement(ops[0], QStringLiteral("Ope_FileName"))),
              cf::configurationImagePath(ctx.project.directory));
    EXPECT_EQ(cf::xml::plainText(cf::xml::childElement(ops[0], QStringLiteral("Ope_Read_Back"))),
              QStringLiteral("1"));

    ASSERT_EQ(launcher.starts.size(), 1);
    EXPECT_EQ(launcher.starts[0].program, cf::updaterPath(exe.path()));
    EXPECT_TRUE(launcher.starts[0].commandLine.isEmpty());
    EXPECT_FALSE(launcher.starts[0].hidden);
    EXPECT_TRUE(dialog.isVisible()); // stays open after the update

    // The next showing offers the choices of this update.
    dialog.hide();
    dialog.CB_Update_Options->setCurrentIndex(0);
    dialog.CB_Update_Option_Read_Back->setChecked(false);
    dialog.show();
    EXPECT_EQ(dialog.CB_Update_Options->currentIndex(), cf::kConfigurationOnly);
    EXPECT_TRUE(dialog.CB_Update_Option_Read_Back->isChecked());
    EXPECT_EQ(edits(), strings({"127", "0", "0", "1"}));
}

TEST_F(Boot, FailedTestShowsItsMessageAndRemembersNothing)
{
    const struct {
        const char *name;
        QList<cf::EchoOutcome> script;
        cf::ScriptedPrompt::Kind kind;
        const char *text;
    } cases[] = {
        {"answers once, then falls silent", {kReply, kSilence}, cf::ScriptedPrompt::Kind::Warning, "Device Not Found!"},
        {"never answers", {kSilence}, cf::ScriptedPrompt::Kind::Warning, "Device Not Found!"},
        {"echo error", {kError}, cf::ScriptedPrompt::Kind::Error, "Error!!! Check the Ip Address"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompt.clear();
        echo.script(c.script);
        dialog.show();
        typeAddress(QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"));
        dialog.CB_Update_Options->setCurrentIndex(cf::kFirmwareOnly);
        dialog.CB_Update_Option_Read_Back->setChecked(true);
        const qint64 started = now;
        dialog.Btn_UpdateClick();

        ASSERT_EQ(prompt.shown().size(), 1);
        EXPECT_EQ(prompt.lastKind(), c.kind);
        EXPECT_EQ(prompt.lastText(), QString::fromLatin1(c.text));
        if (c.kind == cf::ScriptedPrompt::Kind::Warning) {
            EXPECT_GT(now - started, 5000); // the whole five seconds were tried
        }
        EXPECT_EQ(ctx.settings.ipaddress, cf::AppSettings::defaultIpAddress());
        EXPECT_EQ(ctx.lastUpdateOption, 0);
        EXPECT_FALSE(ctx.lastReadBack);
        EXPECT_FALSE(QFile::exists(jobPath()));
        EXPECT_TRUE(launcher.starts.isEmpty());
        EXPECT_EQ(edits(), strings({"127", "0", "0", "1"}));
        EXPECT_EQ(dialog.CB_Update_Options->currentIndex(), cf::kFirmwareOnly);

        dialog.hide();
        dialog.show();
        EXPECT_EQ(dialog.CB_Update_Options->currentIndex(), 0);
        EXPECT_FALSE(dialog.CB_Update_Option_Read_Back->isChecked());
        dialog.hide();
    }
}

TEST_F(Boot, UnwritableJobFileIsReportedAndStartsNothing)
{
    dialog.show();
    typeAddress(QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"));
    {
        cf::test::PartWayReplacer failing;
        cf::test::ScopedReplacer installed(&failing);
        dialog.Btn_UpdateClick();
    }
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), cf::ScriptedPrompt::Kind::GeneralError);
    EXPECT_TRUE(prompt.lastText().contains(QStringLiteral("Ethernet_Update.xml")));
    EXPECT_TRUE(launcher.starts.isEmpty());
    EXPECT_EQ(ctx.settings.ipaddress, QStringLiteral("127.0.0.1")); // stored once the device answered
}

TEST_F(Boot, EnterExecutesAndEscapeCancels)
{
    showActive();
    typeAddress(QStringLiteral("127"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"));
    QTest::keyClick(dialog.E_IP4, Qt::Key_Return);
    EXPECT_EQ(launcher.starts.size(), 1);
    QTest::keyClick(dialog.E_IP4, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
