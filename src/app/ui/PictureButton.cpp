#include "app/ui/PictureButton.h"

#include "app/ui/Style.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace cf::ui {

PictureButton::PictureButton(QWidget *parent, Glyph glyph)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_hot(kHotYellow)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFont(verdana(11, true));
    setAttribute(Qt::WA_Hover);
}

QSize PictureButton::sizeHint() const
{
    return m_glyph == Glyph::None ? QSize(170, 36) : QSize(50, 50);
}

QColor PictureButton::faceColor() const
{
    if (isDown())
        return kPressed;
    if (m_under && isEnabled())
        return m_hot;
    return QColor(236, 233, 220);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_under = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_under = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(150, 146, 130), 1));
    p.setBrush(faceColor());
    p.drawRoundedRect(r, 4, 4);
    if (hasFocus()) {
        p.setPen(QPen(QColor(90, 90, 90), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 3, 3);
    }
    if (m_glyph != Glyph::None) {
        paintGlyph(p, r.adjusted(9, 9, -9, -9));
        return;
    }
    p.setPen(isEnabled() ? QColor(40, 40, 40) : kGrey);
    p.setFont(font());
    p.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextWordWrap, text());
}

void PictureButton::paintGlyph(QPainter &p, const QRectF &a) const
{
    const QPointF c = a.center();
    const qreal radius = a.width() / 2;
    switch (m_glyph) {
    case Glyph::Info: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawEllipse(c, radius, radius);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(c.x(), c.y() - radius * 0.48), radius * 0.14, radius * 0.14);
        p.drawRoundedRect(QRectF(c.x() - radius * 0.12, c.y() - radius * 0.2, radius * 0.24, radius * 0.75), 2, 2);
        break;
    }
    case Glyph::Options: {
        QPainterPath gear;
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const qreal angle = i * M_PI / teeth;
            const qreal rr = (i % 2 == 0) ? radius : radius * 0.72;
            const QPointF pt(c.x() + rr * qCos(angle), c.y() + rr * qSin(angle));
            if (i == 0)
                gear.moveTo(pt);
            else
                gear.lineTo(pt);
        }
        gear.closeSubpath();
        gear.addEllipse(c, radius * 0.3, radius * 0.3);
        gear.setFillRule(Qt::OddEvenFill);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 90));
        p.drawPath(gear);
        break;
    }
    case Glyph::Close: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 40, 40));
        p.drawEllipse(c, radius, radius);
        p.setPen(QPen(Qt::white, radius * 0.22, Qt::SolidLine, Qt::RoundCap));
        const qreal d = radius * 0.42;
        p.drawLine(QPointF(c.x() - d, c.y() - d), QPointF(c.x() + d, c.y() + d));
        p.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
        break;
    }
    case Glyph::None:
        break;
    }
}

} // namespace cf::ui
