#include <gtest/gtest.h>

#include "Screenshot.h"
#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "editors/RuleTableModel.h"
#include "editors/SnmpManagerTable.h"
#include "editors/ui/RuleTableView.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "platform/ScriptedPrompt.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace cf::ui {
namespace {

using namespace snmp;

class SnmpDialog : public ::testing::Test {
protected:
    SnmpDialog()
    {
        dir.makeDir(u"PROJECTS/p1"_qs);
        ctx.openProject(u"p1"_qs);
    }
    void SetUp() override
    {
        ASSERT_TRUE(ctx.project.isOpen());
        dialog = std::make_unique<TFSNMPManagerAccess>(ctx);
    }
    bool openDialog()
    {
        if (!dialog->FormShow())
            return false;
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    QString snmpFile() const { return u"PROJECTS/p1/SNMP_Manager.xml"_qs; }
    RuleTableView &grid() const { return *dialog->ACG_SNMP; }
    RuleTableModel &table() const { return dialog->table(); }
    QPoint cellCentre(int row, int col) const
    {
        return grid().visualRect(table().index(row - 1, col)).center();
    }
    void key(int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); }

    test::TempExeDir dir;
    ScriptedPrompt prompt;
    AppContext ctx{dir.path(), prompt};
    std::unique_ptr<TFSNMPManagerAccess> dialog;
};

TEST_F(SnmpDialog, LayoutHeadersWidthsAndHints)
{
    ASSERT_TRUE(openDialog());
    EXPECT_EQ(dialog->size(), QSize(1190, 337));
    EXPECT_EQ(dialog->windowTitle(), u"Set SNMP Manager Access"_qs);
    const int widths[16] = {40, 50, 90, 60, 106, 100, 65, 65, 75, 50, 65, 65, 75, 75, 95, 90};
    const QStringList headers = {u"N"_qs, u"Enable"_qs, u"IP Address"_qs, u"Version"_qs, u"Community Name"_qs,
                                 u"OID"_qs, u"Type"_qs, u"Mode"_qs, u"OnChange"_qs, u"OnCMD"_qs, u"OnTimer"_qs,
                                 u"Time"_qs, u"Position"_qs, u"Num Bytes"_qs, u"Convertion"_qs, u"Mnemonic"_qs};
    for (int c = 0; c < 16; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(grid().columnWidth(c), widths[c]);
        EXPECT_EQ(table().headerData(c, Qt::Horizontal).toString(), headers[c]);
    }
    ASSERT_EQ(dialog->Hint_SNMP.size(), 15);
    EXPECT_EQ(table().headerData(14, Qt::Horizontal, Qt::ToolTipRole).toString(), ctx.texts[655]);
    EXPECT_EQ(table().headerData(15, Qt::Horizontal, Qt::ToolTipRole).toString(), ctx.texts[636]);
    EXPECT_EQ(dialog->Btn_OK->toolTip(), ctx.texts[648]);
    // Every caption fits its button.
    for (PictureButton *b : dialog->findChildren<PictureButton *>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->width() - 8) << b->text().toStdString();
    dialog->resize(900, 500);
    EXPECT_EQ(dialog->size(), QSize(900, 500));
}

TEST_F(SnmpDialog, NotWellFormedFileKeepsTheDialogClosed)
{
    const QByteArray broken = "<SNMP_Agent_Access><row>";
    dir.write(snmpFile(), broken);
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::GeneralError);
    EXPECT_TRUE(prompt.lastText().contains(u"SNMP_Manager.xml"_qs));
    EXPECT_EQ(dir.read(snmpFile()), broken);
}

