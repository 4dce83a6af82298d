#include "update/ui/Boot.h"

#include "app/AppContext.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "platform/Prompt.h"
#include "platform/ui/UiWait.h"
#include "update/UpdateJob.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <iterator>

namespace cf::ui {

namespace {
constexpr int kIpTop = TitlePanel::kHeight;
constexpr int kOptionsTop = kIpTop + TFBoot::kIpAreaHeight;
constexpr int kButtonsTop = kOptionsTop + TFBoot::kOptionsAreaHeight;
constexpr int kClientHeight = kButtonsTop + TFBoot::kButtonRowHeight;
static_assert(kClientHeight == 230);
} // namespace

TFBoot::TFBoot(AppContext &context, ProgramLauncher &launcher, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_ctx(context)
    , m_launcher(launcher)
    // The reachability test and the wait for the updater keep the windows painting;
    // user input is held back meanwhile so nothing can start a second update.
    , m_test(m_icmp, waitKeepingPainted)
    , m_startTimeoutMs(kStartProgramTimeoutMs)
{
    setObjectName(QStringLiteral("TFBoot"));
    setModal(true);
    createControls();
    Set_Lang();
}

void TFBoot::createControls()
{
    applyWindowLook(this);
    setFixedSize(kClientWidth, kClientHeight);

    Title = new TitlePanel(this);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setGeometry(0, 0, kClientWidth, TitlePanel::kHeight);

    L_IP = plainLabel(this, QString(), 11, true);
    L_IP->setObjectName(QStringLiteral("L_IP"));
    L_IP->move(16, kIpTop + 6);
    const char *names[4] = {"E_IP1", "E_IP2", "E_IP3", "E_IP4"};
    for (int i = 0; i < 4; ++i) {
        auto *edit = new QLineEdit(QStringLiteral("0"), this);
        edit->setObjectName(QString::fromLatin1(names[i]));
        edit->setFont(verdana(11));
        edit->setGeometry(16 + i * 56, kIpTop + 22, 44, 21);
        edit->installEventFilter(this);
        m_edits[i] = edit;
        if (i < 3) {
            QLabel *dot = plainLabel(this, QStringLiteral("."), 13, true);
            dot->setObjectName(QStringLiteral("L_Dot%1").arg(i + 1));
            dot->setGeometry(16 + i * 56 + 44, kIpTop + 22, 12, 21);
            dot->setAlignment(Qt::AlignCenter);
        }
    }
    E_IP1 = m_edits[0];
    E_IP2 = m_edits[1];
    E_IP3 = m_edits[2];
    E_IP4 = m_edits[3];

    L_Options = plainLabel(this, QString(), 11, true);
    L_Options->setObjectName(QStringLiteral("L_Options"));
    L_Options->move(16, kOptionsTop + 6);
    CB_Update_Options = new QComboBox(this);
    CB_Update_Options->setObjectName(QStringLiteral("CB_Update_Options"));
    CB_Update_Options->setEditable(false);
    CB_Update_Options->setFont(verdana(11));
    CB_Update_Options->setGeometry(16, kOptionsTop + 24, 224, 22);
    CB_Update_Option_Read_Back = new QCheckBox(this);
    CB_Update_Option_Read_Back->setObjectName(QStringLiteral("CB_Update_Option_Read_Back"));
    CB_Update_Option_Read_Back->setFont(verdana(11));
    CB_Update_Option_Read_Back->setGeometry(16, kOptionsTop + 50, 300, 18);

    Btn_Cancel = new PictureButton(this);
    Btn_Cancel->setObjectName(QStringLiteral("Btn_Cancel"));
    Btn_Update = new PictureButton(this);
    Btn_Update->setObjectName(QStringLiteral("Btn_Update"));
    Btn_Update->setHotColor(kHotSkyBlue);
    const int buttonTop = kButtonsTop + (kButtonRowHeight - 30) / 2;
    Btn_Update->setGeometry(kClientWidth - 16 - 190, buttonTop, 190, 30);
    Btn_Cancel->setGeometry(Btn_Update->x() - 10 - 120, buttonTop, 120, 30);
    for (PictureButton *b : {Btn_Cancel, Btn_Update})
        b->setFocusPolicy(Qt::StrongFocus);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &TFBoot::reject);
    connect(Btn_Update, &QAbstractButton::clicked, this, &TFBoot::Btn_UpdateClick);

    // Top to bottom, as laid out.
    QWidget *order[] = {E_IP1, E_IP2, E_IP3, E_IP4, CB_Update_Options,
                        CB_Update_Option_Read_Back, Btn_Cancel, Btn_Update};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void TFBoot::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[1002]);
    Title->setSubtitle(t[1003]);
    L_IP->setText(t[1006]);
    L_IP->adjustSize();
    for (int i = 0; i < 4; ++i)
        m_edits[i]->setToolTip(t[1021 + i]);
    L_Options->setText(t[1014]);
    L_Options->adjustSize();
    CB_Update_Options->clear();
    CB_Update_Options->addItems({t[1015], t[1016], t[1017]});
    CB_Update_Options->setCurrentIndex(0);
    CB_Update_Options->setToolTip(t[1032]);
    CB_Update_Option_Read_Back->setText(t[1018]);
    CB_Update_Option_Read_Back->setToolTip(t[1033]);
    Btn_Cancel->setText(t[1019]);
    Btn_Cancel->setToolTip(t[1034]);
    Btn_Cancel->setAccessibleName(t[1019]);
    Btn_Update->setText(t[1020]);
    Btn_Update->setToolTip(t[1035]);
    Btn_Update->setAccessibleName(t[1020]);
}

