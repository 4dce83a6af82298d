#pragma once

#include <QWidget>

class QKeyEvent;

namespace cf::ui {

class PictureButton;

// The 40 px panel at the bottom of a dialog that holds its OK and Cancel buttons.
class ButtonPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 40;
    static constexpr int kButtonWidth = 110;
    static constexpr int kButtonHeight = 28;

    explicit ButtonPanel(QWidget *parent);
    // A 110x28 button at the given left edge, vertically centred.
    PictureButton *addButton(const char *objectName, int left);
    // Keeps the buttons at the right edge, in the order added, when the panel resizes.
    void keepButtonsRight() { m_right = true; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QList<PictureButton *> m_buttons;
    bool m_right = false;
};

// Centres a window on the screen it will show on.
void centreOnScreen(QWidget *window);

// Enter clicks the focused button of the dialog, else ok; returns true when the key was taken. Escape is left to QDialog.
bool enterClicks(QKeyEvent *event, PictureButton *ok);

} // namespace cf::ui
