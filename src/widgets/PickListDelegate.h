#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace verdalo {

// An in-place editor with a drop-down of choices for one grid column; the operator may also type. The choices
// come from a function asked each time the cell is edited (they depend on the row).
class PickListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    PickListDelegate(std::function<QStringList(const QModelIndex &)> choices, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    std::function<QStringList(const QModelIndex &)> m_choices;
};

} // namespace verdalo