TEST_F(SnmpDialog, OkValidatesThenSavesAndCancelWritesNothing)
{
    ASSERT_TRUE(openDialog());
    table().setRowTexts(1, {u"Y"_qs, u"10.0.0.1"_qs, u"1"_qs, u""_qs, u"1.3"_qs, u""_qs, u""_qs, u"N"_qs, u"N"_qs,
                            u"N"_qs, u""_qs, u""_qs, u"300"_qs, u"None"_qs, u""_qs});
    QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), u"Error row 1!! Number bytes must be between 0 and 255"_qs);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dir.exists(snmpFile()));

    table().setCell(1, ColNumBytes, u"4"_qs);
    QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dir.read(snmpFile()).count("<row "), 1);

    // Abandoned edits are gone at the next opening.
    ASSERT_TRUE(openDialog());
    table().setCell(2, ColIpAddress, u"10.0.0.2"_qs);
    QTest::mouseClick(dialog->Btn_Cancel, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    ASSERT_TRUE(openDialog());
    EXPECT_EQ(table().cell(1, ColIpAddress), u"10.0.0.1"_qs);
    EXPECT_EQ(table().cell(2, ColIpAddress), u""_qs);
}

TEST_F(SnmpDialog, UnsavableCellIsReportedAndTheDialogStays)
{
    ASSERT_TRUE(openDialog());
    table().setCell(1, ColIpAddress, u"10.0.0.1"_qs);
    table().setCell(1, ColOid, u"1.3"_qs);
    table().setCell(1, ColNumBytes, u"1"_qs);
    table().setCell(1, ColConvertFrom, u"None"_qs);
    table().setCell(1, ColMnemonic, u"esc\u001b"_qs);
    QTest::mouseClick(dialog->Btn_OK, Qt::LeftButton);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::GeneralError);
    EXPECT_TRUE(prompt.lastText().contains(u"SNMP_Manager.xml"_qs));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dir.exists(snmpFile()));
}

TEST_F(SnmpDialog, EnterOutsideTheTableIsOkAndEscapeIsCancel)
{
    ASSERT_TRUE(openDialog());
    table().setCell(1, ColIpAddress, u"bad"_qs);
    dialog->Btn_DelRow->setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(prompt.lastText(), u"Error row 1"_qs + ctx.texts[638]);
    EXPECT_TRUE(dialog->isVisible());
    key(Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(SnmpDialog, RowButtonsWorkOnTheCurrentRow)
{
    ASSERT_TRUE(openDialog());
    for (int r = 1; r <= 3; ++r)
        table().setCell(r, ColIpAddress, QStringLiteral("10.0.0.%1").arg(r));
    grid().setCurrentCell(2, ColOid);

    prompt.answerConfirm(false);
    QTest::mouseClick(dialog->Btn_DelRow, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), u"Are you sure to delete the Row number 2"_qs);
    EXPECT_EQ(table().cell(2, ColIpAddress), u"10.0.0.2"_qs);
    prompt.answerConfirm(true);
    QTest::mouseClick(dialog->Btn_DelRow, Qt::LeftButton);
    EXPECT_EQ(table().cell(2, ColIpAddress), u"10.0.0.3"_qs);

    QTest::mouseClick(dialog->Btn_InsRow, Qt::LeftButton);
    EXPECT_EQ(table().cell(2, ColIpAddress), u""_qs);
    EXPECT_EQ(table().cell(2, ColEnable), u""_qs);
    EXPECT_EQ(table().cell(3, ColIpAddress), u"10.0.0.3"_qs);

    prompt.clear();
    grid().setCurrentCell(1, ColIpAddress);
    QTest::mouseClick(dialog->Btn_CopyRow, Qt::LeftButton);
    EXPECT_TRUE(dialog->copied());
    grid().setCurrentCell(2, ColIpAddress);
    QTest::mouseClick(dialog->Btn_PasteRow, Qt::LeftButton);
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_EQ(table().cell(2, ColIpAddress), u"10.0.0.1"_qs);
    EXPECT_EQ(table().cell(2, ColNumber), u"2"_qs);

    // Reopened: the buffer is still full but nothing was copied since.
    ASSERT_TRUE(openDialog());
    EXPECT_FALSE(dialog->copied());
    EXPECT_FALSE(ctx.copyBuffer.isEmpty());
    QTest::mouseClick(dialog->Btn_PasteRow, Qt::LeftButton);
    EXPECT_EQ(prompt.lastText(), ctx.texts[1102]);
}

TEST_F(SnmpDialog, EnterFollowsTheOptionAtTheMomentOfTheKey)
{
    ASSERT_TRUE(openDialog());
    grid().setFocus();
    grid().setCurrentCell(3, ColOid);

    // Off: Enter opens the cell's editor and never reaches OK.
    key(Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(prompt.shown().isEmpty());
    ASSERT_TRUE(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), u"1.3"_qs);
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(table().cell(3, ColOid), u"1.3"_qs);
    EXPECT_EQ(grid().currentColumn(), ColOid);

    // On, as Software Options leaves it: the next Enter moves on.
    ctx.settings.enable_jump_field_tables = true;
    grid().setFocus();
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentColumn(), ColType);
    grid().setCurrentCell(3, ColMnemonic);
    key(Qt::Key_Enter);
    EXPECT_EQ(grid().currentRuleRow(), 4);
    EXPECT_EQ(grid().currentColumn(), 1);
    grid().setCurrentCell(512, ColMnemonic);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentRuleRow(), 1);
    EXPECT_EQ(grid().currentColumn(), 1);
    grid().setCurrentCell(5, ColNumber);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentRuleRow(), 5);
    EXPECT_EQ(grid().currentColumn(), ColNumber);

    // Enter in an open editor stores the text and moves.
    grid().setCurrentCell(2, ColTime);
    key(Qt::Key_F2);
    ASSERT_TRUE(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), u"500"_qs);
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(table().cell(2, ColTime), u"500"_qs);
    EXPECT_EQ(grid().currentColumn(), ColPosition);
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SnmpDialog, HeaderDoubleClickSizesOnlyWithTheOption)
{
    ASSERT_TRUE(openDialog());
    table().setCell(7, ColMnemonic, QString(60, u'W'));
    QHeaderView *header = grid().horizontalHeader();
    const QPoint at(header->sectionViewportPosition(ColMnemonic) + 20, header->height() / 2);
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid().columnWidth(ColMnemonic), 90);
    ctx.settings.Double_Click_Auto_Size = true;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_GT(grid().columnWidth(ColMnemonic), 300);
    // A rule row's double-click edits, it does not size.
    const int before = grid().columnWidth(ColOid);
    grid().Grid_Header_DblClick(3, ColOid);
    EXPECT_EQ(grid().columnWidth(ColOid), before);
}

