#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "editors/RuleTableModel.h"
#include "editors/RuleTableOps.h"
#include "editors/TextValidators.h"
#include "platform/ScriptedPrompt.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace cf {
namespace {

// Six rule rows: text, check box, fixed list, text.
std::unique_ptr<RuleTableModel> smallTable(int rows = 6)
{
    auto t = std::make_unique<RuleTableModel>(
        rows, QList<RuleColumn>{{EditorKind::Fixed, 40, {}},
                                {EditorKind::Text, 60, {}},
                                {EditorKind::CheckBox, 40, {}},
                                {EditorKind::List, 60, {QStringLiteral("a"), QStringLiteral("b")}},
                                {EditorKind::Text, 60, {}}});
    for (int r = 1; r <= rows; ++r) {
        t->cellRef(r, 0) = QString::number(r);
        t->setRowTexts(r, {QStringLiteral("t%1").arg(r), QStringLiteral("Y"), QStringLiteral("a"),
                           QStringLiteral("m%1").arg(r)});
    }
    return t;
}

QString firstCells(const RuleTableModel &t)
{
    QStringList out;
    for (int r = 1; r <= t.ruleRowCount(); ++r)
        out.append(t.cell(r, 0) + u':' + t.cell(r, 1));
    return out.join(u' ');
}

struct MoveCase {
    const char *name;
    bool insert;
    int row;
    const char *expected; // "number:column1" for rows 1..6
};

TEST(RuleTableOps, InsertAndDeleteMoveContentsNotNumbers)
{
    const MoveCase cases[] = {
        {"insert at 5 drops old row 6", true, 5, "1:t1 2:t2 3:t3 4:t4 5: 6:t5"},
        {"insert at 1", true, 1, "1: 2:t1 3:t2 4:t3 5:t4 6:t5"},
        {"insert at the last row only empties it", true, 6, "1:t1 2:t2 3:t3 4:t4 5:t5 6:"},
        {"delete at 1", false, 1, "1:t2 2:t3 3:t4 4:t5 5:t6 6:"},
        {"delete at 3", false, 3, "1:t1 2:t2 3:t4 4:t5 5:t6 6:"},
        {"delete the last row only empties it", false, 6, "1:t1 2:t2 3:t3 4:t4 5:t5 6:"},
        {"no current row does nothing", false, 0, "1:t1 2:t2 3:t3 4:t4 5:t5 6:t6"},
        {"beyond the table does nothing", true, 7, "1:t1 2:t2 3:t3 4:t4 5:t5 6:t6"},
    };
    for (const MoveCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto t = smallTable();
        if (c.insert)
            Grid_Insert_Row(c.row, *t);
        else
            Grid_Delete_Row(c.row, *t);
        EXPECT_EQ(firstCells(*t), QString::fromLatin1(c.expected));
        EXPECT_EQ(t->ruleRowCount(), 6);
    }
}

TEST(RuleTableOps, EmptiedRowClearsEveryDataCellIncludingCheckBoxes)
{
    auto t = smallTable();
    Grid_Insert_Row(2, *t);
    EXPECT_EQ(t->rowTexts(2), QStringList(4, QString()));
    EXPECT_EQ(t->rowTexts(3), (QStringList{u"t2"_qs, u"Y"_qs, u"a"_qs, u"m2"_qs}));
    Grid_Delete_Row(1, *t);
    EXPECT_EQ(t->rowTexts(6), QStringList(4, QString()));
}

class PasteTest : public ::testing::Test {
protected:
    ScriptedPrompt prompt;
    AppContext ctx{QStringLiteral("/tmp"), prompt};
};

TEST_F(PasteTest, CopyFillsTheSharedBufferInColumnOrder)
{
    auto t = smallTable();
    t->setCell(3, 4, QString());
    ctx.copyBuffer = QStringList{u"old"_qs};
    Grid_Copy_Row(*t, 3, ctx);
    EXPECT_EQ(ctx.copyBuffer, (QStringList{u"t3"_qs, u"Y"_qs, u"a"_qs, QString()}));
}

struct PasteCase {
    const char *name;
    bool copied;
    int bufferSize;                 // texts in the buffer
    QStringList target;             // columns 1..4 of row 2 before the paste
    std::optional<bool> answer;     // confirmation answer, when one is expected
    ScriptedPrompt::Kind shownKind; // meaningful when something is shown
    int shownText;                  // LanguageTexts index, -1 for nothing shown
    bool pasted;
};

TEST_F(PasteTest, PasteRules)
{
    const QStringList used{u"x"_qs, u"N"_qs, u"b"_qs, u""_qs};
    const QStringList checksOnly{u" "_qs, u"Y"_qs, u""_qs, u"  "_qs};
    const PasteCase cases[] = {
        {"not copied since shown", false, 4, used, {}, ScriptedPrompt::Kind::Error, 1102, false},
        {"not copied, even into a free row", false, 4, checksOnly, {}, ScriptedPrompt::Kind::Error, 1102, false},
        {"buffer of another shape", true, 3, used, {}, ScriptedPrompt::Kind::Error, 1101, false},
        {"used row, Yes", true, 4, used, true, ScriptedPrompt::Kind::Confirm, 1100, true},
        {"used row, No", true, 4, used, false, ScriptedPrompt::Kind::Confirm, 1100, false},
        {"only a ticked check box and blanks: free", true, 4, checksOnly, {}, ScriptedPrompt::Kind::Error, -1, true},
    };
    for (const PasteCase &c : cases) {
        SCOPED_TRACE(c.name);
        prompt.clear();
        auto t = smallTable();
        t->setRowTexts(2, c.target);
        ctx.copyBuffer.clear();
        for (int i = 0; i < c.bufferSize; ++i)
            ctx.copyBuffer.append(QStringLiteral("p%1").arg(i));
        if (c.answer)
            prompt.answerConfirm(*c.answer);
        Grid_Paste_Row(*t, 2, c.copied, ctx);
        if (c.shownText < 0) {
            EXPECT_TRUE(prompt.shown().isEmpty());
        } else {
            ASSERT_EQ(prompt.shown().size(), 1);
            EXPECT_EQ(prompt.lastKind(), c.shownKind);
            EXPECT_EQ(prompt.lastText(), ctx.texts[c.shownText]);
        }
        EXPECT_EQ(t->rowTexts(2), c.pasted ? ctx.copyBuffer : c.target);
        EXPECT_EQ(t->cell(2, 0), u"2"_qs);
    }
}

struct EnterCase {
    int row, col;
    std::optional<std::pair<int, int>> target;
};

TEST(RuleTableOps, EnterTarget)
{
    // Six rows, columns 0..4.
    const EnterCase cases[] = {
        {1, 1, std::pair{1, 2}}, {3, 3, std::pair{3, 4}}, {3, 4, std::pair{4, 1}},
        {6, 4, std::pair{1, 1}}, {6, 2, std::pair{6, 3}}, {2, 0, std::nullopt}, {0, 2, std::nullopt},
    };
    for (const EnterCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << " col " << c.col);
        EXPECT_EQ(enterKeyTarget(c.row, c.col, 6, 4), c.target);
    }
}

