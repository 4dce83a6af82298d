#include "app/ui/Style.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace cf::ui {

QFont verdana(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Verdana"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void applyWindowLook(QWidget *window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, kCream);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setFont(verdana());
}

QLabel *plainLabel(QWidget *parent, const QString &text, int pixelSize, bool bold, const QColor &color)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(verdana(pixelSize, bold));
    if (color.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
    }
    label->setText(text);
    label->adjustSize();
    return label;
}

} // namespace cf::ui
