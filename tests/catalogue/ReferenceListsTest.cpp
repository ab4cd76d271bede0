#include "catalogue/ReferenceLists.h"
#include "data/Schema.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace verdalo;
using verdalo::test::TestDatabase;

class ReferenceListsTest : public testing::TestWithParam<Backend>
{
protected:
    void SetUp() override
    {
        t = std::make_unique<TestDatabase>(GetParam());
        VERDALO_REQUIRE_BACKEND(*t);
        schema::create(t->db(), DbRole::Main);
        lists = std::make_unique<ReferenceLists>(t->db());
    }
    QStringList categoryNames()
    {
        QStringList out;
        for (const Row &r : lists->categories())
            out.append(r.text(QStringLiteral("种类")));
        return out;
    }
    std::vector<qlonglong> categoryNumbers()
    {
        std::vector<qlonglong> out;
        for (const Row &r : lists->categories())
            out.push_back(r.toLongLong(QStringLiteral("编号")));
        return out;
    }
    std::unique_ptr<TestDatabase> t;
    std::unique_ptr<ReferenceLists> lists;
};

TEST_P(ReferenceListsTest, CategoriesMoveByTheirSortNumbers)
{
    for (const char *c : { "蔬菜", "水果", "套餐" })
        lists->addCategory(QString::fromUtf8(c));
    // New categories have no sort number until the start-up repair gives them their own.
    t->db().exec(QStringLiteral("update 种类 set 排序编号=编号 where 排序编号 is null"));
    const auto numbers = categoryNumbers();
    EXPECT_EQ(lists->moveCategory(numbers.front(), numbers, true), QStringLiteral("已经是最上层了"));
    EXPECT_EQ(lists->moveCategory(numbers.back(), numbers, false), QStringLiteral("已经是最底层了"));
    EXPECT_TRUE(lists->moveCategory(numbers[2], numbers, true).isEmpty());
    EXPECT_EQ(categoryNames(), (QStringList { QStringLiteral("蔬菜"), QStringLiteral("套餐"), QStringLiteral("水果") }));
    // A category added now lists before the numbered ones.
    lists->addCategory(QStringLiteral("饮料"));
    EXPECT_EQ(categoryNames().first(), QStringLiteral("饮料"));
}

TEST_P(ReferenceListsTest, AreasStoresAndTypesRefuseInTheirOrder)
{
    EXPECT_EQ(lists->addArea(QString()), QStringLiteral("请输入添加的部门信息"));
    EXPECT_TRUE(lists->addArea(QStringLiteral("城东")).isEmpty());
    EXPECT_EQ(lists->addArea(QStringLiteral("城东")), QStringLiteral("已有重复记录！！"));
    EXPECT_TRUE(lists->addArea(QStringLiteral("城西")).isEmpty());

    EXPECT_EQ(lists->addStore(QString(), QString()), QStringLiteral("请输入添加的小区域信息"));
    EXPECT_EQ(lists->addStore(QString(), QStringLiteral("东门店")), QStringLiteral("请选择大区域信息"));
    EXPECT_TRUE(lists->addStore(QStringLiteral("城东"), QStringLiteral("东门店")).isEmpty());
    EXPECT_EQ(lists->addStore(QStringLiteral("城东"), QStringLiteral("东门店")), QStringLiteral("已有重复的小区域设置！！"));
    EXPECT_TRUE(lists->addStore(QStringLiteral("城西"), QStringLiteral("东门店")).isEmpty());
    EXPECT_EQ(lists->stores(false).size(), 2u);
    EXPECT_EQ(lists->branchNames(), QStringList { QStringLiteral("东门店") });

    EXPECT_EQ(lists->addCustomerType(QString(), QStringLiteral("9")), QStringLiteral("请输入添加的客户类型"));
    EXPECT_EQ(lists->addCustomerType(QStringLiteral("会员"), QStringLiteral("九折")), QStringLiteral("折扣率必须是数字！！"));
    EXPECT_TRUE(lists->addCustomerType(QStringLiteral("会员"), QStringLiteral("9")).isEmpty());
    EXPECT_EQ(lists->addCustomerType(QStringLiteral("会员"), QStringLiteral("8")), QStringLiteral("已有重复的客户类型！！"));
    EXPECT_TRUE(lists->addCustomerType(QStringLiteral("普通"), QString()).isEmpty());
    const Rows types = lists->customerTypes();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_DOUBLE_EQ(types[0].toDouble(QStringLiteral("折扣率")) + types[1].toDouble(QStringLiteral("折扣率")), 19.0);
}

TEST_P(ReferenceListsTest, WorkersTastesAndSubcategories)
{
    const qlonglong id = lists->saveWorker(0, QStringLiteral("张三"), QStringLiteral("139"), QStringLiteral("电动车"),
                                           QStringLiteral("东门店"));
    lists->saveWorker(id, QStringLiteral("张三"), QStringLiteral("138"), QStringLiteral("电动车"), QStringLiteral("东门店"));
    ASSERT_EQ(lists->workers().size(), 1u);
    EXPECT_EQ(lists->workers()[0].text(QStringLiteral("电话")), QStringLiteral("138"));
    lists->deleteWorker(id);
    EXPECT_TRUE(lists->workers().empty());

    const qlonglong taste = lists->addTaste(QStringLiteral("少辣"));
    lists->updateTaste(taste, QStringLiteral("不要辣"));
    EXPECT_EQ(lists->tastes()[0].text(QStringLiteral("口味")), QStringLiteral("不要辣"));
    const qlonglong sub = lists->addSubcategory(QStringLiteral("蔬菜"), QStringLiteral("叶菜"));
    lists->updateSubcategory(sub, QStringLiteral("蔬菜"), QStringLiteral("根茎"));
    EXPECT_EQ(lists->subcategories()[0].text(QStringLiteral("小类名称")), QStringLiteral("根茎"));
}

INSTANTIATE_TEST_SUITE_P(Backends, ReferenceListsTest, testing::ValuesIn(verdalo::test::allBackends()),
                         verdalo::test::backendName);
