#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;

namespace cf {
class AppContext;
}

namespace cf::ui {

class ButtonPanel;
class PictureButton;
class TitlePanel;

// "Open Configuration": lists the configurations; the caller reads Name_Conf after OK.
class TFOpenConf : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 377;
    static constexpr int kHeight = 351;

    TFOpenConf(AppContext &context, QWidget *parent = nullptr);

    void Set_Lang();
    void Load_Existing_Configuration();
    int Search_Open_Conf(const QString &snc) const;
    void ListBox1Click();

    // The chosen configuration; empty when the list is empty.
    QString Name_Conf;
    QStringList Names;

    TitlePanel *Title;
    QLabel *L_List;
    QListWidget *ListBox1;
    ButtonPanel *Buttons;
    PictureButton *Btn_OK;
    PictureButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FormShow();

    AppContext &m_ctx;
    bool m_centred = false;
};

} // namespace cf::ui
