#include "admin/Tcaozuoyuan_add.h"

#include "admin/OperatorService.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace verdalo {

Tcaozuoyuan_add::Tcaozuoyuan_add(AppContext &ctx, qlonglong id, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_id(id)
{
    setWindowTitle(QStringLiteral("操作员添加"));
    Edit1 = new QLineEdit(this);
    Edit1->setMaxLength(50);
    Edit2 = new QLineEdit(this);
    Edit2->setEchoMode(QLineEdit::Password);
    Edit3 = new QLineEdit(this);
    Edit3->setEchoMode(QLineEdit::Password);
    ComboBox1 = new QComboBox(this);
    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("用户"), Edit1);
    form->addRow(QStringLiteral("密码"), Edit2);
    form->addRow(QStringLiteral("重复密码"), Edit3);
    form->addRow(QStringLiteral("部门"), ComboBox1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *l = new QVBoxLayout(this);
    l->addLayout(form);
    l->addLayout(buttons);
    setMinimumWidth(320);

    connect(Button1, &QPushButton::clicked, this, &Tcaozuoyuan_add::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    try {
        OperatorService service(m_ctx.main());
        ComboBox1->addItems(service.departments());
        ComboBox1->setCurrentIndex(-1);
        if (m_id != 0) {
            if (const auto op = service.findById(m_id)) {
                Edit1->setText(op->name);
                Edit1->setReadOnly(op->name == OperatorService::kAdminName);
                ComboBox1->setCurrentText(op->department);
            }
        }
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Tcaozuoyuan_add::Button1Click()
{
    OperatorService service(m_ctx.main());
    QString refusal;
    try {
        refusal = m_id == 0
            ? service.add(Edit1->text().trimmed(), Edit2->text(), Edit3->text(), ComboBox1->currentText())
            : service.update(m_id, Edit1->text().trimmed(), Edit2->text(), Edit3->text(), ComboBox1->currentText());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    if (m_id != 0)
        MessageBox::information(this, QStringLiteral("修改完毕"));
    accept();
}

} // namespace verdalo
