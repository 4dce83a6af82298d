#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace cf {
class AppContext;
}

namespace cf::ui {

class PictureButton;

// The About window: fixed English texts, the language file's version and the home page.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 435;
    static constexpr int kHeight = 162;

    TFAbout(AppContext &context, QWidget *parent = nullptr);

    void Label4Click();
    // For tests: what opens the home page.
    void setBrowser(std::function<void(const QString &)> open) { m_open = std::move(open); }

    QLabel *Image2;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLabel *Label7, *Label8, *Label9, *Label10, *Label12;
    PictureButton *LbButton1;

    // The logo, drawn rather than loaded.
    static QPixmap logo(int size);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();

    AppContext &m_ctx;
    std::function<void(const QString &)> m_open;
};

} // namespace cf::ui
