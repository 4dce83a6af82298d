#pragma once

#include <QAbstractButton>
#include <QDialog>
#include <initializer_list>

class QHBoxLayout;

namespace cf {
class LanguageTexts;
}

namespace cf::ui {

class PictureButton;

// The buttons under a rule table: Delete, Insert, Copy and Paste Row on the left, OK and
// Cancel on the right, in one row.
struct RuleButtons {
    PictureButton *ok = nullptr;
    PictureButton *cancel = nullptr;
    PictureButton *deleteRow = nullptr;
    PictureButton *insertRow = nullptr;
    PictureButton *copyRow = nullptr;
    PictureButton *pasteRow = nullptr;
    QHBoxLayout *row = nullptr;
};

// The buttons, named Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow.
RuleButtons makeRuleButtonRow(QWidget *parent);

// The same, wired to the dialog's handlers of those names; Cancel rejects.
template <typename Dialog>
RuleButtons makeRuleButtons(Dialog *dialog)
{
    const RuleButtons b = makeRuleButtonRow(dialog);
    QObject::connect(b.ok, &QAbstractButton::clicked, dialog, &Dialog::Btn_OKClick);
    QObject::connect(b.cancel, &QAbstractButton::clicked, dialog, &QDialog::reject);
    QObject::connect(b.deleteRow, &QAbstractButton::clicked, dialog, &Dialog::Btn_DelRowClick);
    QObject::connect(b.insertRow, &QAbstractButton::clicked, dialog, &Dialog::Btn_InsRowClick);
    QObject::connect(b.copyRow, &QAbstractButton::clicked, dialog, &Dialog::Btn_CopyRowClick);
    QObject::connect(b.pasteRow, &QAbstractButton::clicked, dialog, &Dialog::Btn_PasteRowClick);
    return b;
}

// A button's caption and hint, as LanguageTexts indices.
struct ButtonTexts {
    PictureButton *button;
    int caption;
    int hint;
};
void setButtonTexts(std::initializer_list<ButtonTexts> buttons, const LanguageTexts &texts);

} // namespace cf::ui
