#include "editors/ui/CanopenDialog.h"

#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "editors/RuleTableModel.h"
#include "editors/RuleTableOps.h"
#include "editors/ui/RuleTableDialog.h"
#include "editors/ui/RuleTableView.h"
#include "platform/Prompt.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QTabWidget>

namespace cf::ui {

namespace {

EditorKind editorKind(CanopenColumn::Editor editor)
{
    switch (editor) {
    case CanopenColumn::Editor::FixedList:
        return EditorKind::List;
    case CanopenColumn::Editor::ListWithText:
        return EditorKind::ListWithText;
    case CanopenColumn::Editor::CheckBox:
        return EditorKind::CheckBox;
    case CanopenColumn::Editor::PlainText:
        break;
    }
    return EditorKind::Text;
}

std::unique_ptr<RuleTableModel> makeModel(const CanopenTableLayout &layout)
{
    QList<RuleColumn> columns;
    for (int c = 0; c < layout.columnCount(); ++c) {
        const CanopenColumn &from = layout.columns.at(c);
        columns.append(RuleColumn{c == 0 ? EditorKind::Fixed : editorKind(from.editor), from.width,
                                  from.choices});
    }
    return std::make_unique<RuleTableModel>(layout.ruleRows, columns);
}

} // namespace

CanopenDialog::CanopenDialog(CanopenFile file, AppContext &context, QWidget *parent)
    : RuleTableDialog(parent)
    , m_ctx(context)
    , m_tables(file)
{
    for (int page = 0; page < 2; ++page)
        m_models[page] = makeModel(layout().tables[page]);
    FormCreate();
}

CanopenDialog::~CanopenDialog() = default;

void CanopenDialog::FormCreate()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setDocumentMode(false);
    for (int page = 0; page < 2; ++page) {
        const CanopenTableLayout &t = layout().tables[page];
        Page[page] = new QWidget;
        Page[page]->setObjectName(t.pageName);
        m_grids[page] = new RuleTableView(*m_models[page], m_ctx.settings, Page[page]);
        m_grids[page]->setObjectName(t.gridName);
        // At the window's 11 px, captions such as "Add B1" overflow their 45 px columns.
        m_grids[page]->horizontalHeader()->setFont(verdana(10));
        auto *pageLayout = new QVBoxLayout(Page[page]);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->addWidget(m_grids[page]);
        PageControl1->addTab(Page[page], QString());
    }
    sga = m_grids[0];
    sgb = m_grids[1];

    placeTables(PageControl1, 6);

    setMinimumSize(layout().clientWidth, 260);
    resize(layout().clientWidth, layout().clientHeight);
    Set_Lang();
}

void CanopenDialog::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    const CanopenDialogTexts &ids = layout().texts;
    setWindowTitle(t[ids.caption]);
    Title->setSubtitle(t[ids.description]);
    setButtonTexts(t, {ids.ok, ids.okHint}, {ids.cancel, ids.cancelHint}, {ids.deleteRow, ids.deleteRowHint},
                   {ids.insertRow, ids.insertRowHint}, {ids.copyRow, ids.copyRowHint},
                   {ids.pasteRow, ids.pasteRowHint});
    for (int page = 0; page < 2; ++page) {
        const CanopenTableLayout &l = layout().tables[page];
        PageControl1->setTabText(page, t[l.pageText]);
        QStringList headers;
        QStringList &hints = m_hints[page];
        hints.clear();
        for (int c = 0; c < l.columnCount(); ++c) {
            headers.append(t[l.columns.at(c).headerText]);
            if (c > 0)
                hints.append(t[l.columns.at(c).hintText]);
        }
        m_models[page]->setHeaders(headers);
        m_models[page]->setHeaderHints(hints);
    }
}

