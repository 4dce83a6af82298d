#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QLabel;
class QTabWidget;

namespace cf {
class AppContext;
}

namespace cf::ui {

class ButtonPanel;
class PictureButton;
class TitlePanel;

// Software Options: language, internet and update check, table behaviour.
class TFSoftOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 509;
    static constexpr int kHeight = 373;
    static constexpr int kSlots = 6;

    TFSoftOptions(AppContext &context, QWidget *parent = nullptr);

    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(QObject *sender);
    void LangClick(int slot); // slot from 1
    void Update_CheckBox();
    void Btn_Check_UpdateClick();
    void Btn_OKClick();

    // The main window's Change_Language.
    void setChangeLanguage(std::function<void()> change) { m_changeLanguage = std::move(change); }
    // Check_Version; tests point it at a local server.
    void setVersionChecker(std::function<bool()> check) { m_checkVersion = std::move(check); }
    void setBrowser(std::function<void(const QString &)> open) { m_open = std::move(open); }

    QStringList SL_Languages;
    int Show_Page = 1;
    QString Language_In_Use;

    TitlePanel *Title;
    QTabWidget *PageControl1;
    QWidget *TS_Language;
    QWidget *TS_Connection;
    QWidget *TS_Software;
    QLabel *L_Sel_Lang;
    QLabel *I_L[kSlots];
    QLabel *L_L[kSlots];
    QLabel *L_Page_Lang;
    PictureButton *Btn_Prev;
    PictureButton *Btn_Next;
    QCheckBox *CB_En_Con;
    QCheckBox *CB_Update;
    PictureButton *Btn_Check_Update;
    QLabel *LL_Check_Update;
    QCheckBox *CB_Soft_Set_Jump_Table;
    QCheckBox *CB_DoubleClick_Auto_Size;
    ButtonPanel *Buttons;
    PictureButton *Btn_OK;
    PictureButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void createLanguagePage();
    void createConnectionPage();
    void createSoftwarePage();
    void showSelectedLanguage();
    int pageCount() const;

    AppContext &m_ctx;
    std::function<void()> m_changeLanguage;
    std::function<bool()> m_checkVersion;
    std::function<void(const QString &)> m_open;
};

} // namespace cf::ui
