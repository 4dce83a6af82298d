#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "editors/ParGen.h"
#include "editors/ui/ParGenDialog.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

using cf::ParGenItem;
using cf::ScriptedPrompt;
using cf::ui::TFParGen;

std::string s(const QString &text)
{
    return text.toStdString();
}

// A temporary program folder with one open configuration and a dialog on it.
class ParGenDialogTest : public ::testing::Test {
public:
    ParGenDialogTest()
        : context(exeDir.path(), prompt)
    {
        exeDir.makeDir(QStringLiteral("PROJECTS/Plant"));
        context.openProject(QStringLiteral("Plant"));
        dialog = std::make_unique<TFParGen>(context);
    }

    QString filePath() const { return context.files.parGen; }
    QByteArray fileBytes() const { return cf::test::readFile(filePath()); }
    void writeParGen(const QByteArray &bytes) const { cf::test::writeFile(filePath(), bytes); }
    void writeParGen(const cf::ParGenData &data) const { writeParGen(cf::parGenBytes(data)); }

    QLineEdit *edit(const char *name) const { return dialog->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QCheckBox *box(const char *name) const { return dialog->findChild<QCheckBox *>(QString::fromLatin1(name)); }
    cf::ui::PictureButton *button(const char *name) const
    {
        return dialog->findChild<cf::ui::PictureButton *>(QString::fromLatin1(name));
    }

    // Loads and shows the dialog as the main window's exec() would, without a nested loop.
    void open()
    {
        ASSERT_TRUE(dialog->FormShow());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    cf::test::TempExeDir exeDir;
    ScriptedPrompt prompt;
    cf::AppContext context;
    std::unique_ptr<TFParGen> dialog;
};

TEST_F(ParGenDialogTest, WithoutFileShowsTheDefaults)
{
    open();
    const struct { const char *control; const char *text; } expected[] = {
        {"E_IP1_SNMP_Manager", "192"}, {"E_IP2_SNMP_Manager", "168"}, {"E_IP3_SNMP_Manager", "0"},
        {"E_IP4_SNMP_Manager", "10"}, {"E_SM1_SNMP_Manager", "255"}, {"E_SM4_SNMP_Manager", "0"},
        {"E_GAT1_SNMP_Manager", "192"}, {"E_GAT4_SNMP_Manager", "1"},
        {"E_SNMP_Manager_Name_Station", "devicename1"},
        {"E_IP1", "192"}, {"E_IP2", "168"}, {"E_IP3", "0"}, {"E_IP4", "5"},
        {"E_SM1", "255"}, {"E_SM2", "255"}, {"E_SM3", "255"}, {"E_SM4", "0"},
        {"E_GAT1", "192"}, {"E_GAT2", "168"}, {"E_GAT3", "0"}, {"E_GAT4", "1"},
        {"E_PORT", "44818"}, {"E_NB_Input", "496"}, {"E_NB_Output", "496"},
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.control);
        ASSERT_NE(edit(e.control), nullptr);
        EXPECT_EQ(s(edit(e.control)->text()), e.text);
    }
    EXPECT_FALSE(box("CB_SNMP_Manager_En_GAT")->isChecked());
    EXPECT_FALSE(box("CB_EN_GAT")->isChecked());
    EXPECT_FALSE(edit("E_PORT")->isEnabled());
    EXPECT_FALSE(dialog->Is_Change);
    EXPECT_EQ(QApplication::focusWidget(), edit("E_IP1_SNMP_Manager"));
    EXPECT_FALSE(cf::test::readFile(filePath()).size()); // showing writes nothing
}

TEST_F(ParGenDialogTest, OkValidatesThenWrites)
{
    struct Case {
        const char *name;
        std::function<void(ParGenDialogTest &)> edit;
        int message; // -1: accepted and written
        const char *written; // a piece the file must hold when accepted
    };
    const auto setText = [](const char *control, const char *text) {
        return [control, text](ParGenDialogTest &t) { t.edit(control)->setText(QString::fromLatin1(text)); };
    };
    const Case cases[] = {
        {"gateway 300, box unticked", setText("E_GAT2_SNMP_Manager", "300"), -1,
         "<SNMP_Manager_GAT2>300</SNMP_Manager_GAT2>"},
        {"gateway 300, box ticked", [](ParGenDialogTest &t) {
             t.edit("E_GAT2_SNMP_Manager")->setText(QStringLiteral("300"));
             t.box("CB_SNMP_Manager_En_GAT")->click();
         }, 453, nullptr},
        {"EtherNet/IP gateway 300, box ticked", [](ParGenDialogTest &t) {
             t.edit("E_GAT4")->setText(QStringLiteral("300"));
             t.box("CB_EN_GAT")->click();
         }, 547, nullptr},
        {"ticked gateway is stored as 1", [](ParGenDialogTest &t) { t.box("CB_EN_GAT")->click(); }, -1,
         "<EtherNetIP_EN_GAT>1</EtherNetIP_EN_GAT>"},
        {"497 input bytes", setText("E_NB_Input", "497"), 549, nullptr},
        {"0 input bytes", setText("E_NB_Input", "0"), -1, "<EtherNetIP_NB_Input>0</EtherNetIP_NB_Input>"},
        {"496 output bytes", setText("E_NB_Output", "496"), -1, "<EtherNetIP_NB_Output>496</EtherNetIP_NB_Output>"},
        {"497 output bytes", setText("E_NB_Output", "497"), 550, nullptr},
        {"empty byte", setText("E_IP3_SNMP_Manager", ""), 446, nullptr},
        {"empty EtherNet/IP mask byte", setText("E_SM1", ""), 540, nullptr},
        {"empty station name", setText("E_SNMP_Manager_Name_Station", ""), -1, "<SNMP_Name_of_Station/>"},
        {"leading zeros kept", setText("E_IP1", "007"), -1, "<EtherNetIP_IP1>007</EtherNetIP_IP1>"},
    };
    const cf::LanguageTexts &texts = context.texts;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(filePath());
        prompt.clear();
        open();
        c.edit(*this);
        click("Btn_OK");
        if (c.message < 0) {
            EXPECT_TRUE(prompt.shown().isEmpty()) << s(prompt.lastText());
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), QDialog::Accepted);
            EXPECT_NE(fileBytes().indexOf(c.written), -1) << fileBytes().toStdString();
        } else {
            QString expected = texts[c.message];
            if (c.message == 549 || c.message == 550)
                expected += QStringLiteral("496");
            ASSERT_EQ(prompt.shown().size(), 1);
            EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Error);
            EXPECT_EQ(s(prompt.lastText()), s(expected));
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_FALSE(QFile::exists(filePath()));
            dialog->hide();
        }
    }
}