struct AddressCase {
    const char *text;
    bool invalid;
    std::array<int, 4> bytes;
};

TEST(TextValidators, SplitIpAddress)
{
    const AddressCase cases[] = {
        {"10.0.0.1", false, {10, 0, 0, 1}},
        {"192.168.0.256", true, {192, 168, 0, 0}},
        {"192.168.0", true, {192, 168, 0, 0}},
        {"192.168.0.1.5", true, {192, 168, 0, 0}},
        {"1..2.3", true, {1, 0, 2, 3}},
        {"255.255.255.255", false, {255, 255, 255, 255}},
        {"", true, {9, 9, 9, 9}}, // untouched
    };
    for (const AddressCase &c : cases) {
        SCOPED_TRACE(c.text);
        std::array<int, 4> bytes{9, 9, 9, 9};
        EXPECT_EQ(Split_IP_Address(QString::fromLatin1(c.text), bytes), c.invalid);
        EXPECT_EQ(bytes, c.bytes);
    }
}

TEST(TextValidators, CheckOidString)
{
    const struct { QString text; int code; } cases[] = {
        {u"1.3.6.1.2.1.1.5.0"_qs, 0}, {u".1.3"_qs, 3}, {u"1.3."_qs, 4}, {u"1..3"_qs, 5},
        {u"1.3.65536"_qs, 6}, {u"1.3.a"_qs, 2}, {u"1.3.65535"_qs, 0}, {u"1.3.99999999999"_qs, 6},
        {QString(64, u'1'), 6}, {u"1."_qs.repeated(31) + u"12"_qs, 0}, {QString(65, u'1'), 1},
        {u""_qs, kOidEmpty},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(Check_OID_String(c.text), c.code);
    }
}

TEST(RuleTableModel, PassesTheModelTesterWhileEdited)
{
    auto t = smallTable();
    t->setHeaders({u"N"_qs, u"A"_qs, u"B"_qs, u"C"_qs, u"D"_qs});
    t->setHeaderHints({u"hint A"_qs, u"hint B"_qs});
    QAbstractItemModelTester tester(t.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    Grid_Insert_Row(2, *t);
    Grid_Delete_Row(1, *t);
    t->setData(t->index(0, 2), Qt::Unchecked, Qt::CheckStateRole);
    t->setData(t->index(0, 1), u"typed"_qs, Qt::EditRole);
    EXPECT_EQ(t->cell(1, 2), u"N"_qs);
    EXPECT_EQ(t->cell(1, 1), u"typed"_qs);
}

TEST(RuleTableModel, RolesByColumnKind)
{
    auto t = smallTable();
    t->setHeaders({u"N"_qs, u"A"_qs, u"B"_qs, u"C"_qs, u"D"_qs});
    t->setHeaderHints({u"hint A"_qs, u"hint B"_qs});
    const QModelIndex number = t->index(0, 0), check = t->index(0, 2);
    EXPECT_FALSE(t->flags(number) & Qt::ItemIsEditable);
    EXPECT_FALSE(t->setData(number, u"9"_qs));
    EXPECT_TRUE(t->flags(check) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(t->data(check, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_FALSE(t->data(check, Qt::DisplayRole).isValid());
    t->setCell(1, 2, QString());
    EXPECT_EQ(t->data(check, Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_EQ(t->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), u"hint A"_qs);
    EXPECT_FALSE(t->headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(t->headerData(3, Qt::Horizontal, Qt::ToolTipRole).isValid());
    EXPECT_EQ(t->data(t->index(0, 3), RuleTableModel::ChoicesRole).toStringList(),
              (QStringList{u"a"_qs, u"b"_qs}));
}

TEST(RuleTableModel, ARowOperationIsOneChangeNotice)
{
    auto t = smallTable(512);
    QSignalSpy spy(t.get(), &QAbstractItemModel::dataChanged);
    Grid_Insert_Row(1, *t);
    EXPECT_EQ(spy.size(), 1);
}

} // namespace
} // namespace cf
