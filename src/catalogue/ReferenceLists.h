#pragma once

#include "core/Db.h"

#include <QString>
#include <QStringList>

namespace verdalo {

// The short lists the catalogue, the order forms and the customer records choose from: categories with their
// order, subcategories, special requests, areas and stores, customer types, delivery workers.
class ReferenceLists
{
public:
    explicit ReferenceLists(Db &main)
        : m_db(main)
    {
    }

    // Categories (种类): 编号, 种类, 排序编号, in their sort order (new ones, without a number, first).
    Rows categories();
    qlonglong addCategory(const QString &name);
    void renameCategory(qlonglong number, const QString &name);
    void deleteCategory(qlonglong number);
    // Swaps the sort numbers with the neighbour in the listed order; the refusal text, or empty when moved.
    QString moveCategory(qlonglong number, const std::vector<qlonglong> &listed, bool up);

    // Subcategories (菜品小类): id, 种类, 小类名称, in table order.
    Rows subcategories();
    qlonglong addSubcategory(const QString &category, const QString &name);
    void updateSubcategory(qlonglong id, const QString &category, const QString &name);
    void deleteSubcategory(qlonglong id);

    // Special requests (口味): id, 口味.
    Rows tastes();
    qlonglong addTaste(const QString &text);
    void updateTaste(qlonglong id, const QString &text);
    void deleteTaste(qlonglong id);

    // Areas and stores. Each add returns the refusal to show, or an empty text when added.
    Rows areas();
    QString addArea(const QString &name);
    void deleteArea(qlonglong id);
    Rows stores(bool byArea);
    QString addStore(const QString &area, const QString &store);
    void deleteStore(qlonglong id);
    // Store names, each once (branches).
    QStringList branchNames();

    // Customer types: the rate must be a number (tenths of the price).
    Rows customerTypes();
    QString addCustomerType(const QString &name, const QString &rate);
    void deleteCustomerType(qlonglong id);

    // Delivery workers (员工列表).
    Rows workers();
    qlonglong saveWorker(qlonglong id, const QString &name, const QString &phone, const QString &vehicle,
                         const QString &store);
    void deleteWorker(qlonglong id);

private:
    Db &m_db;
};

} // namespace verdalo