TEST_F(ParGenDialogTest, DottedAddressSpreadsOverTheFourBoxes)
{
    open();
    for (const QChar c : QStringLiteral("10.20.30.40.7")) {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, c.toLatin1());
    }
    EXPECT_EQ(s(edit("E_IP1_SNMP_Manager")->text()), "10");
    EXPECT_EQ(s(edit("E_IP2_SNMP_Manager")->text()), "20");
    EXPECT_EQ(s(edit("E_IP3_SNMP_Manager")->text()), "30");
    EXPECT_EQ(s(edit("E_IP4_SNMP_Manager")->text()), "40");
    // The chain goes on into the mask.
    EXPECT_EQ(s(edit("E_SM1_SNMP_Manager")->text()), "7");
}

TEST_F(ParGenDialogTest, DotIsNeverTypedAndStopsAtTheLastGateway)
{
    open();
    QLineEdit *last = edit("E_GAT4");
    last->setFocus();
    last->setText(QStringLiteral("1"));
    last->setCursorPosition(1);
    QTest::keyClick(last, '.');
    EXPECT_EQ(QApplication::focusWidget(), last);
    EXPECT_EQ(s(last->text()), "1");
    QLineEdit *mask4 = edit("E_SM4");
    QTest::keyClick(mask4, '.');
    EXPECT_EQ(QApplication::focusWidget(), edit("E_GAT1"));
    EXPECT_EQ(s(mask4->text()), "0");
}

TEST_F(ParGenDialogTest, StoredPortIsReplacedAndOnlyOneTicks)
{
    QByteArray bytes = cf::parGenBytes(cf::ParGenData());
    bytes.replace("<EtherNetIP_PORT>44818<", "<EtherNetIP_PORT>502<");
    bytes.replace("<SNMP_Manager_EN_GAT>0<", "<SNMP_Manager_EN_GAT>yes<");
    bytes.replace("<EtherNetIP_EN_GAT>0<", "<EtherNetIP_EN_GAT>1<");
    writeParGen(bytes);
    open();
    EXPECT_EQ(s(edit("E_PORT")->text()), "44818");
    EXPECT_FALSE(box("CB_SNMP_Manager_En_GAT")->isChecked());
    EXPECT_TRUE(box("CB_EN_GAT")->isChecked());
    click("Btn_OK");
    EXPECT_NE(fileBytes().indexOf("<EtherNetIP_PORT>44818</EtherNetIP_PORT>"), -1);
    EXPECT_NE(fileBytes().indexOf("<SNMP_Manager_EN_GAT>0</SNMP_Manager_EN_GAT>"), -1);
}

