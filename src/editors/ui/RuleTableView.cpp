#include "editors/ui/RuleTableView.h"

#include "app/AppContext.h"
#include "app/AppSettings.h"
#include "editors/RuleTableModel.h"
#include "editors/RuleTableOps.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace cf::ui {

namespace {

EditorKind kindOf(const QModelIndex &index)
{
    return EditorKind(index.data(RuleTableModel::EditorKindRole).toInt());
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QRect checkRect(const QStyleOptionViewItem &option, const QWidget *widget)
{
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton button;
    button.rect = option.rect;
    const QRect indicator = style->subElementRect(QStyle::SE_CheckBoxIndicator, &button, widget);
    QRect r(QPoint(), indicator.size());
    r.moveCenter(option.rect.center());
    return r;
}

} // namespace

RuleTableView::RuleTableView(RuleTableModel &model, const AppSettings &settings, QWidget *parent)
    : QTableView(parent)
    , m_model(model)
    , m_settings(settings)
{
    setModel(&model);
    setItemDelegate(new RuleCellDelegate(*this));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    horizontalHeader()->setHighlightSections(false);
    // A header click would select a whole column; only the double-click is used.
    horizontalHeader()->setSectionsClickable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    // The header double-click sizes a column only when the option asks for it,
    // also on a section's edge.
    disconnect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
    connect(horizontalHeader(), &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int col) { Grid_Header_DblClick(0, col); });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int col) { Grid_Header_DblClick(0, col); });
    applyColumnWidths();
}

int RuleTableView::currentRuleRow() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int RuleTableView::currentColumn() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : 0;
}

void RuleTableView::setCurrentCell(int row, int col)
{
    const QModelIndex i = m_model.index(row - 1, col);
    if (!i.isValid())
        return;
    setCurrentIndex(i);
    scrollTo(i);
}

void RuleTableView::applyColumnWidths()
{
    for (int c = 0; c < m_model.columnTotal(); ++c)
        setColumnWidth(c, m_model.column(c).width);
}

bool RuleTableView::Grid_Enter_Key(int key)
{
    if (!m_settings.enable_jump_field_tables || !isEnter(key))
        return false;
    if (const auto target = enterKeyTarget(currentRuleRow(), currentColumn(), m_model.ruleRowCount(),
                                           m_model.columnTotal() - 1))
        setCurrentCell(target->first, target->second);
    return true;
}

void RuleTableView::Grid_Header_DblClick(int row, int col)
{
    if (m_settings.Double_Click_Auto_Size && row == 0)
        resizeColumnToContents(col);
}

void RuleTableView::keyPressEvent(QKeyEvent *event)
{
    if (!isEnter(event->key())) {
        QTableView::keyPressEvent(event);
        return;
    }
    // Enter belongs to the table: it never reaches the dialog's OK.
    event->accept();
    if (Grid_Enter_Key(event->key()))
        return;
    const QModelIndex i = currentIndex();
    if (state() != EditingState && hasFocus() && i.isValid()
        && kindOf(i) != EditorKind::CheckBox && (i.flags() & Qt::ItemIsEditable))
        edit(i);
}

RuleCellDelegate::RuleCellDelegate(RuleTableView &view)
    : QStyledItemDelegate(&view)
    , m_view(view)
{
}

QWidget *RuleCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    switch (kindOf(index)) {
    case EditorKind::Text: {
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        return edit;
    }
    case EditorKind::List:
    case EditorKind::ListWithText: {
        auto *combo = new QComboBox(parent);
        const bool free = kindOf(index) == EditorKind::ListWithText;
        combo->setEditable(free);
        if (free)
            combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(index.data(RuleTableModel::ChoicesRole).toStringList());
        combo->setMaxVisibleItems(16);
        if (!free) {
            // A pick is the edit: store it at once.
            connect(combo, &QComboBox::activated, this, [this, combo] {
                emit const_cast<RuleCellDelegate *>(this)->commitData(combo);
            });
        }
        return combo;
    }
    default:
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
}

void RuleCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(RuleTableModel::TextRole).toString();
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->isEditable()) {
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
            combo->setEditText(text);
        } else {
            // A text that is not a choice stays shown until one is picked.
            combo->setPlaceholderText(text);
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        }
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void RuleCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->isEditable())
            model->setData(index, combo->currentText(), RuleTableModel::TextRole);
        else if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentText(), RuleTableModel::TextRole);
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, edit->text(), RuleTableModel::TextRole);
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

void RuleCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (kindOf(index) == EditorKind::Fixed) {
        // The row number column looks like a header, as it cannot be edited.
        painter->fillRect(option.rect, option.palette.button());
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    if (kindOf(index) != EditorKind::CheckBox) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    cell.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    cell.text.clear();
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    QStyleOptionButton box;
    box.rect = checkRect(option, widget);
    box.state = QStyle::State_Enabled
                | (index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

bool RuleCellDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (kindOf(index) != EditorKind::CheckBox)
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    bool toggle = false;
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        toggle = mouse->button() == Qt::LeftButton
                 && checkRect(option, option.widget).adjusted(-3, -3, 3, 3).contains(mouse->position().toPoint());
        break;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        toggle = key == Qt::Key_Space || key == Qt::Key_Select;
        break;
    }
    default:
        break;
    }
    if (!toggle)
        return false;
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

bool RuleCellDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *editor = qobject_cast<QWidget *>(object);
    if (editor && event->type() == QEvent::KeyPress && m_view.m_settings.enable_jump_field_tables) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (isEnter(key)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            m_view.Grid_Enter_Key(key);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace cf::ui

namespace cf::ui {

void deleteCurrentRow(RuleTableView &grid, AppContext &context, const QString &question)
{
    const int row = grid.currentRuleRow();
    if (row < 1)
        return;
    if (context.prompt().confirm(question + QString::number(row)))
        Grid_Delete_Row(row, grid.ruleModel());
}

void insertCurrentRow(RuleTableView &grid)
{
    Grid_Insert_Row(grid.currentRuleRow(), grid.ruleModel());
}

void copyCurrentRow(RuleTableView &grid, AppContext &context, bool &copied)
{
    const int row = grid.currentRuleRow();
    if (row < 1)
        return;
    Grid_Copy_Row(grid.ruleModel(), row, context);
    copied = true;
}

void pasteCurrentRow(RuleTableView &grid, AppContext &context, bool copied)
{
    Grid_Paste_Row(grid.ruleModel(), grid.currentRuleRow(), copied, context);
}

} // namespace cf::ui