TEST_F(SnmpDialog, CheckBoxCellsStoreYAndN)
{
    ASSERT_TRUE(openDialog());
    table().setCell(2, ColOnTimer, QString());
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(2, ColOnTimer));
    EXPECT_EQ(table().cell(2, ColOnTimer), u"Y"_qs);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cellCentre(2, ColOnTimer));
    EXPECT_EQ(table().cell(2, ColOnTimer), u"N"_qs);
    grid().setFocus();
    grid().setCurrentCell(1, ColEnable);
    key(Qt::Key_Space);
    EXPECT_EQ(table().cell(1, ColEnable), u"N"_qs);
}

TEST_F(SnmpDialog, ListEditors)
{
    dir.write(u"PROJECTS/p1/ParGen.xml"_qs,
              "<Par_Gen><EtherNetIP_NB_Input>10</EtherNetIP_NB_Input>"
              "<EtherNetIP_NB_Output>20</EtherNetIP_NB_Output></Par_Gen>");
    dir.write(snmpFile(), "<SNMP_Agent_Access><row IP_Address=\"1.2.3.4\" Mode=\"Poll\"/></SNMP_Agent_Access>");
    ASSERT_TRUE(openDialog());
    grid().setFocus();

    // A loaded text that is not a choice stays until a choice is picked.
    grid().setCurrentCell(1, ColMode);
    key(Qt::Key_F2);
    auto *mode = qobject_cast<QComboBox *>(QApplication::focusWidget());
    ASSERT_TRUE(mode);
    EXPECT_FALSE(mode->isEditable());
    EXPECT_EQ(mode->count(), 3);
    grid().setCurrentCell(1, ColType); // leaves the editor
    QApplication::processEvents();
    EXPECT_EQ(table().cell(1, ColMode), u"Poll"_qs);

    grid().setCurrentCell(1, ColPosition);
    key(Qt::Key_F2);
    auto *position = qobject_cast<QComboBox *>(QApplication::focusWidget());
    ASSERT_TRUE(position);
    EXPECT_EQ(position->count(), 20);
    position->setCurrentIndex(19);
    emit position->activated(19);
    QApplication::processEvents();
    EXPECT_EQ(table().cell(1, ColPosition), u"19"_qs);

    grid().setCurrentCell(1, ColCommunity);
    key(Qt::Key_F2);
    QWidget *focus = QApplication::focusWidget();
    auto *community = qobject_cast<QComboBox *>(focus);
    if (!community)
        community = qobject_cast<QComboBox *>(focus->parentWidget());
    ASSERT_TRUE(community);
    EXPECT_TRUE(community->isEditable());
    QTest::keyClicks(QApplication::focusWidget(), u"public-long-name"_qs);
    key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(table().cell(1, ColCommunity), u"public-long-name"_qs);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SnmpDialog, Screenshot)
{
    dir.write(snmpFile(),
              "<SNMP_Agent_Access>"
              "<row Enable=\"Y\" IP_Address=\"192.168.1.20\" Version=\"2\" Community_String=\"Mireva\" "
              "OID=\"1.3.6.1.2.1.1.5.0\" Type=\"String\" Mode=\"Get\" On_Change=\"N\" On_Command=\"N\" "
              "On_Timer=\"Y\" Time=\"1000\" Position=\"0\" Number_Bytes=\"16\" ConvertFrom=\"None\" Mnemonic=\"sysName\"/>"
              "<row Enable=\"Y\" IP_Address=\"192.168.1.21\" Version=\"1\" Community_String=\"Tolvane\" "
              "OID=\"1.3.6.1.2.1.2.2.1.10.1\" Type=\"Int\" Mode=\"Get\" On_Change=\"N\" On_Command=\"Y\" "
              "On_Timer=\"N\" Time=\"\" Position=\"16\" Number_Bytes=\"4\" ConvertFrom=\"Float * 10\" Mnemonic=\"ifInOctets\"/>"
              "<row Enable=\"N\" IP_Address=\"10.0.0.7\" Version=\"3\" Community_String=\"private\" "
              "OID=\"1.3.6.1.4.1.9.2.1.58.0\" Type=\"Int\" Mode=\"Set\" On_Change=\"Y\" On_Command=\"N\" "
              "On_Timer=\"N\" Time=\"\" Position=\"20\" Number_Bytes=\"2\" ConvertFrom=\"Float\" Mnemonic=\"setpoint\"/>"
              "</SNMP_Agent_Access><!--SW_VERSION = 1.000-->");
    ASSERT_TRUE(openDialog());
    grid().setCurrentCell(2, ColOid);
    test::saveShot(dialog.get(), u"snmp_manager_dialog"_qs);
}

