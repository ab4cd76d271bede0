#include "catalogue/CatalogueService.h"
#include "data/Schema.h"
#include "spreadsheet/Spreadsheet.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class CatalogueTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        svc = std::make_unique<CatalogueService>(t->db());
    }
    qlonglong add(const QString &name, const QString &category = QStringLiteral("蔬菜"), const char *price = "1")
    {
        Item i;
        i.name = name;
        i.category = category;
        Money::parse(QString::fromLatin1(price), &i.price);
        i.sortNumber = svc->nextSortNumber();
        return svc->saveItem(i, false);
    }
    QStringList names(const QString &category = {})
    {
        QStringList out;
        for (const Item &i : svc->items(category))
            out.append(i.name);
        return out;
    }
    std::vector<qlonglong> ids(const QString &category = {})
    {
        std::vector<qlonglong> out;
        for (const Item &i : svc->items(category))
            out.push_back(i.id);
        return out;
    }
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<CatalogueService> svc;
    QTemporaryDir dir;
};

TEST_P(CatalogueTest, NewItemsGetTheNextSortNumberAndBranchStockInBranchMode)
{
    EXPECT_EQ(svc->nextSortNumber(), 1);
    const qlonglong cabbage = add(QStringLiteral("白菜"));
    EXPECT_EQ(svc->item(cabbage)->sortNumber, 1);
    EXPECT_EQ(svc->item(cabbage)->stock, 0);
    EXPECT_EQ(svc->nextSortNumber(), 2);

    // The same store under two areas is one branch.
    t->db().exec(QStringLiteral("insert into 小区域 (区域, 小区域) values ('城东', '东门店'), ('城西', '东门店'), "
                                "('城西', '西门店')"));
    Item radish;
    radish.name = QStringLiteral("萝卜");
    radish.sortNumber = svc->nextSortNumber();
    const qlonglong id = svc->saveItem(radish, true);
    const auto stockRows = [this](const char *name) {
        return t->db()
            .scalar(QStringLiteral("select count(*) from 分店库存明细表 where 项目名称=:n and 当前库存=0"),
                    { { QStringLiteral("n"), QString::fromUtf8(name) } })
            .toInt();
    };
    EXPECT_EQ(stockRows("萝卜"), 2);
    EXPECT_EQ(stockRows("白菜"), 0) << "the uniform mode makes no branch rows";
    // Editing creates none.
    radish.id = id;
    radish.price = Money::fromUnits(35000);
    svc->saveItem(radish, true);
    EXPECT_EQ(stockRows("萝卜"), 2);
    EXPECT_EQ(svc->item(id)->price.units(), 35000);

    svc->deleteItem(id, true);
    EXPECT_EQ(stockRows("萝卜"), 0);
    EXPECT_FALSE(svc->item(id));
}

TEST_P(CatalogueTest, MovingSwapsWithTheListedNeighbour)
{
    for (const char *n : { "a1", "b1", "a2", "b2" })
        add(QString::fromLatin1(n), n[0] == 'a' ? QStringLiteral("A") : QStringLiteral("B"));
    const std::vector<qlonglong> all = ids();
    EXPECT_EQ(svc->move(all.front(), all, MoveDirection::Up), QStringLiteral("已经是最上层了"));
    EXPECT_EQ(svc->move(all.back(), all, MoveDirection::Down), QStringLiteral("已经是最底层了"));
    EXPECT_EQ(names(), (QStringList { QStringLiteral("a1"), QStringLiteral("b1"), QStringLiteral("a2"), QStringLiteral("b2") }));

    // Within a filter the neighbour is the next item of that category.
    const std::vector<qlonglong> onlyA = ids(QStringLiteral("A"));
    EXPECT_TRUE(svc->move(onlyA[1], onlyA, MoveDirection::Up).isEmpty());
    EXPECT_EQ(names(), (QStringList { QStringLiteral("a2"), QStringLiteral("b1"), QStringLiteral("a1"), QStringLiteral("b2") }));
    const std::vector<qlonglong> now = ids();
    EXPECT_TRUE(svc->move(now[1], now, MoveDirection::Down).isEmpty());
    EXPECT_EQ(names(), (QStringList { QStringLiteral("a2"), QStringLiteral("a1"), QStringLiteral("b1"), QStringLiteral("b2") }));
}

