#include "app/ui/MainWindow.h"

#include "app/AppContext.h"
#include "app/ProductIdentity.h"
#include "app/ui/About.h"
#include "app/ui/NewProject.h"
#include "app/ui/OpenConf.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "lang/ui/SoftOptions.h"
#include "editors/ui/CanopenDialog.h"
#include "editors/ui/ParGenDialog.h"
#include "editors/ui/SNMPManagerAccess.h"
#include "devfiles/Eds.h"
#include "devfiles/Gsd.h"
#include "image/USaveBincc.h"
#include "platform/Prompt.h"
#include "platform/ui/UiWait.h"
#include "update/ui/Boot.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>

namespace cf::ui {

namespace {
constexpr int kRowNew = 112;
constexpr int kRowPrmGen = 156;
constexpr int kRowSnmp = 200;
constexpr int kRowCreateBin = 244;
constexpr int kStepOffset = 16;
} // namespace

QString homePageUrl()
{
    return QStringLiteral("http://%1/HOME/default.asp?frompg=%2")
        .arg(ProductIdentity::webHost(), ProductIdentity::productCode());
}

QString downloadPageUrl()
{
    return QStringLiteral("http://%1/Home/download/download.asp#GW40210").arg(ProductIdentity::webHost());
}

QString makerAddressText()
{
    QString host = ProductIdentity::webHost();
    if (host.startsWith(QStringLiteral("www.")))
        host.remove(0, 4);
    return host;
}

void openInBrowser(const QString &url)
{
    QDesktopServices::openUrl(QUrl(url));
}

TFTesseleFirmWare::TFTesseleFirmWare(AppContext &context, ProgramLauncher &launcher, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
    , m_launcher(launcher)
    , m_compiler(std::make_unique<USaveBincc>())
    , m_checkVersion([] { return false; })
{
    setObjectName(QStringLiteral("TFTesseleFirmWare"));
    m_windows.main = this;
    FormCreate();
}

TFTesseleFirmWare::~TFTesseleFirmWare() = default;

PictureButton *TFTesseleFirmWare::makeButton(const char *name, QPoint at, bool wide)
{
    auto *b = new PictureButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(at.x(), at.y(), wide ? 170 : 50, wide ? 36 : 50);
    connect(b, &QAbstractButton::clicked, this, [this, b] { Btn_Click(b); });
    return b;
}

void TFTesseleFirmWare::createControls()
{
    applyWindowLook(this);
    L_SW_Code = plainLabel(this, QString(), 32, false, kGrey);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Code->move(16, 8);
    L_SW_Desc = plainLabel(this, QString(), 11, true, kGrey);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    L_SW_Desc->move(16, 42);

    LL_Update = new QLabel(this);
    LL_Update->setObjectName(QStringLiteral("LL_Update"));
    LL_Update->setTextFormat(Qt::RichText);
    LL_Update->setFont(verdana(11, true));
    LL_Update->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LL_Update->setGeometry(170, 16, 340, 20);
    LL_Update->hide();
    connect(LL_Update, &QLabel::linkActivated, this, [](const QString &link) { openInBrowser(link); });

    Btn_Info = new PictureButton(this, PictureButton::Glyph::Info);
    Btn_Opz = new PictureButton(this, PictureButton::Glyph::Options);
    Btn_Close = new PictureButton(this, PictureButton::Glyph::Close);
    const struct { PictureButton *b; const char *name; int left; } glyphs[] = {
        {Btn_Info, "Btn_Info", 516}, {Btn_Opz, "Btn_Opz", 574}, {Btn_Close, "Btn_Close", 632}};
    for (const auto &g : glyphs) {
        g.b->setObjectName(QString::fromLatin1(g.name));
        g.b->setGeometry(g.left, 8, 50, 50);
        PictureButton *b = g.b;
        connect(b, &QAbstractButton::clicked, this, [this, b] { Btn_Click(b); });
    }

    L_Begin = plainLabel(this, QString(), 11, true, kGrey);
    L_Begin->setObjectName(QStringLiteral("L_Begin"));
    L_Begin->move(16, 84);

    Shape2 = new QFrame(this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setFrameShape(QFrame::Box);
    Shape2->setGeometry(80, 70, 348, 36);
    L_Name_Conf = plainLabel(this);
    L_Name_Conf->setObjectName(QStringLiteral("L_Name_Conf"));
    L_Name_Conf->move(87, 75);
    L_Name_Conf_L2 = plainLabel(this);
    L_Name_Conf_L2->setObjectName(QStringLiteral("L_Name_Conf_L2"));
    L_Name_Conf_L2->move(87, 88);

    // Rows of steps 1 to 4; the hidden steps of sister variants follow below.
    const int rows[8] = {kRowNew, kRowPrmGen, kRowSnmp, kRowCreateBin, 288, 332, 376, 420};
    for (int i = 0; i < 8; ++i) {
        L_Step[i] = plainLabel(this, QString(), 11, true, kGrey);
        L_Step[i]->setObjectName(QStringLiteral("L_Step_%1").arg(i + 1));
        L_Step[i]->move(16, rows[i] + kStepOffset);
        L_Step[i]->setVisible(i < 4);
    }

    Btn_New = makeButton("Btn_New", {80, kRowNew}, true);
    Btn_Open = makeButton("Btn_Open", {258, kRowNew}, true);
    Btn_Prm_Gen = makeButton("Btn_Prm_Gen", {80, kRowPrmGen}, true);
    Btn_SNMP_Manager_Access = makeButton("Btn_SNMP_Manager_Access", {80, kRowSnmp}, true);
    Btn_CreateBin = makeButton("Btn_CreateBin", {80, kRowCreateBin}, true);
    Btn_PROFIBUS_GSD = makeButton("Btn_PROFIBUS_GSD", {258, kRowPrmGen}, true);
    Btn_SDO_Server_CANopen = makeButton("Btn_SDO_Server_CANopen", {258, kRowSnmp}, true);
    Btn_SDO_Client_CANopen = makeButton("Btn_SDO_Client_CANopen", {436, kRowSnmp}, true);
    Btn_PDO_CANopen = makeButton("Btn_PDO_CANopen", {258, kRowCreateBin}, true);
    Btn_CANopen_EDS = makeButton("Btn_CANopen_EDS", {436, kRowCreateBin}, true);
    for (PictureButton *b : {Btn_New, Btn_Open, Btn_CreateBin})
        b->setHotColor(kHotSkyBlue);
    for (PictureButton *b : {Btn_PROFIBUS_GSD, Btn_SDO_Server_CANopen, Btn_SDO_Client_CANopen,
                             Btn_PDO_CANopen, Btn_CANopen_EDS})
        b->hide();

    L_Velmora = plainLabel(this, makerAddressText(), 11, true, kGrey);
    L_Velmora->setObjectName(QStringLiteral("L_Velmora"));
    L_Velmora->setCursor(Qt::PointingHandCursor);
    L_Velmora->installEventFilter(this);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::HLine);
    Shape1->setFrameShadow(QFrame::Plain);

    // The maker's address at the height of step 4, the separator and the
    // client size follow from the top of "Update Device".
    const int top = Btn_CreateBin->y();
    L_Velmora->move(565, top + kStepOffset);
    // The address must end inside the window whatever host the build names.
    const int room = 694 - 565 - 8;
    L_Velmora->setText(L_Velmora->fontMetrics().elidedText(makerAddressText(), Qt::ElideRight, room));
    L_Velmora->adjustSize();
    Shape1->setGeometry(10, top + 51, 674, 1);
    setFixedSize(694, top + 152);
}

void TFTesseleFirmWare::FormCreate()
{
    createControls();
    m_ctx.createFolders();
    m_ctx.project = ActiveProject();
    m_ctx.settings = AppSettings::readFile(m_ctx.settingsPath());

    Timer_Update.setInterval(kInitialTimerMs);
    connect(&Timer_Update, &QTimer::timeout, this, &TFTesseleFirmWare::Timer_UpdateTimer);
    Update_Timer_State();

    setWindowTitle(ProductIdentity::windowTitle());
    L_SW_Code->setText(ProductIdentity::productCode());
    L_SW_Code->adjustSize();
    L_SW_Desc->setText(ProductIdentity::description());
    L_SW_Desc->adjustSize();

    m_ctx.texts.Load_Language(m_ctx.exeDir(), m_ctx.settings);
    m_ctx.openProject(m_ctx.settings.projectname);
    Show_Project_Labels();
    Set_Lang();
    Set_Files();
    m_ctx.copyBuffer.clear();
}

void TFTesseleFirmWare::Show_Project_Labels()
{
    const LanguageTexts &t = m_ctx.texts;
    if (m_ctx.project.isOpen()) {
        L_Name_Conf->setText(t[11]);
        L_Name_Conf_L2->setText(m_ctx.project.name);
    } else {
        L_Name_Conf->setText(t[9]);
        L_Name_Conf_L2->setText(t[10]);
    }
    L_Name_Conf->adjustSize();
    L_Name_Conf_L2->adjustSize();
}

void TFTesseleFirmWare::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    auto caption = [](QLabel *l, const QString &text) {
        l->setText(text);
        l->adjustSize();
    };
    caption(L_Begin, t[0]);
    for (int i = 0; i < 8; ++i)
        caption(L_Step[i], t[i + 1]);
    const struct { PictureButton *b; int caption; int hint; } buttons[] = {
        {Btn_Info, -1, 12}, {Btn_Opz, -1, 13}, {Btn_Close, -1, 14},
        {Btn_New, 15, 27}, {Btn_Open, 16, 28}, {Btn_CreateBin, 17, 31},
        {Btn_Prm_Gen, 20, 29}, {Btn_SNMP_Manager_Access, 21, 30},
        {Btn_PROFIBUS_GSD, 22, 32}, {Btn_SDO_Server_CANopen, 23, 33},
        {Btn_SDO_Client_CANopen, 24, 34}, {Btn_PDO_CANopen, 25, 35},
        {Btn_CANopen_EDS, 26, 36},
    };
    for (const auto &b : buttons) {
        if (b.caption >= 0)
            b.b->setText(t[b.caption]);
        b.b->setToolTip(t[b.hint]);
        b.b->setAccessibleName(b.caption >= 0 ? t[b.caption] : t[b.hint]);
    }
}

void TFTesseleFirmWare::Change_Language()
{
    Set_Lang();
    // The dialogs that follow a language change at once join here as they are built:
    // New, Open, Software Options, Set Communication, SNMP Manager.
    if (m_windows.newProject)
        m_windows.newProject->Set_Lang();
    if (m_windows.openConf)
        m_windows.openConf->Set_Lang();
    if (m_windows.softOptions)
        m_windows.softOptions->Set_Lang();
    if (m_windows.parGen)
        m_windows.parGen->Set_Lang();
    if (m_windows.snmpManager)
        m_windows.snmpManager->Set_Lang();
}

bool TFTesseleFirmWare::Save_Setting()
{
    m_ctx.settings.projectname = m_ctx.project.name;
    QString error;
    if (m_ctx.settings.writeFile(m_ctx.settingsPath(), &error))
        return true;
    m_ctx.prompt().error(error);
    return false;
}

void TFTesseleFirmWare::Set_Files()
{
    m_ctx.Set_Files();
}

void TFTesseleFirmWare::Btn_Click(QObject *sender)
{
    if (sender == Btn_New) {
        Create_New_Project();
    } else if (sender == Btn_Open) {
        Open_Project();
    } else if (sender == Btn_Close) {
        close();
    } else if (sender == Btn_Info) {
        if (m_windows.about)
            m_windows.about->exec();
    } else if (sender == Btn_Opz) {
        if (m_windows.softOptions && m_windows.softOptions->exec() == QDialog::Accepted) {
            Save_Setting();
            Update_Timer_State();
        }
    } else if (!m_ctx.project.isOpen()) {
        m_ctx.prompt().error(m_ctx.texts[18]);
    } else if (sender == Btn_Prm_Gen) {
        if (m_windows.parGen)
            m_windows.parGen->exec();
    } else if (sender == Btn_SNMP_Manager_Access) {
        if (m_windows.snmpManager)
            m_windows.snmpManager->exec();
    } else if (sender == Btn_PROFIBUS_GSD) {
        Build_GSD_File();
    } else if (sender == Btn_SDO_Server_CANopen) {
        if (m_windows.sdoServer)
            m_windows.sdoServer->exec();
    } else if (sender == Btn_SDO_Client_CANopen) {
        if (m_windows.sdoClient)
            m_windows.sdoClient->exec();
    } else if (sender == Btn_PDO_CANopen) {
        if (m_windows.pdo)
            m_windows.pdo->exec();
    } else if (sender == Btn_CANopen_EDS) {
        Build_EDS_File();
    } else if (sender == Btn_CreateBin) {
        Update_Device();
    }
}

void TFTesseleFirmWare::Create_New_Project()
{
    // The dialog opens the new configuration itself.
    if (m_windows.newProject && m_windows.newProject->exec() == QDialog::Accepted)
        Show_Project_Labels();
}

void TFTesseleFirmWare::Open_Project()
{
    if (!m_windows.openConf || m_windows.openConf->exec() != QDialog::Accepted)
        return;
    // An empty name leaves no configuration open.
    m_ctx.openProject(m_windows.openConf->Name_Conf);
    Show_Project_Labels();
}

void TFTesseleFirmWare::Update_Device()
{
    // A malformed file or a value the image cannot carry stops here; bank.bin stays as it was.
    if (const auto error = m_compiler->Compile_Bank(m_ctx.files.parGen, m_ctx.files.snmpManager)) {
        m_ctx.prompt().generalError(*error);
        return;
    }
    // A bank.bin that cannot be written is reported; a firmware-only update can still go on.
    QString writeError;
    if (!m_compiler->Save_Bank(USaveBincc::bankPath(m_ctx.project.directory), &writeError))
        m_ctx.prompt().generalError(writeError);
    if (m_windows.boot) {
        m_windows.boot->Form_Type = 1;
        m_windows.boot->exec();
    }
}

void TFTesseleFirmWare::Build_EDS_File()
{
    // SaveEDS
    const QString path = m_ctx.prompt().saveFileName(
        {m_ctx.texts[26], m_ctx.project.directory, QString(), QStringLiteral("Electronic Data Sheet (*.eds)"),
         QStringLiteral("eds")});
    if (path.isEmpty())
        return;
    if (auto error = Write_EDS_File(m_ctx.project.directory, path, QDateTime::currentDateTime()))
        m_ctx.prompt().generalError(*error);
}

void TFTesseleFirmWare::Build_GSD_File()
{
    Prompt &prompt = m_ctx.prompt();
    const GsdInput input = readGsdSizes(m_ctx.files.parGen, m_ctx.texts);
    if (input.status == GsdInput::Status::Malformed) {
        prompt.generalError(input.message);
        return;
    }
    // Refused before the save dialog, so the user is not asked for a name in vain.
    if (input.status != GsdInput::Status::Ok) {
        prompt.error(input.message);
        return;
    }
    const QString chosen = prompt.saveFileName({m_ctx.texts[22], m_ctx.project.directory, QString(),
                                                QStringLiteral("Generic Station Description (*.gsd)"), QString()});
    if (chosen.isEmpty())
        return;
    const QString path = gsdFileName(chosen);
    if (QFileInfo::exists(path) && !prompt.confirm(m_ctx.texts[1103]))
        return;
    if (auto error = Write_GSD_File(path, input.sizes, m_ctx.texts))
        prompt.generalError(*error);
}

void TFTesseleFirmWare::Start_Program(const QString &NomeSW, const QString &Parameter, bool tipo)
{
    m_waiting = true;
    startProgramKeepingPainted(m_launcher, NomeSW, Parameter, tipo, m_startTimeoutMs);
    m_waiting = false;
}

void TFTesseleFirmWare::Update_Timer_State()
{
    if (m_ctx.settings.updateTimerWanted())
        Timer_Update.start();
    else
        Timer_Update.stop();
}

void TFTesseleFirmWare::Timer_UpdateTimer()
{
    Timer_Update.stop();
    if (m_checkVersion()) {
        LL_Update->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                               .arg(downloadPageUrl(), m_ctx.texts[19].toHtmlEscaped()));
        LL_Update->show();
    } else {
        LL_Update->hide();
    }
    Timer_Update.setInterval(kRepeatTimerMs);
    Timer_Update.start();
}

void TFTesseleFirmWare::closeEvent(QCloseEvent *event)
{
    // The wait for an external program is modal: the window stays.
    if (m_waiting) {
        event->ignore();
        return;
    }
    Save_Setting();
    event->accept();
}

void TFTesseleFirmWare::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        if (QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    if (Btn_Prm_Gen->isVisible() && Btn_Prm_Gen->isEnabled())
        Btn_Prm_Gen->setFocus();
    QWidget::showEvent(event);
}

bool TFTesseleFirmWare::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == L_Velmora && event->type() == QEvent::MouseButtonRelease) {
        openInBrowser(homePageUrl());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace cf::ui
