#pragma once

#include "app/AppContext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace verdalo {

// The order board's refresh period of this workstation; takes effect at the next login.
class TFshuaxin_shezhi : public QDialog
{
    Q_OBJECT
public:
    TFshuaxin_shezhi(AppContext &ctx, QWidget *parent = nullptr);

    QLineEdit *SpinEdit1 = nullptr;
    QPushButton *Button1 = nullptr; // 设置
    QPushButton *Button2 = nullptr; // 退出

    void Button1Click();

private:
    AppContext &m_ctx;
};

} // namespace verdalo