TEST_P(CatalogueTest, MissingInitialsAreFilledAndTypedOnesKept)
{
    add(QStringLiteral("西红柿"));
    const qlonglong typed = add(QStringLiteral("可乐"));
    Item cola = *svc->item(typed);
    cola.initials = QStringLiteral("cola");
    svc->saveItem(cola, false);
    EXPECT_EQ(svc->fillMissingInitials(ids()), 1);
    EXPECT_EQ(svc->items()[0].initials, QStringLiteral("xhs"));
    EXPECT_EQ(svc->item(typed)->initials, QStringLiteral("cola"));
}

TEST_P(CatalogueTest, SpecialPricesSetMenusAndTheirCleanUp)
{
    add(QStringLiteral("白菜"));
    svc->setSpecialPrice(QStringLiteral("会员"), QStringLiteral("白菜"), Money::fromUnits(8000));
    svc->setSpecialPrice(QStringLiteral("会员"), QStringLiteral("白菜"), Money::fromUnits(7000));
    const Rows prices = svc->specialPrices(QStringLiteral("白菜"));
    ASSERT_EQ(prices.size(), 1u);
    EXPECT_EQ(prices[0].money(QStringLiteral("特价")).units(), 7000);
    svc->deleteSpecialPrice(prices[0].toLongLong(QStringLiteral("id")));
    EXPECT_TRUE(svc->specialPrices(QStringLiteral("白菜")).empty());

    const qlonglong set = add(QStringLiteral("午餐A"), QStringLiteral("套餐"));
    add(QStringLiteral("晚餐B"), QStringLiteral("套餐"));
    EXPECT_EQ(svc->setMenus(), (QStringList { QStringLiteral("午餐A"), QStringLiteral("晚餐B") }));
    svc->addComponent(QStringLiteral("午餐A"), QStringLiteral("米饭"), 1);
    svc->addComponent(QStringLiteral("午餐A"), QStringLiteral("白菜"), 0.5);
    svc->addComponent(QStringLiteral("晚餐B"), QStringLiteral("汤"), 1);
    svc->addSubstitute(QStringLiteral("午餐A"), QStringLiteral("白菜"), QStringLiteral("青菜"));
    EXPECT_EQ(svc->components(QStringLiteral("午餐A")).size(), 2u);
    EXPECT_EQ(svc->substitutes(QStringLiteral("午餐A"), QStringLiteral("白菜")).size(), 1u);

    // A set menu moved out of the set-menu category loses its components when the window closes.
    Item a = *svc->item(set);
    a.category = QStringLiteral("主食");
    svc->saveItem(a, false);
    svc->cleanUpSetMenus();
    EXPECT_TRUE(svc->components(QStringLiteral("午餐A")).empty());
    EXPECT_EQ(svc->components(QStringLiteral("晚餐B")).size(), 1u);
    EXPECT_EQ(svc->substitutes(QStringLiteral("午餐A"), QStringLiteral("白菜")).size(), 1u) << "substitutes stay";
}

