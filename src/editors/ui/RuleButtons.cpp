#include "editors/ui/RuleButtons.h"

#include "app/ui/PictureButton.h"
#include "lang/LanguageTexts.h"

#include <QBoxLayout>

namespace cf::ui {

RuleButtons makeRuleButtonRow(QWidget *parent)
{
    const auto make = [parent](const char *name) {
        auto *b = new PictureButton(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(120, 30);
        return b;
    };
    RuleButtons b;
    b.ok = make("Btn_OK");
    b.cancel = make("Btn_Cancel");
    b.deleteRow = make("Btn_DelRow");
    b.insertRow = make("Btn_InsRow");
    b.copyRow = make("Btn_CopyRow");
    b.pasteRow = make("Btn_PasteRow");
    b.row = new QHBoxLayout;
    b.row->setSpacing(8);
    b.row->setContentsMargins(5, 0, 5, 0);
    for (PictureButton *button : {b.deleteRow, b.insertRow, b.copyRow, b.pasteRow})
        b.row->addWidget(button);
    b.row->addStretch(1);
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}

void setButtonTexts(std::initializer_list<ButtonTexts> buttons, const LanguageTexts &texts)
{
    for (const ButtonTexts &b : buttons) {
        b.button->setText(texts[b.caption]);
        b.button->setToolTip(texts[b.hint]);
    }
}

} // namespace cf::ui
