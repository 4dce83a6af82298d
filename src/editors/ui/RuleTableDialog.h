#pragma once

#include <QDialog>
#include <initializer_list>

namespace cf {
class LanguageTexts;
}

namespace cf::ui {

class PictureButton;
class TitlePanel;

// What the rule-table editors share: the title panel above their tables, Delete, Insert,
// Copy and Paste Row and OK/Cancel below them, and Enter as OK outside the tables.
class RuleTableDialog : public QDialog {
    Q_OBJECT
public:
    virtual void Btn_OKClick() = 0;
    virtual void Btn_DelRowClick() = 0;
    virtual void Btn_InsRowClick() = 0;
    virtual void Btn_CopyRowClick() = 0;
    virtual void Btn_PasteRowClick() = 0;

    TitlePanel *Title = nullptr;
    PictureButton *Btn_OK = nullptr;
    PictureButton *Btn_Cancel = nullptr;
    PictureButton *Btn_DelRow = nullptr;
    PictureButton *Btn_InsRow = nullptr;
    PictureButton *Btn_CopyRow = nullptr;
    PictureButton *Btn_PasteRow = nullptr;

protected:
    explicit RuleTableDialog(QWidget *parent);

    // Lays the window out around `tables`; the buttons are made here, after the tables,
    // so Tab reaches the tables first. `top` is the space between title and tables.
    void placeTables(QWidget *tables, int top);

    // Caption and hint of each button, as LanguageTexts indices.
    struct ButtonTexts {
        int caption;
        int hint;
    };
    void setButtonTexts(const LanguageTexts &texts, ButtonTexts ok, ButtonTexts cancel, ButtonTexts deleteRow,
                        ButtonTexts insertRow, ButtonTexts copyRow, ButtonTexts pasteRow);

    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace cf::ui
