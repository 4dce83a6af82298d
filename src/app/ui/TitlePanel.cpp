#include "app/ui/TitlePanel.h"

#include "app/ProductIdentity.h"
#include "app/ui/Style.h"

#include <QLabel>

namespace cf::ui {

TitlePanel::TitlePanel(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    L_SW_Code = plainLabel(this, ProductIdentity::productCode(), 32, false, kGrey);
    L_SW_Code->setObjectName(QStringLiteral("L_SW_Code"));
    L_SW_Code->move(16, 2);
    L_SW_Desc = plainLabel(this, QString(), 11, true, kGrey);
    L_SW_Desc->setObjectName(QStringLiteral("L_SW_Desc"));
    L_SW_Desc->move(16, 46);
}

void TitlePanel::setSubtitle(const QString &text)
{
    L_SW_Desc->setText(text);
    L_SW_Desc->adjustSize();
}

} // namespace cf::ui
