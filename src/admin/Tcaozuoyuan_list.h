#pragma once

#include "app/AppContext.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace verdalo {

// Operators and their rights: a tree of operators with their rights groups, and the group's check list.
class Tcaozuoyuan_list : public QDialog
{
    Q_OBJECT
public:
    Tcaozuoyuan_list(AppContext &ctx, QWidget *parent = nullptr);

    QTreeWidget *TreeView1 = nullptr;
    QListWidget *CheckListBox1 = nullptr;
    QPushButton *Button1 = nullptr; // 新建
    QPushButton *Button2 = nullptr; // 修改
    QPushButton *Button3 = nullptr; // 删除
    QPushButton *Button4 = nullptr; // 退出

    void rebuildTree();
    void Button1Click();
    void Button2Click();
    void Button3Click();

private:
    void TreeView1Change(QTreeWidgetItem *current);
    void CheckListBox1Click(QListWidgetItem *item);

    AppContext &m_ctx;
    QString m_operator; // whose group the check list shows
    int m_group = 0;    // 1..4, 0 for none
    bool m_filling = false;
};

} // namespace verdalo
