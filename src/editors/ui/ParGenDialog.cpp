#include "editors/ui/ParGenDialog.h"

#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>

namespace cf::ui {

namespace {

constexpr int kGroupLeft = 8;
constexpr int kGroupWidth = TFParGen::kClientWidth - 2 * kGroupLeft;
constexpr int kFirstRow = 24;
constexpr int kRowStep = 26;
constexpr int kRowHeight = 20;
constexpr int kCaptionLeft = 10;
constexpr int kCaptionWidth = 126;
constexpr int kByteLeft = 140;
constexpr int kByteStep = 36;
constexpr int kByteWidth = 32;
constexpr int kWideWidth = 140;
constexpr int kButtonWidth = 144;
constexpr int kButtonHeight = 30;
constexpr int kToggleSize = 18;

int rowTop(int row)
{
    return kFirstRow + row * kRowStep;
}

ParGenItem itemAt(int index)
{
    return static_cast<ParGenItem>(index);
}

// The '.' chains run over address, mask and gateway bytes of one side and stop at the
// last gateway byte.
bool isChainEnd(ParGenItem item)
{
    return item == ParGenItem::SNMP_Manager_GAT4 || item == ParGenItem::EtherNetIP_GAT4;
}

bool canTakeFocus(const QWidget *w, const QWidget *window)
{
    return w && w->isEnabled() && w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus);
}

} // namespace

