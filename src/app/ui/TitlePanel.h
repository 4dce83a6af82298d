#pragma once

#include <QWidget>

class QLabel;

namespace cf::ui {

// The 69 px panel at the top of every dialog: product code and a subtitle.
class TitlePanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 69;

    explicit TitlePanel(QWidget *parent);
    void setSubtitle(const QString &text);

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
};

} // namespace cf::ui
