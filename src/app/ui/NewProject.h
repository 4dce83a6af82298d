#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace cf {
class AppContext;
}

namespace cf::ui {

class ButtonPanel;
class PictureButton;
class TitlePanel;

// "Create New Configuration": creates a configuration folder and opens it.
class TFNew_Project : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 331;
    static constexpr int kHeight = 162;

    TFNew_Project(AppContext &context, QWidget *parent = nullptr);

    void Set_Lang();
    void Btn_OKClick();

    TitlePanel *Title;
    QLabel *L_Name;
    QLineEdit *E_New_Proj;
    ButtonPanel *Buttons;
    PictureButton *Btn_OK;
    PictureButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    AppContext &m_ctx;
};

} // namespace cf::ui