TEST(SnmpDialogWiring, MainWindowOpensTheDialog)
{
    test::TempExeDir dir;
    dir.makeDir(u"PROJECTS/p1"_qs);
    ScriptedPrompt prompt;
    AppContext ctx(dir.path(), prompt);
    ProgramLauncher launcher;
    TFTesseleFirmWare main(ctx, launcher);
    createDialogs(main.windows(), ctx);
    TFSNMPManagerAccess *dialog = main.windows().snmpManager;
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->parent(), &main);
    ctx.openProject(u"p1"_qs);
    bool wasOpen = false;
    QTimer::singleShot(0, dialog, [&] {
        wasOpen = dialog->isVisible();
        dialog->reject();
    });
    main.Btn_Click(main.Btn_SNMP_Manager_Access);
    EXPECT_TRUE(wasOpen);
    ctx.texts.loadLangBytes("STR600 =Richieste SNMP\r\nSTR610 =Indirizzo IP\r\nSTR623 =Abilita la regola\r\n");
    main.Change_Language();
    EXPECT_EQ(dialog->windowTitle(), u"Richieste SNMP"_qs);
    EXPECT_EQ(dialog->table().headerData(ColIpAddress, Qt::Horizontal).toString(), u"Indirizzo IP"_qs);
    ASSERT_EQ(dialog->Hint_SNMP.size(), 15);
    EXPECT_EQ(dialog->Hint_SNMP.first(), u"Abilita la regola"_qs);
    EXPECT_EQ(dialog->table().headerData(ColEnable, Qt::Horizontal, Qt::ToolTipRole).toString(),
              u"Abilita la regola"_qs);
}

} // namespace
} // namespace cf::ui
