#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <QList>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <vector>

class QSortFilterProxyModel;
class QTableView;
class QTableWidget;

namespace verdalo {

// One column of a grid: the key it shows from each row, its title, whether it can be edited in place, and what
// its footer cell shows.
struct GridColumn
{
    enum class Footer { None, Sum, Count, Text };

    GridColumn(QString key, QString title)
        : key(std::move(key))
        , title(std::move(title))
    {
    }
    GridColumn &edit(bool on = true)
    {
        editable = on;
        return *this;
    }
    GridColumn &sum(QString prefix = {})
    {
        footer = Footer::Sum;
        footerText = std::move(prefix);
        return *this;
    }
    GridColumn &count(QString prefix = {})
    {
        footer = Footer::Count;
        footerText = std::move(prefix);
        return *this;
    }
    GridColumn &text(QString t)
    {
        footer = Footer::Text;
        footerText = std::move(t);
        return *this;
    }
    GridColumn &fixed(int places)
    {
        decimals = places;
        return *this;
    }
    GridColumn &wide(int px)
    {
        width = px;
        return *this;
    }

    QString key;
    QString title;
    bool editable = false;
    Footer footer = Footer::None;
    QString footerText; // Text: the text; Sum/Count: a prefix
    int decimals = -1;  // numbers shown with this many decimals; -1 as they come
    int width = 0;
};

// The rows a grid shows; each row a list of values in the order of the columns' keys, plus any further values
// (ids) that the window needs but does not show.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    const QList<GridColumn> &columns() const { return m_columns; }
    // `keys` names the values of each row; columns pick theirs by key.
    void setRows(const QStringList &keys, std::vector<QVariantList> rows);
    const QStringList &keys() const { return m_keys; }
    int keyIndex(const QString &key) const { return static_cast<int>(m_keys.indexOf(key)); }
    QVariant value(int row, const QString &key) const;
    void setValue(int row, const QString &key, const QVariant &v);
    int rowCountAll() const { return static_cast<int>(m_rows.size()); }
    // A background per row (empty colour: the grid's own).
    std::function<QColor(int row)> rowColor;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void edited(int row);

private:
    QList<GridColumn> m_columns;
    QStringList m_keys;
    std::vector<QVariantList> m_rows;
    std::vector<int> m_columnKeys;
};

// The program's grid: a table with a footer row (sums, counts, texts), title clicks that cycle ascending,
// descending and unsorted, multi-row selection, columns hidden by key, and in-place editing whose changed row is
// handed back when the cursor leaves it.
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);

    void setColumns(const QList<GridColumn> &columns);
    void setRows(const QStringList &keys, std::vector<QVariantList> rows);
    void setColumnHidden(const QString &key, bool hidden);
    bool isColumnHidden(const QString &key) const;
    void setMultiSelection(bool on);

    GridModel *model() const { return m_model; }
    QTableView *view() const { return m_view; }
    int rowCount() const { return m_model->rowCountAll(); }
    // Rows are numbered as the model holds them, whatever the sort on screen.
    int currentRow() const;
    void setCurrentRow(int row);
    // The row whose `key` value equals `value`, made current; false when there is none.
    bool selectWhere(const QString &key, const QVariant &value);
    std::vector<int> selectedRows() const;
    // The rows in the order the operator sees them.
    std::vector<int> visibleOrder() const;
    QVariant value(int row, const QString &key) const { return m_model->value(row, key); }
    QString footerText(const QString &key) const;
    // Saves the pending edit of the current row (the window calls this before acting on the grid).
    void commitPendingRow();

signals:
    void currentRowChanged(int row);
    void rowEdited(int row);
    void rowActivated(int row);

private:
    void updateFooter();
    void syncFooterWidths();
    void titleClicked(int section);

    GridModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QTableView *m_view;
    QTableWidget *m_footer;
    std::vector<int> m_sortState; // per column: 0 none, 1 ascending, 2 descending
    int m_dirtyRow = -1;
    bool m_hasFooter = false;
};

} // namespace verdalo
