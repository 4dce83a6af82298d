#include <gtest/gtest.h>

#include "Screenshot.h"
#include "TestSupport.h"
#include "app/AppContext.h"
#include "app/ui/AppWindows.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "editors/RuleTableModel.h"
#include "editors/ui/CanopenDialog.h"
#include "editors/ui/RuleTableView.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "platform/FileReplace.h"
#include "platform/Launcher.h"
#include "platform/ScriptedPrompt.h"
#include "update/ui/Boot.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace cf::ui {
namespace {

// One cell change: typed (or toggled, for a check box) in the grid, and the attribute text
// of the fixture it replaces.
struct Edit {
    int page;
    int row;
    int col;
    QString attribute;
    QString before;
    QString after;
    bool toggle = false;
};

struct DialogCase {
    const char *name;
    CanopenFile file;
    QString fileName;
    std::unique_ptr<CanopenDialog> (*make)(AppContext &);
    CanopenDialog *(*window)(AppWindows &);
    PictureButton *TFTesseleFirmWare::*button;
    QList<Edit> typed;  // on the valid fixture; the saved file differs only there
    Edit invalid;       // set on the valid fixture; OK must refuse with `message`
    QString message;
    bool pasteAcrossPages; // one copied flag for both tables
    QString firstKey;      // row 1, column 1 of the first page in the valid fixture
};

void PrintTo(const DialogCase &c, std::ostream *os)
{
    *os << c.name;
}

template <class T>
std::unique_ptr<CanopenDialog> make(AppContext &ctx)
{
    return std::make_unique<T>(ctx);
}

const DialogCase kCases[] = {
    {"SdoServer", CanopenFile::SdoServer, u"SDO_Server_CANopen.xml"_qs,
     &make<TFSet_SDO_Server_Access>, [](AppWindows &w) -> CanopenDialog * { return w.sdoServer; },
     &TFTesseleFirmWare::Btn_SDO_Server_CANopen,
     {{0, 2, 7, u"Address_B4"_qs, u"1499"_qs, u"12"_qs},
      {1, 1, 8, u"Mnemonic"_qs, u"out"_qs, u"typed"_qs}},
     {1, 1, 1, u"Index"_qs, {}, u"0x7000"_qs},
     u"Error row 1!! [SDO in Write] Index must be different from 0x7000 to 0x701D and from "
     u"0x7050 to 0x706D"_qs,
     true, u"0x2000"_qs},
    {"SdoClient", CanopenFile::SdoClient, u"SDO_Client_CANopen.xml"_qs,
     &make<TFSet_SDO_Client_Access>, [](AppWindows &w) -> CanopenDialog * { return w.sdoClient; },
     &TFTesseleFirmWare::Btn_SDO_Client_CANopen,
     {{0, 1, 10, u"Mnemonic"_qs, u"r"_qs, u"typed0"_qs},
      {1, 1, 11, u"Mnemonic"_qs, u"w"_qs, u"typed"_qs},
      {1, 1, 6, u"On_Change"_qs, u"Y"_qs, u"N"_qs, true}},
     {0, 1, 5, u"Poll_Time"_qs, {}, u"0"_qs},
     u"Error row 1!! [SDO Read] Poll Time must be between 1 and 100000000"_qs,
     false, u"1"_qs},
    {"Pdo", CanopenFile::Pdo, u"PDO_CANopen.xml"_qs,
     &make<TFSet_PDO_Access>, [](AppWindows &w) -> CanopenDialog * { return w.pdo; },
     &TFTesseleFirmWare::Btn_PDO_CANopen,
     {{0, 1, 12, u"Mnemonic"_qs, u"rx"_qs, u"typed0"_qs},
      {1, 1, 13, u"Mnemonic"_qs, u"tx"_qs, u"typed"_qs},
      {1, 2, 12, u"On_Change"_qs, u"N"_qs, u"Y"_qs, true}},
     {1, 2, 3, u"Address_B1"_qs, {}, u"1500"_qs},
     u"Error row 2!! [Transmit PDO] Address Byte1 must be between 0 and 1499"_qs,
     false, u"0x181"_qs},
};

class CanopenDialogs : public ::testing::TestWithParam<DialogCase> {
protected:
    CanopenDialogs()
    {
        dir.makeDir(u"PROJECTS/p1"_qs);
        ctx.openProject(u"p1"_qs);
    }
    void SetUp() override
    {
        ASSERT_TRUE(ctx.project.isOpen());
        dialog = GetParam().make(ctx);
    }
    QString projectFile() const { return u"PROJECTS/p1/"_qs + GetParam().fileName; }
    QByteArray validBytes() const
    {
        return test::readFile(test::fixture(u"canopen/valid/"_qs + GetParam().fileName));
    }
    void writeValid() { dir.write(projectFile(), validBytes()); }
    bool openDialog()
    {
        if (!dialog->FormShow())
            return false;
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    void showPage(int page)
    {
        dialog->PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
    }
    RuleTableModel &table(int page) const { return dialog->table(page); }
    RuleTableView &grid(int page) const { return dialog->grid(page); }
    void key(int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); }
    void click(PictureButton *b) { QTest::mouseClick(b, Qt::LeftButton); }

