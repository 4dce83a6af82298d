#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace cf::ui {

inline const QColor kCream(248, 246, 237);
inline const QColor kGrey(128, 128, 128);
inline const QColor kPressed(255, 128, 0);
inline const QColor kHotYellow(255, 255, 0);
inline const QColor kHotSkyBlue(135, 206, 235);

// Verdana at a pixel size, falling back to a sans-serif face where it is missing.
QFont verdana(int pixelSize = 11, bool bold = false);

// Cream background and the program's font.
void applyWindowLook(QWidget *window);

// A label that shows its text as plain text, never as markup.
QLabel *plainLabel(QWidget *parent, const QString &text = QString(), int pixelSize = 11,
                   bool bold = false, const QColor &color = QColor());

} // namespace cf::ui