TEST_F(ParGenDialogTest, OkWithoutEditsKeepsTheBytes)
{
    cf::ParGenData data;
    data[ParGenItem::SNMP_Name_of_Station] = QString::fromUtf16(u"Gare Lyon–Perrache"); // longer than 15
    data[ParGenItem::SNMP_Manager_GAT1] = QStringLiteral("300");
    data[ParGenItem::EtherNetIP_IP2] = QString();
    writeParGen(data);
    const QByteArray before = fileBytes();
    open();
    EXPECT_EQ(s(edit("E_SNMP_Manager_Name_Station")->text()), s(data[ParGenItem::SNMP_Name_of_Station]));
    // The empty byte would fail validation; everything else goes back as read.
    edit("E_IP2")->setText(QStringLiteral("168"));
    click("Btn_OK");
    ASSERT_TRUE(prompt.shown().isEmpty()) << s(prompt.lastText());
    data[ParGenItem::EtherNetIP_IP2] = QStringLiteral("168");
    EXPECT_EQ(fileBytes().toStdString(), cf::parGenBytes(data).toStdString());

    const QByteArray written = fileBytes();
    open();
    click("Btn_OK");
    EXPECT_EQ(fileBytes().toStdString(), written.toStdString());
    EXPECT_NE(before, written);
}

TEST_F(ParGenDialogTest, StationNameIsLimitedWhenTyped)
{
    open();
    QLineEdit *name = edit("E_SNMP_Manager_Name_Station");
    name->clear();
    QTest::keyClicks(name, QStringLiteral("abcdefghijklmnopqrstu"));
    EXPECT_EQ(s(name->text()), "abcdefghijklmno");
    dialog->hide();

    // A longer stored name is shown whole, may shrink, but never grows again.
    cf::ParGenData data;
    data[ParGenItem::SNMP_Name_of_Station] = QStringLiteral("twenty-characters-xy");
    writeParGen(data);
    open();
    EXPECT_EQ(s(name->text()), "twenty-characters-xy");
    name->setCursorPosition(int(name->text().size()));
    QTest::keyClick(name, Qt::Key_Backspace);
    QTest::keyClicks(name, QStringLiteral("zz"));
    EXPECT_EQ(s(name->text()), "twenty-characters-x");
    dialog->hide();

    // Control characters would make the file unreadable: a paste holding one is refused.
    name->setText(QStringLiteral("ab"));
    name->insert(QStringLiteral("c\x01d"));
    EXPECT_EQ(s(name->text()), "ab");
    edit("E_GAT1")->insert(QStringLiteral("\x1b"));
    EXPECT_EQ(s(edit("E_GAT1")->text()), "192");
    dialog->hide();

    writeParGen(cf::ParGenData());
    open();
    name->clear();
    QTest::keyClicks(name, QStringLiteral("abcdefghijklmnopqrstu"));
    EXPECT_EQ(name->text().size(), cf::kStationNameMaxLength);
}

