#include "app/ui/OpenConf.h"

#include "app/AppContext.h"
#include "app/Workspace.h"
#include "app/ui/DialogParts.h"
#include "app/ui/PictureButton.h"
#include "app/ui/Style.h"
#include "app/ui/TitlePanel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace cf::ui {

TFOpenConf::TFOpenConf(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_ctx(context)
{
    setObjectName(QStringLiteral("TFOpenConf"));
    applyWindowLook(this);

    Title = new TitlePanel(this);
    L_List = plainLabel(this);
    L_List->setObjectName(QStringLiteral("L_List"));
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    Buttons = new ButtonPanel(this);
    Buttons->keepButtonsRight();
    Btn_OK = Buttons->addButton("Btn_OK", 0);
    Btn_Cancel = Buttons->addButton("Btn_Cancel", 0);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 10);
    body->setSpacing(4);
    body->addWidget(L_List);
    body->addWidget(ListBox1, 1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(Title);
    outer->addLayout(body, 1);
    outer->addWidget(Buttons);

    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TFOpenConf::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { Btn_OK->click(); });
    connect(Btn_OK, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(Btn_Cancel, &QAbstractButton::clicked, this, &QDialog::reject);
    setTabOrder(ListBox1, Btn_OK);
    setTabOrder(Btn_OK, Btn_Cancel);

    resize(kWidth, kHeight);
    setMinimumSize(2 * ButtonPanel::kButtonWidth + 48, TitlePanel::kHeight + ButtonPanel::kHeight + 100);
    Set_Lang();
}

void TFOpenConf::Set_Lang()
{
    const LanguageTexts &t = m_ctx.texts;
    setWindowTitle(t[200]);
    Title->setSubtitle(t[201]);
    L_List->setText(t[202]);
    Btn_OK->setText(t[203]);
    Btn_Cancel->setText(t[204]);
    ListBox1->setToolTip(t[205]);
    Btn_OK->setToolTip(t[206]);
    Btn_Cancel->setToolTip(t[207]);
}

void TFOpenConf::Load_Existing_Configuration()
{
    Names = cf::Load_Existing_Configuration(m_ctx.projectsDir());
}

int TFOpenConf::Search_Open_Conf(const QString &snc) const
{
    return cf::Search_Open_Conf(Names, snc);
}

void TFOpenConf::ListBox1Click()
{
    const QList<QListWidgetItem *> selected = ListBox1->selectedItems();
    if (!selected.isEmpty())
        Name_Conf = selected.first()->text();
}

void TFOpenConf::FormShow()
{
    Load_Existing_Configuration();
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    ListBox1->addItems(Names);
    const QString open = m_ctx.project.isOpen() ? m_ctx.project.name : QString();
    const int row = preselectedConfiguration(Names, open);
    Name_Conf = row >= 0 ? Names[row] : QString();
    if (row >= 0) {
        ListBox1->setCurrentRow(row);
        ListBox1->scrollToItem(ListBox1->item(row));
    }
    ListBox1->setFocus();
}

void TFOpenConf::showEvent(QShowEvent *event)
{
    // Centred once; a size the user gave the window stays.
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(this);
    }
    FormShow();
    QDialog::showEvent(event);
}

void TFOpenConf::keyPressEvent(QKeyEvent *event)
{
    if (!enterClicks(event, Btn_OK))
        QDialog::keyPressEvent(event);
}

} // namespace cf::ui