TFParGen::TFParGen(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
{
    setObjectName(QStringLiteral("TFParGen"));
    setModal(true);
    FormCreate();
}

QLineEdit *TFParGen::byteEdit(QGroupBox *box, ParGenItem item, int left, int top)
{
    auto *e = new QLineEdit(box);
    e->setValidator(m_noControls);
    e->setGeometry(left, top, kByteWidth, kRowHeight);
    m_edits[std::size_t(item)] = e;
    connect(e, &QLineEdit::textChanged, this, &TFParGen::On_Change);
    return e;
}

void TFParGen::createControls()
{
    applyWindowLook(this);
    // Pasted control characters cannot be stored in XML: the file would no longer load.
    m_noControls = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\x00-\\x1f]*")), this);
    titlePanel = new TitlePanel(this);
    titlePanel->setGeometry(0, 0, kClientWidth, TitlePanel::kHeight);

    auto caption = [](QWidget *parent, const char *name, int row) {
        QLabel *l = plainLabel(parent);
        l->setObjectName(QString::fromLatin1(name));
        l->setGeometry(kCaptionLeft, rowTop(row), kCaptionWidth, kRowHeight);
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return l;
    };
    auto gatewayBox = [this](QWidget *parent, const char *name, int row) {
        auto *cb = new QCheckBox(parent);
        cb->setObjectName(QString::fromLatin1(name));
        cb->setGeometry(kCaptionLeft - 2, rowTop(row), kCaptionWidth + 2, kRowHeight);
        connect(cb, &QCheckBox::toggled, this, &TFParGen::On_Click);
        return cb;
    };
    // Four byte rows of one side: address, mask, gateway; named E_<kind><n><suffix>.
    auto byteRows = [this](QGroupBox *box, ParGenItem first, const QString &suffix) {
        const char *kinds[3] = {"IP", "SM", "GAT"};
        for (int row = 0; row < 3; ++row) {
            for (int b = 0; b < 4; ++b) {
                const ParGenItem item = itemAt(int(first) + row * 4 + b);
                QLineEdit *e = byteEdit(box, item, kByteLeft + b * kByteStep, rowTop(row));
                e->setObjectName(QStringLiteral("E_%1%2%3").arg(QString::fromLatin1(kinds[row])).arg(b + 1).arg(suffix));
                e->installEventFilter(this);
            }
        }
    };
    auto wideEdit = [this](QGroupBox *box, const char *name, ParGenItem item, int row, int width) {
        auto *e = new QLineEdit(box);
        e->setValidator(m_noControls);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(kByteLeft, rowTop(row), width, kRowHeight);
        m_edits[std::size_t(item)] = e;
        connect(e, &QLineEdit::textChanged, this, &TFParGen::On_Change);
        return e;
    };
    auto toggle = [this](QGroupBox *box, const char *name, const QString &glyph) {
        auto *b = new PictureButton(box);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(glyph);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(kGroupWidth - kToggleSize - 6, 1, kToggleSize, kToggleSize);
        return b;
    };

    GB_SNMP_Manager = new QGroupBox(this);
    GB_SNMP_Manager->setObjectName(QStringLiteral("GB_SNMP_Manager"));
    L_IP_SNMP_Manager = caption(GB_SNMP_Manager, "L_IP_SNMP_Manager", 0);
    L_SM_SNMP_Manager = caption(GB_SNMP_Manager, "L_SM_SNMP_Manager", 1);
    CB_SNMP_Manager_En_GAT = gatewayBox(GB_SNMP_Manager, "CB_SNMP_Manager_En_GAT", 2);
    L_Name_Station_SNMP_Manager = caption(GB_SNMP_Manager, "L_Name_Station_SNMP_Manager", 3);
    byteRows(GB_SNMP_Manager, ParGenItem::SNMP_Manager_IP1, QStringLiteral("_SNMP_Manager"));
    E_SNMP_Manager_Name_Station = wideEdit(GB_SNMP_Manager, "E_SNMP_Manager_Name_Station",
                                           ParGenItem::SNMP_Name_of_Station, 3, kWideWidth);
    E_SNMP_Manager_Name_Station->setMaxLength(kStationNameMaxLength);
    connect(E_SNMP_Manager_Name_Station, &QLineEdit::textChanged, this, &TFParGen::limitStationName);
    Btn_GB_SNMP_Manager_Collapse = toggle(GB_SNMP_Manager, "Btn_GB_SNMP_Manager_Collapse", QStringLiteral("\u2212"));
    Btn_GB_SNMP_Manager_Expande = toggle(GB_SNMP_Manager, "Btn_GB_SNMP_Manager_Expande", QStringLiteral("+"));

    GB_EtherNetIP = new QGroupBox(this);
    GB_EtherNetIP->setObjectName(QStringLiteral("GB_EtherNetIP"));
    L_IP = caption(GB_EtherNetIP, "L_IP", 0);
    L_SM = caption(GB_EtherNetIP, "L_SM", 1);
    CB_EN_GAT = gatewayBox(GB_EtherNetIP, "CB_EN_GAT", 2);
    L_PORT = caption(GB_EtherNetIP, "L_PORT", 3);
    L_NB_Input = caption(GB_EtherNetIP, "L_NB_Input", 4);
    L_NB_Output = caption(GB_EtherNetIP, "L_NB_Output", 5);
    byteRows(GB_EtherNetIP, ParGenItem::EtherNetIP_IP1, QString());
    E_PORT = wideEdit(GB_EtherNetIP, "E_PORT", ParGenItem::EtherNetIP_PORT, 3, 2 * kByteWidth + 6);
    E_PORT->setEnabled(false);
    E_NB_Input = wideEdit(GB_EtherNetIP, "E_NB_Input", ParGenItem::EtherNetIP_NB_Input, 4, 2 * kByteWidth + 6);
    E_NB_Output = wideEdit(GB_EtherNetIP, "E_NB_Output", ParGenItem::EtherNetIP_NB_Output, 5, 2 * kByteWidth + 6);
    Btn_GB_EtherNetIP_Collapse = toggle(GB_EtherNetIP, "Btn_GB_EtherNetIP_Collapse", QStringLiteral("\u2212"));
    Btn_GB_EtherNetIP_Expande = toggle(GB_EtherNetIP, "Btn_GB_EtherNetIP_Expande", QStringLiteral("+"));

    m_groups[0] = {GB_SNMP_Manager, Btn_GB_SNMP_Manager_Collapse, Btn_GB_SNMP_Manager_Expande,
                   &GB_SNMP_Manager_Visible, E_SNMP_Manager_Name_Station, {}};
    m_groups[1] = {GB_EtherNetIP, Btn_GB_EtherNetIP_Collapse, Btn_GB_EtherNetIP_Expande,
                   &GB_EtherNetIP_Visible, E_NB_Output, {}};
    for (Group &g : m_groups) {
        for (QObject *child : g.box->children()) {
            auto *w = qobject_cast<QWidget *>(child);
            if (w && w != g.collapse && w != g.expand)
                g.body.append(w);
        }
        connect(g.collapse, &QAbstractButton::clicked, this, [this, b = g.collapse] { Btn_GB_Collapse(b); });
        connect(g.expand, &QAbstractButton::clicked, this, [this, b = g.expand] { Btn_GB_Expande(b); });
    }

    Btn_OK = new PictureButton(this);
    Btn_OK->setObjectName(QStringLiteral("Btn_OK"));
    Btn_Cancel = new PictureButton(this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    connect(Btn_OK, &QAbstractButton::clicked, this, &TFParGen::Btn_OKClick);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &TFParGen::Btn_CancelClick);

    // Tab follows the layout: each side's bytes, then its other fields, then the buttons.
    QWidget *previous = nullptr;
    auto chain = [&previous](QWidget *w) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    };
    for (int i = 0; i < kParGenItemCount; ++i) {
        const ParGenItem item = itemAt(i);
        if (item == ParGenItem::SNMP_Manager_GAT1)
            chain(CB_SNMP_Manager_En_GAT);
        if (item == ParGenItem::EtherNetIP_GAT1)
            chain(CB_EN_GAT);
        if (QLineEdit *e = edit(item))
            chain(e);
    }
    chain(Btn_OK);
    chain(Btn_Cancel);
}