TEST_F(ParGenDialogTest, CancelAsksOnlyAfterAChange)
{
    struct Case {
        const char *name;
        bool edit;
        bool answerYes;
        bool useEscape;
        bool asked;
        bool closed;
    };
    const Case cases[] = {
        {"right after opening", false, false, false, false, true},
        {"typed and deleted, answer No", true, false, false, true, false},
        {"typed and deleted, answer Yes", true, true, false, true, true},
        {"Escape after a change", true, false, true, true, false},
        {"Escape right after opening", false, false, true, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        prompt.clear();
        writeParGen(cf::ParGenData());
        const QByteArray before = fileBytes();
        open();
        if (c.edit) {
            QLineEdit *e = edit("E_IP4");
            e->setCursorPosition(int(e->text().size()));
            QTest::keyClick(e, '9');
            QTest::keyClick(e, Qt::Key_Backspace);
            EXPECT_EQ(s(e->text()), "5");
        }
        prompt.answerConfirm(c.answerYes);
        if (c.useEscape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            click("Btn_Cancel");
        if (c.asked) {
            ASSERT_EQ(prompt.shown().size(), 1);
            EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Confirm);
            EXPECT_EQ(s(prompt.lastText()), "Do you want to exit without saving changes?");
        } else {
            EXPECT_TRUE(prompt.shown().isEmpty());
        }
        EXPECT_EQ(dialog->isVisible(), !c.closed);
        if (c.closed) {
            EXPECT_EQ(dialog->result(), QDialog::Rejected);
        }
        EXPECT_EQ(fileBytes(), before);
        dialog->hide();
    }
}

TEST_F(ParGenDialogTest, CloseBoxAndEnter)
{
    open();
    edit("E_IP4")->setText(QStringLiteral("77"));
    dialog->close();
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(QFile::exists(filePath()));

    open();
    edit("E_IP4")->setText(QStringLiteral("77"));
    QTest::keyClick(edit("E_IP4"), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_NE(fileBytes().indexOf("<EtherNetIP_IP4>77<"), -1);

    // On the focused Cancel button Enter cancels, asking first since a field changed.
    open();
    edit("E_IP4")->setText(QStringLiteral("78"));
    dialog->Btn_Cancel->setFocus();
    prompt.answerConfirm(true);
    QTest::keyClick(dialog->Btn_Cancel, Qt::Key_Return);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Confirm);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_NE(fileBytes().indexOf("<EtherNetIP_IP4>77<"), -1);
}

TEST_F(ParGenDialogTest, MalformedFileIsReportedAndLeftAlone)
{
    const QByteArray broken = "<Par_Gen>\n<SNMP_Manager_IP1>1</SNMP_Manager_IP1>\n<EtherNetIP_IP1>";
    writeParGen(broken);
    EXPECT_FALSE(dialog->FormShow());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::GeneralError);
    EXPECT_NE(prompt.lastText().indexOf(filePath()), -1) << s(prompt.lastText());
    EXPECT_NE(prompt.lastText().indexOf(QStringLiteral("line 3")), -1) << s(prompt.lastText());
    // exec() returns at once without showing anything.
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(fileBytes(), broken);
}

TEST_F(ParGenDialogTest, LayoutFollowsTheGroupsAndKeepsTheirState)
{
    open();
    QGroupBox *snmp = dialog->GB_SNMP_Manager;
    QGroupBox *eip = dialog->GB_EtherNetIP;
    auto bottomOf = [](QWidget *w) { return w->y() + w->height(); };
    auto checkLayout = [&] {
        EXPECT_EQ(snmp->pos(), QPoint(8, 70));
        EXPECT_EQ(eip->x(), 8);
        EXPECT_EQ(eip->y(), bottomOf(snmp) + 6);
        EXPECT_EQ(dialog->Btn_OK->y(), bottomOf(eip) + 13);
        EXPECT_EQ(dialog->Btn_Cancel->y(), dialog->Btn_OK->y());
        EXPECT_EQ(dialog->size(), QSize(312, bottomOf(eip) + 54));
    };
    EXPECT_EQ(snmp->height(), bottomOf(edit("E_SNMP_Manager_Name_Station")) + 15);
    EXPECT_EQ(eip->height(), bottomOf(edit("E_NB_Output")) + 15);
    checkLayout();
    const int expandedHeight = snmp->height();

    click("Btn_GB_SNMP_Manager_Collapse");
    EXPECT_EQ(snmp->height(), 26);
    EXPECT_FALSE(dialog->GB_SNMP_Manager_Visible);
    EXPECT_FALSE(dialog->L_IP_SNMP_Manager->isVisible());
    EXPECT_FALSE(button("Btn_GB_SNMP_Manager_Collapse")->isVisible());
    EXPECT_TRUE(button("Btn_GB_SNMP_Manager_Expande")->isVisible());
    EXPECT_EQ(button("Btn_GB_SNMP_Manager_Expande")->pos(), button("Btn_GB_SNMP_Manager_Collapse")->pos());
    checkLayout();
    dialog->grab().save(QStringLiteral("/tmp/pargen_collapsed.png"));

    // A later showing keeps the group folded; its first byte cannot take the focus.
    dialog->hide();
    open();
    EXPECT_EQ(snmp->height(), 26);
    EXPECT_NE(QApplication::focusWidget(), edit("E_IP1_SNMP_Manager"));
    checkLayout();

    click("Btn_GB_EtherNetIP_Collapse");
    EXPECT_EQ(eip->height(), 26);
    checkLayout();
    click("Btn_GB_SNMP_Manager_Expande");
    click("Btn_GB_EtherNetIP_Expande");
    EXPECT_TRUE(dialog->GB_SNMP_Manager_Visible);
    EXPECT_TRUE(dialog->GB_EtherNetIP_Visible);
    EXPECT_TRUE(dialog->L_IP_SNMP_Manager->isVisible());
    EXPECT_EQ(snmp->height(), expandedHeight);
    checkLayout();
    // Folding and unfolding is not an edit.
    EXPECT_FALSE(dialog->Is_Change);
}

