#include "editors/ui/RuleTableDialog.h"

#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "lang/LanguageTexts.h"

#include <QBoxLayout>
#include <QKeyEvent>

namespace cf::ui {

RuleTableDialog::RuleTableDialog(QWidget *parent)
    : QDialog(parent)
{
    applyWindowLook(this);
    setSizeGripEnabled(true);
    Title = new TitlePanel(this);
}

void RuleTableDialog::placeTables(QWidget *tables, int top)
{
    const auto make = [this](const char *name, void (RuleTableDialog::*click)()) {
        auto *b = new PictureButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(120, 30);
        connect(b, &QAbstractButton::clicked, this, [this, click] { (this->*click)(); });
        return b;
    };
    Btn_OK = make("Btn_OK", &RuleTableDialog::Btn_OKClick);
    Btn_Cancel = make("Btn_Cancel", &QDialog::reject);
    Btn_DelRow = make("Btn_DelRow", &RuleTableDialog::Btn_DelRowClick);
    Btn_InsRow = make("Btn_InsRow", &RuleTableDialog::Btn_InsRowClick);
    Btn_CopyRow = make("Btn_CopyRow", &RuleTableDialog::Btn_CopyRowClick);
    Btn_PasteRow = make("Btn_PasteRow", &RuleTableDialog::Btn_PasteRowClick);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->setContentsMargins(5, 0, 5, 0);
    for (PictureButton *b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Btn_OK);
    buttons->addWidget(Btn_Cancel);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(3, top, 3, 8);
    body->setSpacing(8);
    body->addWidget(tables, 1);
    body->addLayout(buttons);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(Title);
    outer->addLayout(body, 1);
}

void RuleTableDialog::setButtonTexts(const LanguageTexts &texts, ButtonTexts ok, ButtonTexts cancel,
                                     ButtonTexts deleteRow, ButtonTexts insertRow, ButtonTexts copyRow,
                                     ButtonTexts pasteRow)
{
    const std::pair<PictureButton *, ButtonTexts> buttons[] = {
        {Btn_OK, ok}, {Btn_Cancel, cancel}, {Btn_DelRow, deleteRow},
        {Btn_InsRow, insertRow}, {Btn_CopyRow, copyRow}, {Btn_PasteRow, pasteRow},
    };
    for (const auto &[button, ids] : buttons) {
        button->setText(texts[ids.caption]);
        button->setToolTip(texts[ids.hint]);
    }
}

void RuleTableDialog::keyPressEvent(QKeyEvent *event)
{
    // The tables keep Enter for themselves; elsewhere Enter is OK and Escape Cancel.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Btn_OKClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace cf::ui