    // Types over a cell's text the way a user does: F2, select all, type, Enter.
    void typeInto(int page, int row, int col, const QString &text, bool enter = true)
    {
        showPage(page);
        grid(page).setFocus();
        grid(page).setCurrentCell(row, col);
        key(Qt::Key_F2);
        auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_TRUE(edit) << "no line editor in page " << page << " column " << col;
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (enter)
            key(Qt::Key_Return);
        QApplication::processEvents();
    }
    void toggle(int page, int row, int col)
    {
        showPage(page);
        grid(page).setFocus();
        grid(page).setCurrentCell(row, col);
        key(Qt::Key_Space);
    }

    test::TempExeDir dir;
    ScriptedPrompt prompt;
    AppContext ctx{dir.path(), prompt};
    std::unique_ptr<CanopenDialog> dialog;
};

TEST_P(CanopenDialogs, PagesGridsColumnsAndTextsFollowTheLayout)
{
    ASSERT_TRUE(openDialog());
    const CanopenLayout &l = canopenLayout(GetParam().file);
    EXPECT_EQ(dialog->size(), QSize(798, 337));
    EXPECT_EQ(dialog->windowTitle(), ctx.texts[l.texts.caption]);
    EXPECT_EQ(dialog->PageControl1->currentIndex(), 0);
    for (int page = 0; page < 2; ++page) {
        SCOPED_TRACE(page);
        const CanopenTableLayout &t = l.tables[page];
        QWidget *pageWidget = dialog->findChild<QWidget *>(t.pageName);
        ASSERT_TRUE(pageWidget);
        EXPECT_EQ(pageWidget->findChild<RuleTableView *>(t.gridName), &grid(page));
        EXPECT_EQ(dialog->PageControl1->tabText(page), ctx.texts[t.pageText]);
        EXPECT_EQ(table(page).ruleRowCount(), t.ruleRows);
        ASSERT_EQ(table(page).columnTotal(), t.columnCount());
        ASSERT_EQ(dialog->hints(page).size(), t.dataColumns());
        EXPECT_EQ(table(page).cell(t.ruleRows, 0), QString::number(t.ruleRows));
        showPage(page);
        QHeaderView *header = grid(page).horizontalHeader();
        const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int c = 0; c < t.columnCount(); ++c) {
            SCOPED_TRACE(c);
            const QString caption = table(page).headerData(c, Qt::Horizontal).toString();
            EXPECT_EQ(caption, ctx.texts[t.columns.at(c).headerText]);
            EXPECT_EQ(grid(page).columnWidth(c), t.columns.at(c).width);
            EXPECT_LE(header->fontMetrics().horizontalAdvance(caption) + margin, t.columns.at(c).width);
            const QVariant hint = table(page).headerData(c, Qt::Horizontal, Qt::ToolTipRole);
            if (c == 0)
                EXPECT_FALSE(hint.isValid());
            else
                EXPECT_EQ(hint.toString(), ctx.texts[t.columns.at(c).hintText]);
        }
        // Every column shows without scrolling sideways.
        EXPECT_FALSE(grid(page).horizontalScrollBar()->isVisible());
    }
    EXPECT_EQ(dialog->Btn_OK->toolTip(), ctx.texts[l.texts.okHint]);
    EXPECT_EQ(dialog->Btn_PasteRow->text(), ctx.texts[l.texts.pasteRow]);
    for (PictureButton *b : dialog->findChildren<PictureButton *>())
        EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->width() - 8) << b->text().toStdString();
}

