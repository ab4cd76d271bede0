#pragma once

#include <QObject>

#include <functional>

class QPushButton;

namespace verdalo {

class DataGrid;

// The add/save behaviour of the small list windows: the grid is read-only, the fields below it edit its current
// row. Browsing: "添加" on, "保存" off. "添加" starts a new row; typing in a field edits the current one; while a
// row is being added or edited "添加" is off and "保存" on. "保存" stores it; Esc or closing cancels it.
class RowEditor : public QObject
{
    Q_OBJECT
public:
    RowEditor(DataGrid *grid, QPushButton *add, QPushButton *save, QObject *parent);

    // Fills the fields from a row (-1: empty fields for a new row).
    std::function<void(int row)> showRow;
    // Stores the fields as a new row (adding) or into `row`; returns the id to select, or 0 when it failed.
    std::function<qlonglong(bool adding, int row)> store;
    // Loads the grid again.
    std::function<void()> reload;
    QString idKey = QStringLiteral("id");

    bool isEditing() const { return m_editing; }
    // The fields call this when the operator types in them.
    void fieldEdited();
    void add();
    void save();
    void cancel();

private:
    void browse();
    void currentChanged(int row);

    DataGrid *m_grid;
    QPushButton *m_add;
    QPushButton *m_save;
    bool m_editing = false;
    bool m_adding = false;
    bool m_filling = false;
};

} // namespace verdalo