TEST_F(ParGenDialogTest, FormActivateBringsTheTopOnScreen)
{
    open();
    dialog->move(40, -300);
    dialog->FormActivate();
    EXPECT_GE(dialog->frameGeometry().top(), 0);
    EXPECT_EQ(dialog->x(), 40);
}

TEST_F(ParGenDialogTest, TextsComeFromTheLanguageTable)
{
    EXPECT_EQ(s(dialog->windowTitle()), "Set Communication");
    EXPECT_EQ(s(dialog->GB_SNMP_Manager->title()), " SNMP Manager ");
    EXPECT_EQ(s(dialog->GB_EtherNetIP->title()), " EtherNet/IP ");
    EXPECT_EQ(s(box("CB_EN_GAT")->text()), "GATEWAY");
    EXPECT_EQ(s(dialog->L_NB_Output->text()), "Number Byte Output");
    EXPECT_EQ(s(edit("E_GAT1")->toolTip()), s(context.texts[529]));
    EXPECT_EQ(s(box("CB_EN_GAT")->toolTip()), s(context.texts[528]));
    EXPECT_EQ(s(edit("E_GAT4_SNMP_Manager")->toolTip()), s(context.texts[428]));
    EXPECT_EQ(s(edit("E_NB_Output")->toolTip()), s(context.texts[535]));
    EXPECT_EQ(s(button("Btn_GB_EtherNetIP_Expande")->toolTip()), "Expand");
    EXPECT_EQ(s(dialog->Btn_Cancel->toolTip()), "Exit Without Save the Configuration");
}

// Every caption fits its control, and the picture of the whole dialog is kept for a look.
TEST_F(ParGenDialogTest, ScreenshotAndTextsFit)
{
    open();
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        SCOPED_TRACE(s(label->objectName()));
        if (label->isVisible()) {
            EXPECT_LE(label->sizeHint().width(), label->width());
        }
    }
    for (QCheckBox *cb : dialog->findChildren<QCheckBox *>()) {
        SCOPED_TRACE(s(cb->objectName()));
        EXPECT_LE(cb->sizeHint().width(), cb->width());
    }
    for (QGroupBox *group : dialog->findChildren<QGroupBox *>()) {
        SCOPED_TRACE(s(group->objectName()));
        EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()) + 40, group->width());
    }
    for (cf::ui::PictureButton *b : {dialog->Btn_OK, dialog->Btn_Cancel}) {
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 8, b->width());
    }
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (w->parentWidget() && w->isVisible()) {
            SCOPED_TRACE(s(w->objectName()));
            EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << s(w->objectName());
        }
    }
    EXPECT_TRUE(dialog->grab().save(QStringLiteral("/tmp/pargen.png")));
}

TEST(ParGenFromMainWindow, StepTwoOpensTheDialog)
{
    cf::test::TempExeDir exeDir;
    ScriptedPrompt prompt;
    cf::AppContext context(exeDir.path(), prompt);
    cf::ProgramLauncher launcher;
    cf::ui::TFTesseleFirmWare main(context, launcher);
    cf::ui::createDialogs(main.windows(), context);
    ASSERT_NE(main.windows().parGen, nullptr);
    EXPECT_EQ(main.windows().parGen->parentWidget(), &main);

    main.Btn_Click(main.Btn_Prm_Gen);
    EXPECT_EQ(s(prompt.lastText()), "Error! Project not Valid");

    exeDir.makeDir(QStringLiteral("PROJECTS/Line1"));
    context.openProject(QStringLiteral("Line1"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        TFParGen *dialog = main.windows().parGen;
        shown = dialog->isVisible() && dialog->isModal();
        dialog->findChild<QLineEdit *>(QStringLiteral("E_NB_Input"))->setText(QStringLiteral("32"));
        QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton);
    });
    main.Btn_Click(main.Btn_Prm_Gen);
    EXPECT_TRUE(shown);
    const cf::ParGenLoad loaded = cf::loadParGen(context.files.parGen);
    EXPECT_EQ(s(loaded.data[ParGenItem::EtherNetIP_NB_Input]), "32");
    EXPECT_EQ(cf::etherNetIpSizes(loaded.data).app_NB_OUT, 32);

    main.Change_Language();
    EXPECT_EQ(s(main.windows().parGen->windowTitle()), "Set Communication");
}

} // namespace