TEST_P(CanopenDialogs, TypedCellsAreSavedByOk)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    EXPECT_EQ(table(0).cell(1, 1), GetParam().firstKey);
    QByteArray expected = validBytes();
    for (const Edit &e : GetParam().typed) {
        SCOPED_TRACE(e.attribute.toStdString());
        EXPECT_EQ(table(e.page).cell(e.row, e.col), e.before);
        if (e.toggle)
            toggle(e.page, e.row, e.col);
        else
            typeInto(e.page, e.row, e.col, e.after);
        EXPECT_EQ(table(e.page).cell(e.row, e.col), e.after);
        const QByteArray from = (e.attribute + u"=\""_qs + e.before + u"\""_qs).toUtf8();
        ASSERT_EQ(expected.count(from), 1);
        expected.replace(from, (e.attribute + u"=\""_qs + e.after + u"\""_qs).toUtf8());
    }
    click(dialog->Btn_OK);
    EXPECT_TRUE(prompt.shown().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dir.read(projectFile()), expected);
}

TEST_P(CanopenDialogs, OkKeepsTheTextOfAnEditorStillOpen)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    const Edit &e = GetParam().typed.at(1);
    typeInto(e.page, e.row, e.col, e.after, false);
    click(dialog->Btn_OK);
    EXPECT_TRUE(prompt.shown().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dir.read(projectFile()).contains((e.attribute + u"=\""_qs + e.after + u"\""_qs).toUtf8()));
}

TEST_P(CanopenDialogs, OkWithoutEditsRewritesTheSameBytes)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    // Enter outside the tables is OK.
    dialog->Btn_DelRow->setFocus();
    key(Qt::Key_Return);
    EXPECT_TRUE(prompt.shown().isEmpty()) << prompt.lastText().toStdString();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dir.read(projectFile()), validBytes());
}

TEST_P(CanopenDialogs, FailedValidationShowsItsMessageAndWritesNothing)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    const Edit &e = GetParam().invalid;
    table(e.page).setCell(e.row, e.col, e.after);
    click(dialog->Btn_OK);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Error);
    EXPECT_EQ(prompt.lastText(), GetParam().message);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(table(e.page).cell(e.row, e.col), e.after);
    EXPECT_EQ(dir.read(projectFile()), validBytes());
}

// Refuses every write, as a read-only folder would.
class RefusingReplacer : public FileReplacer {
public:
    bool replace(const QString &path, const QByteArray &, QString *error) override
    {
        *error = cannotWriteMessage(path, u"Permission denied"_qs);
        return false;
    }
};

TEST_P(CanopenDialogs, FailedWriteIsReportedAndTheDialogStays)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    RefusingReplacer refusing;
    FileReplacer *previous = setFileReplacer(&refusing);
    click(dialog->Btn_OK);
    setFileReplacer(previous);
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::GeneralError);
    EXPECT_TRUE(prompt.lastText().contains(GetParam().fileName));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dir.read(projectFile()), validBytes());
}

TEST_P(CanopenDialogs, CancelAndEscapeWriteNothingAndTheNextOpeningReloads)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    table(1).setCell(1, 1, u"0x3000"_qs);
    click(dialog->Btn_Cancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dir.read(projectFile()), validBytes());

    ASSERT_TRUE(openDialog());
    EXPECT_NE(table(1).cell(1, 1), u"0x3000"_qs);
    showPage(1);
    table(0).setCell(3, 1, u"7"_qs);
    dialog->Btn_OK->setFocus();
    key(Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_EQ(dir.read(projectFile()), validBytes());
    // Shown again on the first page, with the file's rows only.
    ASSERT_TRUE(openDialog());
    EXPECT_EQ(dialog->PageControl1->currentIndex(), 0);
    EXPECT_EQ(table(0).cell(3, 1), u""_qs);
}

