#include "admin/Tcaozuoyuan_list.h"

#include "admin/OperatorService.h"
#include "admin/Tcaozuoyuan_add.h"
#include "widgets/MessageBox.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace verdalo {

Tcaozuoyuan_list::Tcaozuoyuan_list(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("操作员列表"));
    TreeView1 = new QTreeWidget(this);
    TreeView1->setHeaderHidden(true);
    CheckListBox1 = new QListWidget(this);
    Button1 = new QPushButton(QStringLiteral("新建"), this);
    Button2 = new QPushButton(QStringLiteral("修改"), this);
    Button3 = new QPushButton(QStringLiteral("删除"), this);
    Button4 = new QPushButton(QStringLiteral("退出"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : { Button1, Button2, Button3, Button4 })
        buttons->addWidget(b);
    auto *lists = new QHBoxLayout;
    lists->addWidget(TreeView1, 1);
    lists->addWidget(CheckListBox1, 1);
    auto *l = new QVBoxLayout(this);
    l->addLayout(lists);
    l->addLayout(buttons);
    resize(560, 460);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, &Tcaozuoyuan_list::TreeView1Change);
    connect(CheckListBox1, &QListWidget::itemChanged, this, &Tcaozuoyuan_list::CheckListBox1Click);
    connect(Button1, &QPushButton::clicked, this, &Tcaozuoyuan_list::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tcaozuoyuan_list::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tcaozuoyuan_list::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &QDialog::accept);
    rebuildTree();
}

void Tcaozuoyuan_list::rebuildTree()
{
    TreeView1->clear();
    m_filling = true;
    CheckListBox1->clear();
    m_filling = false;
    m_operator.clear();
    m_group = 0;
    QStringList names;
    try {
        names = OperatorService(m_ctx.main()).names();
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    for (const QString &name : names) {
        auto *top = new QTreeWidgetItem(TreeView1, { name });
        for (const RightsGroup &g : Rights::groups())
            new QTreeWidgetItem(top, { QStringLiteral("%1. %2").arg(g.string).arg(g.title) });
    }
    TreeView1->expandAll();
}

void Tcaozuoyuan_list::TreeView1Change(QTreeWidgetItem *current)
{
    if (!current || !current->parent())
        return;
    const QString name = current->parent()->text(0);
    const int group = current->parent()->indexOfChild(current) + 1;
    m_filling = true;
    CheckListBox1->clear();
    m_operator = name;
    m_group = 0;
    if (group <= 4) {
        try {
            if (const auto op = OperatorService(m_ctx.main()).find(name)) {
                const RightsGroup &g = Rights::groups()[static_cast<size_t>(group - 1)];
                const std::vector<bool> checks = Rights::groupChecks(g, op->rights[static_cast<size_t>(group - 1)]);
                for (size_t i = 0; i < g.rights.size(); ++i) {
                    auto *item = new QListWidgetItem(g.rights[i].name, CheckListBox1);
                    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
                    item->setCheckState(checks[i] ? Qt::Checked : Qt::Unchecked);
                }
                m_group = group;
            }
        } catch (const DbError &e) {
            MessageBox::information(this, e.message());
        }
    }
    m_filling = false;
}

void Tcaozuoyuan_list::CheckListBox1Click(QListWidgetItem *)
{
    if (m_filling || m_group == 0 || m_operator.isEmpty())
        return;
    std::vector<bool> checked;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        checked.push_back(CheckListBox1->item(i)->checkState() == Qt::Checked);
    try {
        OperatorService(m_ctx.main()).setGroupRights(m_operator, m_group, Rights::groupString(checked));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Tcaozuoyuan_list::Button1Click()
{
    Tcaozuoyuan_add editor(m_ctx, 0, this);
    editor.exec();
    rebuildTree();
}

void Tcaozuoyuan_list::Button2Click()
{
    QTreeWidgetItem *current = TreeView1->currentItem();
    if (!current || current->parent()) {
        MessageBox::information(this, QStringLiteral("请选择低一层节点"));
        return;
    }
    std::optional<OperatorRow> op;
    try {
        op = OperatorService(m_ctx.main()).find(current->text(0));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    if (!op)
        return;
    auto *editor = new Tcaozuoyuan_add(m_ctx, op->id, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, &Tcaozuoyuan_list::rebuildTree);
    editor->show();
}

void Tcaozuoyuan_list::Button3Click()
{
    if (!MessageBox::confirm(this, QStringLiteral("确实要删除吗？")))
        return;
    QTreeWidgetItem *current = TreeView1->currentItem();
    QTreeWidgetItem *top = current ? (current->parent() ? current->parent() : current) : nullptr;
    const QString name = top ? top->text(0) : QString();
    if (name == OperatorService::kAdminName) {
        MessageBox::information(this, QStringLiteral("不能将管理员帐户删除！！"));
        return;
    }
    if (!top)
        return;
    try {
        OperatorService service(m_ctx.main());
        if (!service.find(name))
            return;
        service.remove(name);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    rebuildTree();
}

} // namespace verdalo
