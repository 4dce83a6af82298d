#include "app/ui/DialogParts.h"

#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

namespace cf::ui {

ButtonPanel::ButtonPanel(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
}

PictureButton *ButtonPanel::addButton(const char *objectName, int left)
{
    auto *button = new PictureButton(this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setGeometry(left, (kHeight - kButtonHeight) / 2, kButtonWidth, kButtonHeight);
    m_buttons.append(button);
    return button;
}

void ButtonPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_right)
        return;
    int left = width() - 16 - int(m_buttons.size()) * (kButtonWidth + 8) + 8;
    for (PictureButton *b : std::as_const(m_buttons)) {
        b->move(left, b->y());
        left += kButtonWidth + 8;
    }
}

void ButtonPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kCream.darker(104));
    p.setPen(QColor(200, 196, 180));
    p.drawLine(0, 0, width(), 0);
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

bool enterClicks(QKeyEvent *event, PictureButton *ok)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // Enter on a focused button presses that one, as everywhere else.
    auto *focused = qobject_cast<PictureButton *>(QApplication::focusWidget());
    PictureButton *target = focused && ok->window()->isAncestorOf(focused) ? focused : ok;
    if (target->isEnabled())
        target->click();
    return true;
}

} // namespace cf::ui
