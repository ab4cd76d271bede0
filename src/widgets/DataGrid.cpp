#include "widgets/DataGrid.h"

#include <QHeaderView>
#include <algorithm>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace verdalo {
namespace {

QString display(const QVariant &v, int decimals)
{
    if (v.isNull())
        return {};
    if (decimals >= 0) {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (ok)
            return QString::number(d, 'f', decimals);
    }
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    return v.toString();
}

// Sorting by the value itself, numbers as numbers.
class GridSortProxy : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &a, const QModelIndex &b) const override
    {
        const QVariant va = sourceModel()->data(a, Qt::EditRole);
        const QVariant vb = sourceModel()->data(b, Qt::EditRole);
        bool oka = false;
        bool okb = false;
        const double da = va.toDouble(&oka);
        const double db = vb.toDouble(&okb);
        if (oka && okb && va.typeId() != QMetaType::QString)
            return da < db;
        return QString::localeAwareCompare(va.toString(), vb.toString()) < 0;
    }
};

} // namespace

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void GridModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    m_columnKeys.clear();
    for (const GridColumn &c : m_columns)
        m_columnKeys.push_back(static_cast<int>(m_keys.indexOf(c.key)));
    endResetModel();
}

void GridModel::setRows(const QStringList &keys, std::vector<QVariantList> rows)
{
    beginResetModel();
    m_keys = keys;
    m_rows = std::move(rows);
    m_columnKeys.clear();
    for (const GridColumn &c : m_columns)
        m_columnKeys.push_back(static_cast<int>(m_keys.indexOf(c.key)));
    endResetModel();
}

QVariant GridModel::value(int row, const QString &key) const
{
    const qsizetype k = m_keys.indexOf(key);
    if (row < 0 || row >= rowCountAll() || k < 0)
        return {};
    return m_rows[static_cast<size_t>(row)].value(k);
}

void GridModel::setValue(int row, const QString &key, const QVariant &v)
{
    const qsizetype k = m_keys.indexOf(key);
    if (row < 0 || row >= rowCountAll() || k < 0)
        return;
    QVariantList &r = m_rows[static_cast<size_t>(row)];
    while (r.size() <= k)
        r.append(QVariant());
    r[k] = v;
    for (int c = 0; c < static_cast<int>(m_columnKeys.size()); ++c) {
        if (m_columnKeys[static_cast<size_t>(c)] == k)
            emit dataChanged(index(row, c), index(row, c));
    }
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : rowCountAll();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int k = m_columnKeys[static_cast<size_t>(index.column())];
    const QVariant v = k >= 0 ? m_rows[static_cast<size_t>(index.row())].value(k) : QVariant();
    const GridColumn &c = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return display(v, c.decimals);
    case Qt::EditRole:
        return v;
    case Qt::BackgroundRole: {
        if (!rowColor)
            return {};
        const QColor c = rowColor(index.row());
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int
                                           || v.typeId() == QMetaType::LongLong || c.decimals >= 0
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const GridColumn &c = m_columns[index.column()];
    if (value == this->value(index.row(), c.key))
        return true;
    setValue(index.row(), c.key, value);
    emit edited(index.row());
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o == Qt::Horizontal && role == Qt::DisplayRole && section < m_columns.size())
        return m_columns[section].title;
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_columns[index.column()].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent)
    , m_model(new GridModel(this))
    , m_proxy(new GridSortProxy(this))
    , m_view(new QTableView(this))
    , m_footer(new QTableWidget(1, 0, this))
{
    m_proxy->setSourceModel(m_model);
    m_view->setModel(m_proxy);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->setDefaultSectionSize(24);
    m_view->verticalHeader()->setVisible(false);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);

    m_footer->horizontalHeader()->setVisible(false);
    m_footer->verticalHeader()->setVisible(false);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_footer->setSelectionMode(QAbstractItemView::NoSelection);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->setFixedHeight(26);
    m_footer->setStyleSheet(QStringLiteral("QTableWidget { background: #f3f3e6; font-weight: bold; }"));
    m_footer->hide();

    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    l->addWidget(m_view, 1);
    l->addWidget(m_footer);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, &DataGrid::syncFooterWidths);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_model, &GridModel::edited, this, [this](int row) {
        m_dirtyRow = row;
        updateFooter();
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::updateFooter);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) {
                commitPendingRow();
                emit currentRowChanged(current.isValid() ? m_proxy->mapToSource(current).row() : -1);
            });
    connect(m_view, &QTableView::activated, this,
            [this](const QModelIndex &i) { emit rowActivated(m_proxy->mapToSource(i).row()); });
}