TEST_P(CatalogueTest, ExportImportRoundTripKeepsEveryValue)
{
    for (int i = 0; i < 1000; ++i) {
        Item it;
        it.category = i % 3 ? QStringLiteral("蔬菜") : QStringLiteral("套餐");
        it.subcategory = QStringLiteral("叶菜%1").arg(i % 7);
        it.code = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        it.name = QStringLiteral("菜品%1号'\"").arg(i);
        it.price = Money::fromUnits(12345 + i * 10001);
        it.remark = i % 2 ? QStringLiteral("备注\n第二行") : QString();
        it.initials = QStringLiteral("cp%1").arg(i);
        it.sortNumber = i + 1;
        svc->saveItem(it, false);
    }
    const QString path = dir.filePath(QStringLiteral("菜单.xlsx"));
    QString error;
    ASSERT_TRUE(svc->exportItems(path, ids(), &error)) << error.toStdString();

    // The sheet: column names, then one text row per item.
    SheetData sheet;
    ASSERT_TRUE(readFirstSheet(path, &sheet, &error)) << error.toStdString();
    ASSERT_EQ(sheet.rows.size(), 1001u);
    EXPECT_EQ(sheet.rows[0].indexOf(QStringLiteral("名称")), 4);
    EXPECT_EQ(sheet.cell(1, 3), QStringLiteral("00000"));

    // The import takes the columns 食物总类,编号,名称,单价,备注,菜品小类,拼音: rearrange into that order.
    XlsxWriter w;
    const QString importPath = dir.filePath(QStringLiteral("导入.xlsx"));
    ASSERT_TRUE(w.open(importPath, QStringLiteral("Sheet1"), &error));
    w.addRow({ QStringLiteral("食物总类"), QStringLiteral("编号"), QStringLiteral("名称"), QStringLiteral("单价"),
               QStringLiteral("备注"), QStringLiteral("菜品小类"), QStringLiteral("拼音") });
    const QStringList head = sheet.rows[0];
    for (size_t r = 1; r < sheet.rows.size(); ++r) {
        QStringList cells;
        for (const char *c : { "食物总类", "编号", "名称", "单价", "备注", "菜品小类", "拼音" })
            cells.append(sheet.cell(r, head.indexOf(QString::fromUtf8(c))));
        w.addRow(cells);
    }
    ASSERT_TRUE(w.close(&error));

    const std::vector<Item> before = svc->items();
    t->db().exec(QStringLiteral("delete from 菜单表"));
    int lastProgress = 0;
    const ImportResult r = svc->importItems(importPath, [&lastProgress](int done, int) { lastProgress = done; });
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.imported, 1000);
    EXPECT_EQ(lastProgress, 1000);
    const std::vector<Item> after = svc->items();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].category, before[i].category);
        EXPECT_EQ(after[i].subcategory, before[i].subcategory);
        EXPECT_EQ(after[i].code, before[i].code);
        EXPECT_EQ(after[i].name, before[i].name);
        EXPECT_EQ(after[i].price, before[i].price) << i;
        EXPECT_EQ(after[i].remark, before[i].remark);
        EXPECT_EQ(after[i].initials, before[i].initials);
        EXPECT_EQ(after[i].sortNumber, static_cast<int>(i) + 1);
    }
}

TEST_P(CatalogueTest, ImportStopsAtTheFirstEmptyNameAndKeepsNothingOfABadFile)
{
    add(QStringLiteral("原有"));
    QString error;
    const QString path = dir.filePath(QStringLiteral("a.xlsx"));
    {
        XlsxWriter w;
        ASSERT_TRUE(w.open(path, QStringLiteral("Sheet1"), &error));
        w.addRow({ QStringLiteral("食物总类") });
        for (int i = 2; i <= 600; ++i) {
            const QString price = i == 500 ? QStringLiteral("十二元") : QStringLiteral("%1.5").arg(i);
            w.addRow({ QStringLiteral("蔬菜"), QString::number(i), QStringLiteral("菜%1").arg(i), price });
        }
        ASSERT_TRUE(w.close(&error));
    }
    const ImportResult bad = svc->importItems(path);
    EXPECT_EQ(bad.imported, 0);
    EXPECT_TRUE(bad.error.contains(QStringLiteral("第500行"))) << bad.error.toStdString();
    EXPECT_EQ(names(), QStringList { QStringLiteral("原有") });

    // Rows after an empty first column are not read; an empty second row imports nothing.
    const QString stop = dir.filePath(QStringLiteral("b.xlsx"));
    {
        XlsxWriter w;
        ASSERT_TRUE(w.open(stop, QStringLiteral("Sheet1"), &error));
        w.addRow({ QStringLiteral("head") });
        w.addRow({ QStringLiteral("蔬菜"), QString(), QStringLiteral("甲"), QString() });
        w.addRow({ QStringLiteral("  "), QString(), QStringLiteral("乙"), QStringLiteral("2") });
        w.addRow({ QStringLiteral("蔬菜"), QString(), QStringLiteral("丙"), QStringLiteral("3") });
        ASSERT_TRUE(w.close(&error));
    }
    const ImportResult ok = svc->importItems(stop);
    EXPECT_EQ(ok.imported, 1);
    EXPECT_EQ(names(), (QStringList { QStringLiteral("原有"), QStringLiteral("甲") }));
    EXPECT_TRUE(svc->items()[1].price.isZero());

    // Something that is not a workbook.
    const QString text = dir.filePath(QStringLiteral("c.xlsx"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a spreadsheet");
    f.close();
    EXPECT_EQ(svc->importItems(text).error, QStringLiteral("所选文件不是EXCEL文件！！"));
}

INSTANTIATE_TEST_SUITE_P(Backends, CatalogueTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
