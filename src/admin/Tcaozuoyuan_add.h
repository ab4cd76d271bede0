#pragma once

#include "app/AppContext.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace verdalo {

// Adds an operator (id 0) or changes one: name, password twice, department.
class Tcaozuoyuan_add : public QDialog
{
    Q_OBJECT
public:
    Tcaozuoyuan_add(AppContext &ctx, qlonglong id, QWidget *parent = nullptr);

    QLineEdit *Edit1 = nullptr;     // 用户
    QLineEdit *Edit2 = nullptr;     // 密码
    QLineEdit *Edit3 = nullptr;     // 重复密码
    QComboBox *ComboBox1 = nullptr; // 部门
    QPushButton *Button1 = nullptr; // 确定
    QPushButton *Button2 = nullptr; // 取消

    void Button1Click();

private:
    AppContext &m_ctx;
    qlonglong m_id;
};

} // namespace verdalo
