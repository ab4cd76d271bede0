#pragma once

#include "app/AppContext.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace verdalo {

// The logged-in operator changes their own password.
class Txiugai_mima : public QDialog
{
    Q_OBJECT
public:
    Txiugai_mima(AppContext &ctx, QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr; // 原始密码
    QLineEdit *Edit2 = nullptr; // 新密码
    QLineEdit *Edit3 = nullptr; // 密码验证
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    AppContext &m_ctx;
};

} // namespace verdalo