void TFParGen::FormCreate()
{
    createControls();
    GB_SNMP_Manager->hide();
    GB_EtherNetIP->hide();
    Collapse_Expand_Creation();
    Move_GroupBoxs();
    Set_Lang();
}

void TFParGen::Collapse_Expand_Creation()
{
    for (Group &g : m_groups) {
        *g.expanded = true;
        g.collapse->show();
        g.expand->hide();
        g.expand->move(g.collapse->pos());
    }
}

void TFParGen::Move_GroupBoxs()
{
    auto place = [](const Group &g, int top) {
        const int height = *g.expanded ? g.lastControl->y() + g.lastControl->height() + 15 : kCollapsedHeight;
        g.box->setGeometry(kGroupLeft, top, kGroupWidth, height);
        g.box->show();
        return top + height;
    };
    const int snmpBottom = place(m_groups[0], 70);
    const int etherNetIpBottom = place(m_groups[1], snmpBottom + 6);
    Btn_OK->setGeometry(kGroupLeft, etherNetIpBottom + 13, kButtonWidth, kButtonHeight);
    Btn_Cancel->setGeometry(kClientWidth - kGroupLeft - kButtonWidth, etherNetIpBottom + 13, kButtonWidth,
                            kButtonHeight);
    setFixedSize(kClientWidth, etherNetIpBottom + 54);
}

TFParGen::Group *TFParGen::groupOf(QObject *button)
{
    for (Group &g : m_groups) {
        if (button == g.collapse || button == g.expand)
            return &g;
    }
    return nullptr;
}

void TFParGen::setExpanded(Group &group, bool expanded)
{
    // Beyond the first caption, the clipped fields are hidden too so Tab cannot reach them.
    for (QWidget *w : group.body)
        w->setVisible(expanded);
    group.collapse->setVisible(expanded);
    group.expand->setVisible(!expanded);
    *group.expanded = expanded;
    Move_GroupBoxs();
}

void TFParGen::Btn_GB_Collapse(QObject *sender)
{
    if (Group *g = groupOf(sender)) {
        // Keep the keyboard focus out of the group that folds away.
        if (QWidget *focus = focusWidget(); focus && g->box->isAncestorOf(focus))
            Btn_OK->setFocus();
        setExpanded(*g, false);
    }
}

void TFParGen::Btn_GB_Expande(QObject *sender)
{
    if (Group *g = groupOf(sender))
        setExpanded(*g, true);
}

void TFParGen::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[400]);
    titlePanel->setSubtitle(t[401]);
    Btn_OK->setText(t[402]);
    Btn_OK->setToolTip(t[480]);
    Btn_Cancel->setText(t[403]);
    Btn_Cancel->setToolTip(t[481]);
    for (const Group &g : m_groups) {
        g.collapse->setToolTip(t[414]);
        g.collapse->setAccessibleName(t[414]);
        g.expand->setToolTip(t[415]);
        g.expand->setAccessibleName(t[415]);
    }

    GB_SNMP_Manager->setTitle(t[404]);
    L_IP_SNMP_Manager->setText(t[405]);
    L_SM_SNMP_Manager->setText(t[406]);
    CB_SNMP_Manager_En_GAT->setText(t[407]);
    L_Name_Station_SNMP_Manager->setText(t[408]);
    GB_EtherNetIP->setTitle(t[513]);
    L_IP->setText(t[514]);
    L_SM->setText(t[515]);
    CB_EN_GAT->setText(t[516]);
    L_PORT->setText(t[517]);
    L_NB_Input->setText(t[518]);
    L_NB_Output->setText(t[519]);

    // Hints of both sides: 12 bytes around the gateway box, then the side's own fields.
    const struct { ParGenItem first; int firstHint; QCheckBox *gateway; } sides[] = {
        {ParGenItem::SNMP_Manager_IP1, 416, CB_SNMP_Manager_En_GAT},
        {ParGenItem::EtherNetIP_IP1, 520, CB_EN_GAT},
    };
    for (const auto &side : sides) {
        for (int i = 0; i < 12; ++i) {
            const int hint = side.firstHint + i + (i >= 8 ? 1 : 0);
            edit(itemAt(int(side.first) + i))->setToolTip(t[hint]);
        }
        side.gateway->setToolTip(t[side.firstHint + 8]);
    }
    E_SNMP_Manager_Name_Station->setToolTip(t[429]);
    E_PORT->setToolTip(t[533]);
    E_NB_Input->setToolTip(t[534]);
    E_NB_Output->setToolTip(t[535]);
}

