#include "widgets/RowEditor.h"

#include "widgets/DataGrid.h"

#include <QPushButton>

namespace verdalo {

RowEditor::RowEditor(DataGrid *grid, QPushButton *add, QPushButton *save, QObject *parent)
    : QObject(parent)
    , m_grid(grid)
    , m_add(add)
    , m_save(save)
{
    connect(m_add, &QPushButton::clicked, this, &RowEditor::add);
    connect(m_save, &QPushButton::clicked, this, &RowEditor::save);
    connect(m_grid, &DataGrid::currentRowChanged, this, &RowEditor::currentChanged);
    browse();
}

void RowEditor::browse()
{
    m_editing = false;
    m_adding = false;
    m_add->setEnabled(true);
    m_save->setEnabled(false);
}

void RowEditor::currentChanged(int row)
{
    if (m_editing || !showRow)
        return;
    m_filling = true;
    showRow(row);
    m_filling = false;
}

void RowEditor::fieldEdited()
{
    if (m_filling || m_editing)
        return;
    m_editing = true;
    m_adding = m_grid->currentRow() < 0;
    m_add->setEnabled(false);
    m_save->setEnabled(true);
}

void RowEditor::add()
{
    m_editing = true;
    m_adding = true;
    m_add->setEnabled(false);
    m_save->setEnabled(true);
    m_filling = true;
    if (showRow)
        showRow(-1);
    m_filling = false;
}

void RowEditor::save()
{
    if (!m_editing || !store)
        return;
    const qlonglong id = store(m_adding, m_adding ? -1 : m_grid->currentRow());
    if (id == 0)
        return; // stays in editing; the window showed why
    browse();
    if (reload)
        reload();
    m_grid->selectWhere(idKey, id);
}

void RowEditor::cancel()
{
    browse();
    if (reload)
        reload();
}

} // namespace verdalo