TEST_P(CanopenDialogs, CopyAndPasteBetweenThePagesFollowTheCopiedFlags)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    const QStringList readRow = table(0).rowTexts(1);
    const QStringList writeRow = table(1).rowTexts(1);
    const bool across = GetParam().pasteAcrossPages;

    // Nothing copied since the dialog was shown.
    showPage(1);
    grid(1).setCurrentCell(5, 1);
    click(dialog->Btn_PasteRow);
    EXPECT_EQ(prompt.lastText(), ctx.texts[1102]);

    showPage(0);
    grid(0).setCurrentCell(1, 2);
    click(dialog->Btn_CopyRow);
    EXPECT_TRUE(dialog->copied(0));
    EXPECT_EQ(dialog->copied(1), across);
    showPage(1);
    prompt.clear();
    click(dialog->Btn_PasteRow);
    if (across) {
        EXPECT_TRUE(prompt.shown().isEmpty());
        EXPECT_EQ(table(1).rowTexts(5), readRow);
    } else {
        ASSERT_EQ(prompt.shown().size(), 1);
        EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Error);
        EXPECT_EQ(prompt.lastText(), ctx.texts[1102]);
        EXPECT_EQ(table(1).rowTexts(5), QStringList(table(1).columnTotal() - 1));
    }
    EXPECT_EQ(table(1).cell(5, 0), u"5"_qs);

    // A copy in the second table pastes there, and clears the first table's own flag.
    grid(1).setCurrentCell(1, 1);
    click(dialog->Btn_CopyRow);
    EXPECT_EQ(dialog->copied(0), across);
    grid(1).setCurrentCell(6, 1);
    prompt.clear();
    click(dialog->Btn_PasteRow);
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_EQ(table(1).rowTexts(6), writeRow);
    showPage(0);
    grid(0).setCurrentCell(7, 1);
    click(dialog->Btn_PasteRow);
    if (across) {
        EXPECT_TRUE(prompt.shown().isEmpty());
        EXPECT_EQ(table(0).rowTexts(7), writeRow);
    } else {
        EXPECT_EQ(prompt.lastText(), ctx.texts[1102]);
        EXPECT_EQ(table(0).cell(7, 1), u""_qs);
    }

    // Reopened: the flags are cleared, the buffer is not.
    ASSERT_TRUE(openDialog());
    EXPECT_FALSE(dialog->copied(0));
    EXPECT_FALSE(dialog->copied(1));
    EXPECT_EQ(ctx.copyBuffer, writeRow);
}

TEST_P(CanopenDialogs, RowButtonsActOnTheCurrentPagesTable)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    const QStringList readRow = table(0).rowTexts(1);
    const QStringList secondWriteRow = table(1).rowTexts(2);
    const QStringList empty(table(1).columnTotal() - 1);
    const int last = table(1).ruleRowCount();

    showPage(1);
    grid(1).setCurrentCell(1, 3);
    prompt.answerConfirm(false);
    click(dialog->Btn_DelRow);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::Confirm);
    EXPECT_EQ(prompt.lastText(), u"Are you sure to delete the Row number 1"_qs);
    EXPECT_NE(table(1).rowTexts(1), secondWriteRow);
    prompt.answerConfirm(true);
    click(dialog->Btn_DelRow);
    EXPECT_EQ(table(1).rowTexts(1), secondWriteRow);
    EXPECT_EQ(table(0).rowTexts(1), readRow);

    // Inserting at the last row only empties it.
    table(1).setCell(last - 1, 1, u"A"_qs);
    table(1).setCell(last, 1, u"B"_qs);
    grid(1).setCurrentCell(last, 1);
    click(dialog->Btn_InsRow);
    EXPECT_EQ(table(1).rowTexts(last), empty);
    EXPECT_EQ(table(1).cell(last - 1, 1), u"A"_qs);
    EXPECT_EQ(table(1).cell(last, 0), QString::number(last));
    EXPECT_EQ(table(0).rowTexts(1), readRow);

    showPage(0);
    grid(0).setCurrentCell(1, 1);
    click(dialog->Btn_InsRow);
    EXPECT_EQ(table(0).cell(1, 1), u""_qs);
    EXPECT_EQ(table(0).rowTexts(2), readRow);
    EXPECT_EQ(table(0).cell(1, 0), u"1"_qs);
    EXPECT_EQ(table(1).cell(last - 1, 1), u"A"_qs);
}