ParGenData TFParGen::Read_Form() const
{
    ParGenData data;
    for (int i = 0; i < kParGenItemCount; ++i) {
        const ParGenItem item = itemAt(i);
        if (QLineEdit *e = edit(item))
            data[item] = e->text();
    }
    data.setFlag(ParGenItem::SNMP_Manager_EN_GAT, CB_SNMP_Manager_En_GAT->isChecked());
    data.setFlag(ParGenItem::EtherNetIP_EN_GAT, CB_EN_GAT->isChecked());
    return data;
}

void TFParGen::Write_Form(const ParGenData &data)
{
    // A longer name read from the file is shown whole; limitStationName lets it only shrink.
    E_SNMP_Manager_Name_Station->setMaxLength(
        std::max<int>(kStationNameMaxLength, int(data[ParGenItem::SNMP_Name_of_Station].size())));
    for (int i = 0; i < kParGenItemCount; ++i) {
        const ParGenItem item = itemAt(i);
        if (QLineEdit *e = edit(item))
            e->setText(data[item]);
    }
    CB_SNMP_Manager_En_GAT->setChecked(data.flag(ParGenItem::SNMP_Manager_EN_GAT));
    CB_EN_GAT->setChecked(data.flag(ParGenItem::EtherNetIP_EN_GAT));
}

void TFParGen::limitStationName()
{
    const int length = int(E_SNMP_Manager_Name_Station->text().size());
    if (E_SNMP_Manager_Name_Station->maxLength() > kStationNameMaxLength)
        E_SNMP_Manager_Name_Station->setMaxLength(std::max(kStationNameMaxLength, length));
}

bool TFParGen::FormShow()
{
    const ParGenLoad loaded = loadParGen(m_ctx.files.parGen);
    if (loaded.failed()) {
        // Opening on defaults would replace the user's file on OK.
        m_ctx.prompt().generalError(loaded.error);
        return false;
    }
    Write_Form(loaded.data);
    Move_GroupBoxs();
    Is_Change = false;
    QLineEdit *first = edit(ParGenItem::SNMP_Manager_IP1);
    if (canTakeFocus(first, this)) {
        first->setFocus();
        first->selectAll();
    }
    return true;
}

int TFParGen::exec()
{
    if (!FormShow())
        return QDialog::Rejected;
    return QDialog::exec();
}

void TFParGen::FormActivate()
{
    const QScreen *s = screen();
    const int screenTop = s ? s->availableGeometry().top() : 0;
    // pos() is the frame's corner for a window.
    if (frameGeometry().top() < screenTop)
        move(x(), screenTop);
}

bool TFParGen::Controllo_Dati()
{
    if (const std::optional<QString> error = cf::Controllo_Dati(Read_Form(), m_ctx.texts)) {
        m_ctx.prompt().error(*error);
        return false;
    }
    return true;
}

void TFParGen::Btn_OKClick()
{
    if (!Controllo_Dati())
        return;
    QString error;
    if (!saveParGen(m_ctx.files.parGen, Read_Form(), &error)) {
        // Nothing is lost: the entries stay and the user can try again.
        m_ctx.prompt().generalError(error);
        return;
    }
    accept();
}

void TFParGen::Btn_CancelClick()
{
    if (Is_Change && !m_ctx.prompt().confirm(m_ctx.texts[469]))
        return;
    reject();
}

void TFParGen::On_Change()
{
    Is_Change = true;
}

void TFParGen::On_Click()
{
    Is_Change = true;
}

bool TFParGen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->text() == QStringLiteral(".")) {
        for (int i = 0; i < kParGenItemCount; ++i) {
            const ParGenItem item = itemAt(i);
            if (edit(item) != watched)
                continue;
            if (!isChainEnd(item)) {
                QLineEdit *next = edit(itemAt(i + 1));
                if (canTakeFocus(next, this))
                    next->setFocus(Qt::TabFocusReason); // selects its text, so typing replaces it
            }
            return true; // a '.' never enters a byte box
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFParGen::keyPressEvent(QKeyEvent *event)
{
    // Enter is OK and Escape is Cancel (with its question); the close box asks nothing.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->modifiers() || event->modifiers() == Qt::KeypadModifier) {
            // Enter on a focused button presses that button, elsewhere it is OK.
            if (auto *focused = qobject_cast<PictureButton *>(focusWidget()))
                focused->click();
            else
                Btn_OKClick();
            return;
        }
        break;
    case Qt::Key_Escape:
        Btn_CancelClick();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

void TFParGen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

bool TFParGen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

} // namespace cf::ui
