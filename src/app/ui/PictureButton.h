#pragma once

#include <QAbstractButton>
#include <QColor>

namespace cf::ui {

// Owner-drawn button: orange while pressed, a hot colour under the mouse,
// optionally a drawn glyph instead of a caption.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Glyph { None, Info, Options, Close };

    explicit PictureButton(QWidget *parent = nullptr, Glyph glyph = Glyph::None);

    void setHotColor(const QColor &color) { m_hot = color; update(); }
    QColor hotColor() const { return m_hot; }
    Glyph glyph() const { return m_glyph; }
    // The colour the face is painted with in the current state.
    QColor faceColor() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void paintGlyph(QPainter &p, const QRectF &area) const;

    Glyph m_glyph;
    QColor m_hot;
    bool m_under = false;
};

} // namespace cf::ui
