#include "widgets/PickListDelegate.h"

#include <QComboBox>

namespace verdalo {

PickListDelegate::PickListDelegate(std::function<QStringList(const QModelIndex &)> choices, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_choices(std::move(choices))
{
}

QWidget *PickListDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(m_choices ? m_choices(index) : QStringList());
    return box;
}

void PickListDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<QComboBox *>(editor)->setCurrentText(index.data(Qt::EditRole).toString());
}

void PickListDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QComboBox *>(editor)->currentText(), Qt::EditRole);
}

} // namespace verdalo
