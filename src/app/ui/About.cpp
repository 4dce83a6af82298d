#include "app/ui/About.h"

#include "app/AppContext.h"
#include "app/ProductIdentity.h"
#include "app/ui/DialogParts.h"
#include "app/ui/MainWindow.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace cf::ui {

namespace {
// Constants of this window, equal to the product's identity.
const QString kCode = QStringLiteral("CF40210");
const QString kVersion = QStringLiteral("1.000");
const QString kManual = QStringLiteral("UM40210");
constexpr int kLeft = 143;
constexpr int kValueLeft = 255;
} // namespace

QPixmap TFAbout::logo(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 96.0, size / 96.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 78, 92));
    p.drawRoundedRect(QRectF(2, 2, 92, 92), 14, 14);
    // A tessellation of tiles, one of them picked out.
    const QColor tiles[3][3] = {
        {QColor(236, 233, 220), QColor(190, 190, 190), QColor(236, 233, 220)},
        {QColor(190, 190, 190), QColor(255, 128, 0), QColor(190, 190, 190)},
        {QColor(236, 233, 220), QColor(190, 190, 190), QColor(236, 233, 220)},
    };
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            p.setBrush(tiles[r][c]);
            p.drawRoundedRect(QRectF(14 + c * 24, 14 + r * 24, 20, 20), 3, 3);
        }
    }
    QPainterPath v;
    v.moveTo(36, 38);
    v.lineTo(48, 60);
    v.lineTo(60, 38);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
    return pixmap;
}

TFAbout::TFAbout(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
    , m_open(openInBrowser)
{
    setObjectName(QStringLiteral("TFAbout"));
    setWindowTitle(QStringLiteral("About..."));
    applyWindowLook(this);
    setFixedSize(kWidth, kHeight);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(32, 24, 96, 96);
    Image2->setScaledContents(true);
    Image2->setPixmap(logo(96));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->installEventFilter(this);

    auto label = [this](const char *name, const QString &text, QPoint at, int px = 11, bool bold = false) {
        QLabel *l = plainLabel(this, text, px, bold);
        l->setObjectName(QString::fromLatin1(name));
        l->move(at);
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Software Tessel "), {kLeft, 24}, 13, true);
    Label2 = label("Label2", QString(), {kLeft, 39});
    Label6 = label("Label6", QStringLiteral("Software Code : "), {kLeft, 62});
    Label9 = label("Label9", QString(), {kValueLeft, 62});
    Label3 = label("Label3", QStringLiteral("Version :"), {kLeft, 77});
    Label10 = label("Label10", QString(), {kValueLeft, 77});
    Label8 = label("Label8", QStringLiteral("Document Code :"), {kLeft, 92});
    Label12 = label("Label12", QString(), {kValueLeft, 92});
    Label5 = label("Label5", QStringLiteral("Language Ver :"), {kLeft, 107});
    Label7 = label("Label7", QString(), {kValueLeft, 107});

    Label4 = label("Label4", ProductIdentity::webHost(), {323, 141});
    QFont link = Label4->font();
    link.setUnderline(true);
    Label4->setFont(link);
    QPalette palette = Label4->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label4->setPalette(palette);
    Label4->adjustSize();
    // Held inside the window whatever the address's length.
    Label4->move(std::min(323, kWidth - 8 - Label4->width()), 141);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);

    LbButton1 = new PictureButton(this);
    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->setGeometry(32, 132, 96, 22);
    LbButton1->setText(QStringLiteral("OK"));
    connect(LbButton1, &QAbstractButton::clicked, this, &QDialog::accept);
}

void TFAbout::FormShow()
{
    auto set = [](QLabel *l, const QString &text) {
        l->setText(text);
        l->adjustSize();
    };
    set(Label2, ProductIdentity::description());
    set(Label9, kCode);
    set(Label10, kVersion);
    set(Label12, kManual);
    set(Label7, m_ctx.texts.fileVersion());
    setFixedSize(kWidth, kHeight);
}

void TFAbout::Label4Click()
{
    m_open(homePageUrl());
}

void TFAbout::showEvent(QShowEvent *event)
{
    FormShow();
    centreOnScreen(this);
    LbButton1->setFocus();
    QDialog::showEvent(event);
}

void TFAbout::keyPressEvent(QKeyEvent *event)
{
    if (!enterClicks(event, LbButton1))
        QDialog::keyPressEvent(event);
}

bool TFAbout::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Label4 || watched == Image2) && event->type() == QEvent::MouseButtonRelease) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace cf::ui