TEST_P(CanopenDialogs, Screenshot)
{
    writeValid();
    ASSERT_TRUE(openDialog());
    for (int page = 0; page < 2; ++page) {
        showPage(page);
        grid(page).setCurrentCell(1, 1);
        cf::test::saveShot(dialog.get(), QStringLiteral("canopen_%1_page%2").arg(QLatin1String(GetParam().name)).arg(page));
    }
}

// The dialogs as the program reaches them: created with the others, opened by the main window.
class CanopenDialogWiring : public CanopenDialogs {
protected:
    void SetUp() override
    {
        main = std::make_unique<TFTesseleFirmWare>(ctx, launcher);
        createDialogs(main->windows(), ctx);
        ctx.openProject(u"p1"_qs);
    }
    CanopenDialog *window() { return GetParam().window(main->windows()); }
    // Clicks the main window's button; returns whether the dialog was shown (then cancels it).
    bool openThroughMainWindow()
    {
        bool shown = false;
        QTimer::singleShot(0, window(), [&] {
            shown = window()->isVisible();
            window()->reject();
        });
        main->Btn_Click(main.get()->*GetParam().button);
        QApplication::processEvents();
        return shown;
    }

    ProgramLauncher launcher;
    std::unique_ptr<TFTesseleFirmWare> main;
};

TEST_P(CanopenDialogWiring, CreatedAfterTheSnmpDialogAndOpenedByItsButton)
{
    ASSERT_TRUE(window());
    EXPECT_EQ(window()->parent(), main.get());
    const QObjectList &children = main->children();
    const AppWindows &w = main->windows();
    const auto at = [&](QObject *o) { return children.indexOf(o); };
    EXPECT_GE(at(w.snmpManager), 0);
    EXPECT_LT(at(w.snmpManager), at(w.pdo));
    EXPECT_LT(at(w.pdo), at(w.sdoClient));
    EXPECT_LT(at(w.sdoClient), at(w.sdoServer));
    EXPECT_LT(at(w.sdoServer), at(w.boot));

    writeValid();
    EXPECT_TRUE(openThroughMainWindow());
    EXPECT_TRUE(prompt.shown().isEmpty());
    EXPECT_EQ(window()->table(0).cell(1, 1), GetParam().firstKey);

    // The texts stay those of the creation when the language changes.
    const QString title = window()->windowTitle();
    ctx.texts.loadLangBytes("STR700 =Server SDO\r\nSTR800 =Client SDO\r\nSTR900 =PDO\r\n");
    main->Change_Language();
    EXPECT_EQ(window()->windowTitle(), title);
}

TEST_P(CanopenDialogWiring, NotWellFormedFileGivesTheGeneralErrorAndNoDialog)
{
    const QByteArray broken = "<Root><Section><row Index=\"1\"></Root>";
    dir.write(projectFile(), broken);
    EXPECT_FALSE(openThroughMainWindow());
    EXPECT_FALSE(window()->isVisible());
    ASSERT_EQ(prompt.shown().size(), 1);
    EXPECT_EQ(prompt.lastKind(), ScriptedPrompt::Kind::GeneralError);
    EXPECT_TRUE(prompt.lastText().contains(GetParam().fileName)) << prompt.lastText().toStdString();
    EXPECT_EQ(dir.read(projectFile()), broken);
}

std::string caseName(const ::testing::TestParamInfo<DialogCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Dialogs, CanopenDialogs, ::testing::ValuesIn(kCases), caseName);
INSTANTIATE_TEST_SUITE_P(Dialogs, CanopenDialogWiring, ::testing::ValuesIn(kCases), caseName);

} // namespace
} // namespace cf::ui
