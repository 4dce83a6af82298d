#include "app/ui/NewProject.h"

#include "app/AppContext.h"
#include "app/Workspace.h"
#include "app/ui/DialogParts.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"
#include "platform/Prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace cf::ui {

TFNew_Project::TFNew_Project(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
{
    setObjectName(QStringLiteral("TFNew_Project"));
    applyWindowLook(this);
    setFixedSize(kWidth, kHeight);

    Title = new TitlePanel(this);
    Title->setGeometry(0, 0, kWidth, TitlePanel::kHeight);

    L_Name = plainLabel(this);
    L_Name->setObjectName(QStringLiteral("L_Name"));
    L_Name->move(16, 76);
    E_New_Proj = new QLineEdit(this);
    E_New_Proj->setObjectName(QStringLiteral("E_New_Proj"));
    E_New_Proj->setGeometry(16, 93, kWidth - 32, 22);

    Buttons = new ButtonPanel(this);
    Buttons->setGeometry(0, kHeight - ButtonPanel::kHeight, kWidth, ButtonPanel::kHeight);
    const int cancelLeft = kWidth - 16 - ButtonPanel::kButtonWidth;
    Btn_OK = Buttons->addButton("Btn_OK", cancelLeft - 8 - ButtonPanel::kButtonWidth);
    Btn_Cancel = Buttons->addButton("Btn_Cancel", cancelLeft);
    connect(Btn_OK, &QAbstractButton::clicked, this, &TFNew_Project::Btn_OKClick);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    setTabOrder(E_New_Proj, Btn_OK);
    setTabOrder(Btn_OK, Btn_Cancel);

    Set_Lang();
}

void TFNew_Project::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[100]);
    Title->setSubtitle(t[101]);
    L_Name->setText(t[102]);
    L_Name->adjustSize();
    Btn_OK->setText(t[103]);
    Btn_Cancel->setText(t[104]);
    E_New_Proj->setToolTip(t[108]);
    Btn_OK->setToolTip(t[109]);
    Btn_Cancel->setToolTip(t[110]);
}

void TFNew_Project::Btn_OKClick()
{
    if (const std::optional<QString> refusal = createConfiguration(m_ctx, E_New_Proj->text())) {
        m_ctx.prompt().error(*refusal);
        E_New_Proj->setFocus();
        return;
    }
    accept();
}

void TFNew_Project::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
    E_New_Proj->clear();
    E_New_Proj->setFocus();
}

void TFNew_Project::keyPressEvent(QKeyEvent *event)
{
    if (!enterClicks(event, Btn_OK))
        QDialog::keyPressEvent(event);
}

} // namespace cf::ui
