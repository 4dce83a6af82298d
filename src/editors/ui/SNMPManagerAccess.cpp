#include "editors/ui/SNMPManagerAccess.h"

#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "editors/SnmpManagerTable.h"
#include "editors/ui/RuleButtons.h"
#include "editors/ui/RuleTableView.h"
#include "platform/Prompt.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>

namespace cf::ui {

namespace {
constexpr int kClientWidth = 1190;
constexpr int kClientHeight = 337;
} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_ctx(context)
    , m_table(snmp::makeTable())
{
    setObjectName(QStringLiteral("TFSNMPManagerAccess"));
    FormCreate();
}

TFSNMPManagerAccess::~TFSNMPManagerAccess() = default;

void TFSNMPManagerAccess::FormCreate()
{
    applyWindowLook(this);
    setSizeGripEnabled(true);

    Title = new TitlePanel(this);
    ACG_SNMP = new RuleTableView(*m_table, m_ctx.settings, this);
    ACG_SNMP->setObjectName(QStringLiteral("ACG_SNMP"));

    const RuleButtons buttons = makeRuleButtons(this);
    Btn_OK = buttons.ok;
    Btn_Cancel = buttons.cancel;
    Btn_DelRow = buttons.deleteRow;
    Btn_InsRow = buttons.insertRow;
    Btn_CopyRow = buttons.copyRow;
    Btn_PasteRow = buttons.pasteRow;

    auto *body = new QVBoxLayout;
    // The 16 columns fit the starting width exactly.
    body->setContentsMargins(3, 8, 3, 8);
    body->setSpacing(8);
    body->addWidget(ACG_SNMP, 1);
    body->addLayout(buttons.row);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Title);
    layout->addLayout(body, 1);

    setMinimumSize(820, 260);
    resize(kClientWidth, kClientHeight);
    Set_Lang();
}

void TFSNMPManagerAccess::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[600]);
    Title->setSubtitle(t[601]);
    setButtonTexts({
        {Btn_OK, 602, 648}, {Btn_Cancel, 603, 649}, {Btn_DelRow, 604, 650},
        {Btn_InsRow, 605, 651}, {Btn_CopyRow, 606, 652}, {Btn_PasteRow, 607, 653},
    }, t);
    QStringList headers;
    for (int i : snmp::headerTextIndices())
        headers.append(t[i]);
    m_table->setHeaders(headers);
    Hint_SNMP.clear();
    for (int i : snmp::hintTextIndices())
        Hint_SNMP.append(t[i]);
    m_table->setHeaderHints(Hint_SNMP);
}

bool TFSNMPManagerAccess::FormShow()
{
    if (const auto error = snmp::openTable(m_ctx.files.parGen, m_ctx.files.snmpManager, *m_table)) {
        m_ctx.prompt().generalError(*error);
        return false;
    }
    Do_Copy_SNMP = false;
    if (ACG_SNMP->currentRuleRow() < 1)
        ACG_SNMP->setCurrentCell(1, snmp::ColEnable);
    ACG_SNMP->setFocus();
    return true;
}

int TFSNMPManagerAccess::exec()
{
    if (!FormShow())
        return Rejected;
    return QDialog::exec();
}

void TFSNMPManagerAccess::Btn_OKClick()
{
    if (const auto error = snmp::Controllo_dati(*m_table, m_ctx.texts)) {
        m_ctx.prompt().error(*error);
        return;
    }
    QString error;
    if (!snmp::saveFile(m_ctx.files.snmpManager, *m_table, &error)) {
        m_ctx.prompt().generalError(error);
        return;
    }
    accept();
}

void TFSNMPManagerAccess::Btn_DelRowClick()
{
    deleteCurrentRow(*ACG_SNMP, m_ctx, m_ctx.texts[647]);
}

void TFSNMPManagerAccess::Btn_InsRowClick()
{
    insertCurrentRow(*ACG_SNMP);
}

void TFSNMPManagerAccess::Btn_CopyRowClick()
{
    copyCurrentRow(*ACG_SNMP, m_ctx, Do_Copy_SNMP);
}

void TFSNMPManagerAccess::Btn_PasteRowClick()
{
    pasteCurrentRow(*ACG_SNMP, m_ctx, Do_Copy_SNMP);
}

void TFSNMPManagerAccess::keyPressEvent(QKeyEvent *event)
{
    // The table keeps Enter for itself; elsewhere Enter is OK and Escape Cancel.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) 
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Btn_OKClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace cf::ui