void DataGrid::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    m_sortState.assign(static_cast<size_t>(columns.size()), 0);
    m_hasFooter = false;
    for (const GridColumn &c : columns)
        m_hasFooter = m_hasFooter || c.footer != GridColumn::Footer::None;
    m_footer->setColumnCount(static_cast<int>(columns.size()));
    m_footer->setVisible(m_hasFooter);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].width > 0)
            m_view->setColumnWidth(i, columns[i].width);
    }
    syncFooterWidths();
    updateFooter();
}

void DataGrid::setRows(const QStringList &keys, std::vector<QVariantList> rows)
{
    m_dirtyRow = -1;
    m_model->setRows(keys, std::move(rows));
}

void DataGrid::setColumnHidden(const QString &key, bool hidden)
{
    for (int i = 0; i < m_model->columns().size(); ++i) {
        if (m_model->columns()[i].key == key) {
            m_view->setColumnHidden(i, hidden);
            m_footer->setColumnHidden(i, hidden);
        }
    }
}

bool DataGrid::isColumnHidden(const QString &key) const
{
    for (int i = 0; i < m_model->columns().size(); ++i) {
        if (m_model->columns()[i].key == key)
            return m_view->isColumnHidden(i);
    }
    return true;
}

void DataGrid::setMultiSelection(bool on)
{
    m_view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

int DataGrid::currentRow() const
{
    const QModelIndex i = m_view->currentIndex();
    return i.isValid() ? m_proxy->mapToSource(i).row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        m_view->setCurrentIndex({});
        return;
    }
    const QModelIndex i = m_proxy->mapFromSource(m_model->index(row, 0));
    m_view->setCurrentIndex(i);
    m_view->selectRow(i.row());
    m_view->scrollTo(i);
}

bool DataGrid::selectWhere(const QString &key, const QVariant &value)
{
    for (int r = 0; r < rowCount(); ++r) {
        if (m_model->value(r, key) == value) {
            setCurrentRow(r);
            return true;
        }
    }
    return false;
}

std::vector<int> DataGrid::selectedRows() const
{
    std::vector<int> out;
    for (const QModelIndex &i : m_view->selectionModel()->selectedRows())
        out.push_back(m_proxy->mapToSource(i).row());
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<int> DataGrid::visibleOrder() const
{
    std::vector<int> out;
    for (int r = 0; r < m_proxy->rowCount(); ++r)
        out.push_back(m_proxy->mapToSource(m_proxy->index(r, 0)).row());
    return out;
}

QString DataGrid::footerText(const QString &key) const
{
    for (int i = 0; i < m_model->columns().size(); ++i) {
        if (m_model->columns()[i].key == key && m_footer->item(0, i))
            return m_footer->item(0, i)->text();
    }
    return {};
}

void DataGrid::commitPendingRow()
{
    if (m_dirtyRow < 0)
        return;
    const int row = m_dirtyRow;
    m_dirtyRow = -1;
    emit rowEdited(row);
}

void DataGrid::updateFooter()
{
    if (!m_hasFooter)
        return;
    const auto &cols = m_model->columns();
    for (int i = 0; i < cols.size(); ++i) {
        const GridColumn &c = cols[i];
        QString text;
        switch (c.footer) {
        case GridColumn::Footer::None:
            break;
        case GridColumn::Footer::Text:
            text = c.footerText;
            break;
        case GridColumn::Footer::Count:
            text = c.footerText + QString::number(rowCount());
            break;
        case GridColumn::Footer::Sum: {
            double sum = 0;
            for (int r = 0; r < rowCount(); ++r)
                sum += m_model->value(r, c.key).toDouble();
            text = c.footerText + display(sum, c.decimals >= 0 ? c.decimals : 2);
            break;
        }
        }
        auto *item = new QTableWidgetItem(text);
        item->setTextAlignment(c.footer == GridColumn::Footer::Sum ? Qt::AlignRight | Qt::AlignVCenter
                                                                   : Qt::AlignLeft | Qt::AlignVCenter);
        m_footer->setItem(0, i, item);
    }
}

void DataGrid::syncFooterWidths()
{
    for (int i = 0; i < m_footer->columnCount(); ++i)
        m_footer->setColumnWidth(i, m_view->columnWidth(i));
}

void DataGrid::titleClicked(int section)
{
    if (section < 0 || section >= static_cast<int>(m_sortState.size()))
        return;
    int &state = m_sortState[static_cast<size_t>(section)];
    for (size_t i = 0; i < m_sortState.size(); ++i) {
        if (static_cast<int>(i) != section)
            m_sortState[i] = 0;
    }
    state = (state + 1) % 3;
    QHeaderView *h = m_view->horizontalHeader();
    if (state == 0) {
        m_proxy->sort(-1);
        h->setSortIndicatorShown(false);
    } else {
        const Qt::SortOrder order = state == 1 ? Qt::AscendingOrder : Qt::DescendingOrder;
        m_proxy->sort(section, order);
        h->setSortIndicatorShown(true);
        h->setSortIndicator(section, order);
    }
}

} // namespace verdalo