void TFBoot::FormShow()
{
    Set_Lang();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    const QString stored = m_ctx.settings.ipaddress;
    if (!stored.isEmpty()) {
        if (const auto parts = Split_IP_Text(stored)) {
            for (int i = 0; i < 4; ++i)
                m_edits[i]->setText((*parts)[size_t(i)]);
        }
    }
    const int option = m_ctx.lastUpdateOption;
    CB_Update_Options->setCurrentIndex(option >= 0 && option < CB_Update_Options->count() ? option : 0);
    CB_Update_Option_Read_Back->setChecked(m_ctx.lastReadBack);
    if (E_IP1->isEnabled())
        E_IP1->setFocus();
}

void TFBoot::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

QString TFBoot::typedAddress() const
{
    return E_IP1->text() + u'.' + E_IP2->text() + u'.' + E_IP3->text() + u'.' + E_IP4->text();
}

bool TFBoot::Send_Ping()
{
    return m_test.Send_Ping(typedAddress());
}

void TFBoot::Btn_UpdateClick()
{
    if (m_busy)
        return;
    m_busy = true;
    const QString address = typedAddress();
    if (m_test.Send_Ping(address)) {
        m_ctx.settings.ipaddress = address;
        m_ctx.lastUpdateOption = CB_Update_Options->currentIndex();
        m_ctx.lastReadBack = CB_Update_Option_Read_Back->isChecked();
        const UpdateJob job = makeUpdateJob(m_ctx.exeDir(), m_ctx.project.directory, address,
                                            m_ctx.lastUpdateOption, m_ctx.lastReadBack);
        QString error;
        if (Compile_XML_Parameter(m_ctx.exeDir(), job, &error))
            startUpdater(m_launcher, m_ctx.exeDir(), waitKeepingPainted, m_startTimeoutMs);
        else
            m_ctx.prompt().generalError(error);
    } else if (m_test.ping_res() == 2) {
        m_ctx.prompt().warning(m_ctx.texts[1036]);
    } else {
        m_ctx.prompt().error(m_ctx.texts[1037]);
    }
    m_busy = false;
}

void TFBoot::reject()
{
    // Closing while a test or the updater runs would leave the job half done.
    if (m_busy)
        return;
    QDialog::reject();
}

void TFBoot::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Btn_UpdateClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TFBoot::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        for (int i = 0; i < 4; ++i) {
            if (watched != m_edits[i] || key->text() != QStringLiteral("."))
                continue;
            // A dot is never typed: it moves on to the next byte, except from the last.
            if (i < 3) {
                QLineEdit *next = m_edits[i + 1];
                if (next->isEnabled() && next->isVisible() && next->focusPolicy() & Qt::TabFocus)
                    next->setFocus(Qt::TabFocusReason);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace cf::ui