void CanopenDialog::showTables()
{
    for (int page = 0; page < 2; ++page) {
        const CanopenTable &from = m_tables.table(page);
        RuleTableModel &to = *m_models[page];
        for (int r = 1; r <= to.ruleRowCount(); ++r) {
            to.cellRef(r, 0) = QString::number(r);
            for (int c = 1; c < to.columnTotal(); ++c)
                to.cellRef(r, c) = from.cell(r, c);
        }
        to.notifyRowsChanged(1, to.ruleRowCount());
    }
}

const CanopenTables &CanopenDialog::tables()
{
    for (int page = 0; page < 2; ++page) {
        const RuleTableModel &from = *m_models[page];
        CanopenTable &to = m_tables.table(page);
        for (int r = 1; r <= to.rowCount(); ++r)
            to.setRow(r, from.rowTexts(r));
    }
    return m_tables;
}

QString CanopenDialog::filePath() const
{
    switch (layout().file) {
    case CanopenFile::SdoServer:
        return m_ctx.files.sdoServer;
    case CanopenFile::SdoClient:
        return m_ctx.files.sdoClient;
    case CanopenFile::Pdo:
        break;
    }
    return m_ctx.files.pdo;
}

bool CanopenDialog::FormShow()
{
    const xml::LoadResult loaded = Load_Canopen_File(filePath(), m_tables);
    if (loaded.failed()) {
        m_ctx.prompt().generalError(loaded.error);
        return false;
    }
    showTables();
    m_copied = {};
    PageControl1->setCurrentIndex(0);
    for (RuleTableView *g : m_grids) {
        if (g->currentRuleRow() < 1)
            g->setCurrentCell(1, 1);
    }
    sga->setFocus();
    return true;
}

int CanopenDialog::exec()
{
    if (!FormShow())
        return Rejected;
    return QDialog::exec();
}

int CanopenDialog::currentPage() const
{
    return PageControl1->currentIndex() == 1 ? 1 : 0;
}

void CanopenDialog::Btn_OKClick()
{
    const CanopenTables &checked = tables();
    if (const auto error = Controllo_dati(checked, m_ctx.texts)) {
        m_ctx.prompt().error(*error);
        return;
    }
    QString error;
    if (!Save_Canopen_File(filePath(), checked, &error)) {
        m_ctx.prompt().generalError(error);
        return;
    }
    accept();
}

void CanopenDialog::Btn_DelRowClick()
{
    deleteCurrentRow(currentGrid(), m_ctx, m_ctx.texts[layout().texts.deleteConfirm]);
}

void CanopenDialog::Btn_InsRowClick()
{
    insertCurrentRow(currentGrid());
}

void CanopenDialog::Btn_CopyRowClick()
{
    const int page = currentPage();
    bool copiedNow = false;
    copyCurrentRow(currentGrid(), m_ctx, copiedNow);
    if (!copiedNow)
        return;
    // A copy in one table takes the paste away from the other, unless they share the flag.
    m_copied = {};
    m_copied[flagIndex(page)] = true;
}

void CanopenDialog::Btn_PasteRowClick()
{
    pasteCurrentRow(currentGrid(), m_ctx, copied(currentPage()));
}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(AppContext &context, QWidget *parent)
    : CanopenDialog(CanopenFile::SdoServer, context, parent)
{
    setObjectName(QStringLiteral("TFSet_SDO_Server_Access"));
}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(AppContext &context, QWidget *parent)
    : CanopenDialog(CanopenFile::SdoClient, context, parent)
{
    setObjectName(QStringLiteral("TFSet_SDO_Client_Access"));
}

TFSet_PDO_Access::TFSet_PDO_Access(AppContext &context, QWidget *parent)
    : CanopenDialog(CanopenFile::Pdo, context, parent)
{
    setObjectName(QStringLiteral("TFSet_PDO_Access"));
}

void TFSet_PDO_Access::Insert_Row(int Num_Row, RuleTableModel &grid)
{
    Grid_Insert_Row(Num_Row, grid);
}

void TFSet_PDO_Access::Delete_Row(int Num_Row, RuleTableModel &grid)
{
    Grid_Delete_Row(Num_Row, grid);
}

} // namespace cf::ui
