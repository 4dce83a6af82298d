#include "lang/ui/SoftOptions.h"

#include "app/AppContext.h"
#include "app/ui/DialogParts.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "lang/LanguagePages.h"
#include "lang/VersionCheck.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QTabWidget>

namespace cf::ui {

namespace {

constexpr int kPictureLeft[TFSoftOptions::kSlots] = {24, 26, 24, 254, 254, 254};
constexpr int kPictureTop[TFSoftOptions::kSlots] = {40, 94, 148, 40, 94, 148};
constexpr int kFlagSize = 48;
constexpr int kNameWidth = 160;
constexpr int kPageWidth = 493;
constexpr int kNavTop = 200;

// Language texts are shown as they are: an "&" is no shortcut marker.
QString literal(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace

TFSoftOptions::TFSoftOptions(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
    , m_changeLanguage([this] { Set_Lang(); })
    , m_checkVersion([] { return Check_Version(); })
    , m_open(openInBrowser)
{
    setObjectName(QStringLiteral("TFSoftOptions"));
    applyWindowLook(this);
    setFixedSize(kWidth, kHeight);

    Title = new TitlePanel(this);
    Title->setGeometry(0, 0, kWidth, TitlePanel::kHeight);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(6, TitlePanel::kHeight + 6, kWidth - 12,
                              kHeight - TitlePanel::kHeight - ButtonPanel::kHeight - 12);
    createLanguagePage();
    createConnectionPage();
    createSoftwarePage();

    Buttons = new ButtonPanel(this);
    Buttons->setGeometry(0, kHeight - ButtonPanel::kHeight, kWidth, ButtonPanel::kHeight);
    Btn_OK = Buttons->addButton("Btn_OK", 16);
    Btn_Cancel = Buttons->addButton("Btn_Cancel", 134);
    connect(Btn_OK, &QAbstractButton::clicked, this, &TFSoftOptions::Btn_OKClick);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);

    Set_Lang();
}

void TFSoftOptions::createLanguagePage()
{
    TS_Language = new QWidget;
    TS_Language->setObjectName(QStringLiteral("TS_Language"));
    PageControl1->addTab(TS_Language, QString());

    L_Sel_Lang = plainLabel(TS_Language, QString(), 11, true);
    L_Sel_Lang->setObjectName(QStringLiteral("L_Sel_Lang"));
    L_Sel_Lang->move(24, 12);
    for (int i = 0; i < kSlots; ++i) {
        I_L[i] = new QLabel(TS_Language);
        I_L[i]->setObjectName(QStringLiteral("I_L%1").arg(i + 1));
        I_L[i]->setGeometry(kPictureLeft[i], kPictureTop[i], kFlagSize, kFlagSize);
        I_L[i]->setScaledContents(true);
        L_L[i] = plainLabel(TS_Language);
        L_L[i]->setObjectName(QStringLiteral("L_L%1").arg(i + 1));
        L_L[i]->setGeometry(kPictureLeft[i] + kFlagSize + 8, kPictureTop[i] + 16, kNameWidth, 16);
        for (QLabel *l : {I_L[i], L_L[i]}) {
            l->setCursor(Qt::PointingHandCursor);
            l->installEventFilter(this);
        }
    }
    Btn_Prev = new PictureButton(TS_Language);
    Btn_Prev->setObjectName(QStringLiteral("Btn_Prev"));
    Btn_Prev->setGeometry(24, kNavTop, 110, 24);
    Btn_Next = new PictureButton(TS_Language);
    Btn_Next->setObjectName(QStringLiteral("Btn_Next"));
    Btn_Next->setGeometry(kPageWidth - 24 - 110, kNavTop, 110, 24);
    for (PictureButton *b : {Btn_Prev, Btn_Next})
        connect(b, &QAbstractButton::clicked, this, [this, b] { Btn_NextClick(b); });
    L_Page_Lang = plainLabel(TS_Language);
    L_Page_Lang->setObjectName(QStringLiteral("L_Page_Lang"));
    L_Page_Lang->setAlignment(Qt::AlignCenter);
    L_Page_Lang->setGeometry(140, kNavTop + 4, kPageWidth - 280, 16);
}

void TFSoftOptions::createConnectionPage()
{
    TS_Connection = new QWidget;
    TS_Connection->setObjectName(QStringLiteral("TS_Connection"));
    PageControl1->addTab(TS_Connection, QString());

    CB_En_Con = new QCheckBox(TS_Connection);
    CB_En_Con->setObjectName(QStringLiteral("CB_En_Con"));
    CB_En_Con->setGeometry(24, 20, 440, 20);
    CB_Update = new QCheckBox(TS_Connection);
    CB_Update->setObjectName(QStringLiteral("CB_Update"));
    CB_Update->setGeometry(48, 48, 416, 20);
    Btn_Check_Update = new PictureButton(TS_Connection);
    Btn_Check_Update->setObjectName(QStringLiteral("Btn_Check_Update"));
    Btn_Check_Update->setGeometry(24, 90, 220, 28);
    connect(Btn_Check_Update, &QAbstractButton::clicked, this, &TFSoftOptions::Btn_Check_UpdateClick);
    LL_Check_Update = new QLabel(TS_Connection);
    LL_Check_Update->setObjectName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->setFont(verdana(11, true));
    LL_Check_Update->setGeometry(24, 130, 440, 20);
    LL_Check_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(LL_Check_Update, &QLabel::linkActivated, this, [this](const QString &link) { m_open(link); });
    LL_Check_Update->hide();
}

void TFSoftOptions::createSoftwarePage()
{
    TS_Software = new QWidget;
    TS_Software->setObjectName(QStringLiteral("TS_Software"));
    PageControl1->addTab(TS_Software, QString());

    CB_Soft_Set_Jump_Table = new QCheckBox(TS_Software);
    CB_Soft_Set_Jump_Table->setObjectName(QStringLiteral("CB_Soft_Set_Jump_Table"));
    CB_Soft_Set_Jump_Table->setGeometry(24, 20, 460, 20);
    CB_DoubleClick_Auto_Size = new QCheckBox(TS_Software);
    CB_DoubleClick_Auto_Size->setObjectName(QStringLiteral("CB_DoubleClick_Auto_Size"));
    CB_DoubleClick_Auto_Size->setGeometry(24, 48, 460, 20);

    for (QCheckBox *cb : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        connect(cb, &QCheckBox::toggled, this, &TFSoftOptions::Update_CheckBox);
}

void TFSoftOptions::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[300]);
    Title->setSubtitle(t[301]);
    PageControl1->setTabText(0, literal(t[302]));
    PageControl1->setTabText(1, literal(t[303]));
    PageControl1->setTabText(2, literal(t[319]));
    Btn_Prev->setText(t[307]);
    Btn_Next->setText(t[308]);
    CB_En_Con->setText(literal(t[309]));
    CB_Update->setText(literal(t[310]));
    Btn_Check_Update->setText(t[311]);
    Btn_OK->setText(t[312]);
    Btn_Cancel->setText(t[313]);
    CB_Soft_Set_Jump_Table->setText(literal(t[320]));
    CB_DoubleClick_Auto_Size->setText(literal(t[321]));
    showSelectedLanguage();
    L_Page_Lang->setText(t[305] + QString::number(Show_Page) + t[306] + QString::number(pageCount()));
}

int TFSoftOptions::pageCount() const
{
    return LanguagePage::of(int(SL_Languages.size()), Show_Page).pages;
}

void TFSoftOptions::showSelectedLanguage()
{
    L_Sel_Lang->setText(m_ctx.texts[304] + Language_In_Use);
    L_Sel_Lang->adjustSize();
}

void TFSoftOptions::Create_Lang_List()
{
    SL_Languages = cf::Create_Lang_List(m_ctx.languageDir());
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const LanguageTexts &t = m_ctx.texts;
    const LanguagePage page = LanguagePage::of(int(SL_Languages.size()), Num_Page);
    showSelectedLanguage();
    L_Page_Lang->setText(t[305] + QString::number(Num_Page) + t[306] + QString::number(page.pages));
    Btn_Prev->setVisible(page.previous);
    Btn_Next->setVisible(page.next);
    for (int j = 0; j < kSlots; ++j) {
        if (j >= page.shown) {
            I_L[j]->hide();
            L_L[j]->hide();
            continue;
        }
        const QString name = languageName(SL_Languages[page.first + j]);
        L_L[j]->setText(name);
        L_L[j]->show();
        const QString flag = flagPicturePath(m_ctx.languageDir(), name);
        const QPixmap picture = flag.isEmpty() ? QPixmap() : QPixmap(flag);
        I_L[j]->setPixmap(picture);
        I_L[j]->setVisible(!picture.isNull());
    }
}

void TFSoftOptions::Btn_NextClick(QObject *sender)
{
    if (sender == Btn_Next && pageCount() >= Show_Page + 1)
        ++Show_Page;
    else if (sender == Btn_Prev && Show_Page > 1)
        --Show_Page;
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int slot)
{
    const int k = kSlots * (Show_Page - 1) + (slot - 1);
    if (slot < 1 || slot > kSlots || k < 0 || k >= SL_Languages.size())
        return;
    const LanguageTexts &t = m_ctx.texts;
    const QString chosen = languageName(SL_Languages[k]);
    if (!m_ctx.prompt().confirm(t[316] + Language_In_Use + t[317] + chosen + t[318]))
        return;
    Language_In_Use = chosen;
    // The texts follow at once; the setting only with OK.
    const QString kept = m_ctx.settings.language;
    m_ctx.settings.language = chosen;
    m_ctx.texts.Load_Language(m_ctx.exeDir(), m_ctx.settings);
    m_ctx.settings.language = kept;
    m_changeLanguage();
    showSelectedLanguage();
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->setEnabled(CB_En_Con->isChecked());
    Btn_Check_Update->setEnabled(CB_Update->isEnabled() && CB_Update->isChecked());
}

void TFSoftOptions::Btn_Check_UpdateClick()
{
    const LanguageTexts &t = m_ctx.texts;
    setCursor(Qt::WaitCursor);
    const bool newer = m_checkVersion();
    unsetCursor();
    if (newer) {
        LL_Check_Update->setTextFormat(Qt::RichText);
        LL_Check_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                     .arg(downloadPageUrl().toHtmlEscaped(), t[314].toHtmlEscaped()));
    } else {
        LL_Check_Update->setTextFormat(Qt::PlainText);
        LL_Check_Update->setText(t[315]);
    }
    LL_Check_Update->show();
}

void TFSoftOptions::Btn_OKClick()
{
    AppSettings &s = m_ctx.settings;
    s.language = Language_In_Use;
    s.enable_internet = CB_En_Con->isChecked();
    // Kept even while disabled, so it comes back with the internet connection.
    s.enable_update = CB_Update->isChecked();
    s.enable_jump_field_tables = CB_Soft_Set_Jump_Table->isChecked();
    s.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->isChecked();
    // The main window saves the settings and re-arms its timer.
    accept();
}

void TFSoftOptions::FormShow()
{
    const AppSettings &s = m_ctx.settings;
    Language_In_Use = s.language;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->hide();
    PageControl1->setCurrentWidget(TS_Language);
    CB_En_Con->setChecked(s.enable_internet);
    CB_Update->setChecked(s.enable_update);
    CB_Soft_Set_Jump_Table->setChecked(s.enable_jump_field_tables);
    CB_DoubleClick_Auto_Size->setChecked(s.Double_Click_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::showEvent(QShowEvent *event)
{
    FormShow();
    centreOnScreen(this);
    QDialog::showEvent(event);
}

void TFSoftOptions::keyPressEvent(QKeyEvent *event)
{
    if (!enterClicks(event, Btn_OK))
        QDialog::keyPressEvent(event);
}

bool TFSoftOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < kSlots; ++i) {
            if (watched == I_L[i] || watched == L_L[i]) {
                LangClick(i + 1);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace cf::ui
