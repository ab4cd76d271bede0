#pragma once

#include "core/Db.h"
#include "core/Money.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace verdalo {

// One row of 菜单表.
struct Item
{
    qlonglong id = 0;
    QString category;    // 食物总类; "套餐" marks a set menu
    QString subcategory; // 菜品小类
    QString code;        // 编号
    QString name;        // 名称
    Money price;         // 单价
    QString remark;      // 备注
    QString initials;    // 拼音
    int sortNumber = 0;  // 排序编号
    Money commission;    // 业务员提成
    double stock = 0;    // 当前库存
    QString flavour;     // 风味

    static Item fromRow(const Row &r);
};

// Which neighbour an item trades places with.
enum class MoveDirection { Up, Down };

struct ImportResult
{
    int imported = 0;
    QString error; // empty when the whole file went in; otherwise nothing of it was kept
};

// The item catalogue: items and their order, initials, special prices, set menus and their substitutes, and the
// spreadsheet export and import.
class CatalogueService
{
public:
    static inline const QString kSetMenu = QStringLiteral("套餐");

    explicit CatalogueService(Db &main)
        : m_db(main)
    {
    }

    // Items in their sort order; only those of `category` when it is not empty.
    std::vector<Item> items(const QString &category = {});
    std::optional<Item> item(qlonglong id);
    // Categories in table order (the catalogue's filter) and in their sort order (the editor).
    QStringList categoriesInTableOrder();
    QStringList categoriesBySortNumber();
    QStringList subcategories(const QString &category);
    QStringList customerTypes();

    // The sort number a new item gets: one above the highest, 1 in an empty catalogue.
    int nextSortNumber();
    // Saves a new item (id 0) or changes an existing one; returns its id. A new item in the branch stock mode
    // gets a stock row of 0 in every branch. One transaction.
    qlonglong saveItem(const Item &item, bool branchStock);
    // Deletes the item; in the branch stock mode its branch stock rows too.
    void deleteItem(qlonglong id, bool branchStock);

    // Swaps the item with its neighbour in `listed` (the ids as the window shows them). Returns the refusal
    // ("已经是最上层了" / "已经是最底层了") or an empty text when it moved.
    QString move(qlonglong id, const std::vector<qlonglong> &listed, MoveDirection direction);
    // Gives the listed items without initials the initials of their name; typed initials are kept.
    int fillMissingInitials(const std::vector<qlonglong> &listed);

    // Special prices of an item by customer type.
    Rows specialPrices(const QString &itemName);
    void setSpecialPrice(const QString &customerType, const QString &itemName, Money price);
    void deleteSpecialPrice(qlonglong id);

    // Set menus, their components and each component's substitutes.
    QStringList setMenus();
    Rows components(const QString &setMenu);
    void addComponent(const QString &setMenu, const QString &itemName, double quantity);
    void updateComponent(qlonglong id, const QString &itemName, double quantity);
    void deleteComponent(qlonglong id);
    Rows substitutes(const QString &setMenu, const QString &defaultItem);
    void addSubstitute(const QString &setMenu, const QString &defaultItem, const QString &substitute);
    void deleteSubstitute(qlonglong id);
    // Components of set menus that no longer exist (or are no longer set menus) go.
    void cleanUpSetMenus();

    // Every column of 菜单表 for the listed items, header first, as text (the export's layout).
    bool exportItems(const QString &path, const std::vector<qlonglong> &listed, QString *error);
    // Adds the rows of a workbook: columns 食物总类, 编号, 名称, 单价, 备注, 菜品小类, 拼音 from row 2 until the first
    // row whose first column is empty; sort numbers follow the row. All or nothing. `progress(done, total)`.
    ImportResult importItems(const QString &path, const std::function<void(int, int)> &progress = {});

private:
    Db &m_db;
};

} // namespace verdalo
