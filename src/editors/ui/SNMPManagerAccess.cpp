#include "editors/ui/SNMPManagerAccess.h"

#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "editors/SnmpManagerTable.h"
#include "editors/ui/RuleTableDialog.h"
#include "editors/ui/RuleTableView.h"
#include "platform/Prompt.h"

#include <QHeaderView>

namespace cf::ui {

namespace {
constexpr int kClientWidth = 1190;
constexpr int kClientHeight = 337;
} // namespace

TFSNMPManagerAccess::TFSNMPManagerAccess(AppContext &context, QWidget *parent)
    : RuleTableDialog(parent)
    , m_ctx(context)
    , m_table(snmp::makeTable())
{
    setObjectName(QStringLiteral("TFSNMPManagerAccess"));
    FormCreate();
}

TFSNMPManagerAccess::~TFSNMPManagerAccess() = default;

void TFSNMPManagerAccess::FormCreate()
{
    ACG_SNMP = new RuleTableView(*m_table, m_ctx.settings, this);
    ACG_SNMP->setObjectName(QStringLiteral("ACG_SNMP"));
    // The 16 columns fit the starting width exactly.
    placeTables(ACG_SNMP, 8);

    setMinimumSize(820, 260);
    resize(kClientWidth, kClientHeight);
    Set_Lang();
}

void TFSNMPManagerAccess::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[600]);
    Title->setSubtitle(t[601]);
    setButtonTexts(t, {602, 648}, {603, 649}, {604, 650}, {605, 651}, {606, 652}, {607, 653});
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

} // namespace cf::ui
