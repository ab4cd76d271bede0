#include "admin/Txiugai_mima.h"

#include "admin/OperatorService.h"
#include "widgets/MessageBox.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace verdalo {

Txiugai_mima::Txiugai_mima(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("修改密码"));
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit3 = new QLineEdit(this);
    for (QLineEdit *e : { Edit1, Edit2, Edit3 })
        e->setEchoMode(QLineEdit::Password);
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("原始密码"), Edit1);
    form->addRow(QStringLiteral("新密码"), Edit2);
    form->addRow(QStringLiteral("密码验证"), Edit3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *l = new QVBoxLayout(this);
    l->addLayout(form);
    l->addLayout(buttons);
    connect(Button1, &QPushButton::clicked, this, &Txiugai_mima::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void Txiugai_mima::showEvent(QShowEvent *event)
{
    for (QLineEdit *e : { Edit1, Edit2, Edit3 })
        e->clear();
    QDialog::showEvent(event);
}

void Txiugai_mima::Button1Click()
{
    QString refusal;
    try {
        refusal = OperatorService(m_ctx.main())
                      .changePassword(m_ctx.session.userName, Edit1->text(), Edit2->text(), Edit3->text());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    MessageBox::information(this, QStringLiteral("密码修改成功！！"));
    accept();
}

} // namespace verdalo
