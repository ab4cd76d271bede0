#include "printing/ReceiptOrder.h"
#include "printing/ReceiptTemplate.h"

#include <gtest/gtest.h>

using namespace verdalo;

namespace {
QStringList describe(const std::vector<PrintJob> &jobs)
{
    QStringList out;
    for (const PrintJob &j : jobs)
        out.append(layoutName(j.layout) + QLatin1Char('@') + (j.printer.isEmpty() ? QStringLiteral("默认") : j.printer));
    return out;
}
PrintOptions options(const char *style, const char *kitchen = "", const char *after = "打印预览")
{
    PrintOptions o;
    o.style = QString::fromUtf8(style);
    o.kitchenPrinter = QString::fromUtf8(kitchen);
    o.afterSave = QString::fromUtf8(after);
    o.customStyle = QStringLiteral("样式一");
    return o;
}
} // namespace

TEST(PrintPlan, PassSequences)
{
    const auto none = [](const QString &) { return 0; };
    EXPECT_EQ(describe(planPrint(options("普通样式"), 3, none)), QStringList { QStringLiteral("普通小票@默认") });
    EXPECT_EQ(describe(planPrint(options("普通样式", "厨房"), 3, none)),
              (QStringList { QStringLiteral("普通小票@默认"), QStringLiteral("后厨小票@厨房") }));
    EXPECT_EQ(describe(planPrint(options("反馈三联单"), 3, none)),
              (QStringList { QStringLiteral("三联单第三联@默认"), QStringLiteral("三联单第一联@默认"), QStringLiteral("三联单第二联@默认") }));
    EXPECT_EQ(describe(planPrint(options("反馈三联单", "厨房"), 3, none)),
              (QStringList { QStringLiteral("三联单第一联@默认"), QStringLiteral("三联单第二联@默认"), QStringLiteral("三联单第三联@厨房") }));
    EXPECT_TRUE(planPrint(options("普通样式", "", "不打印"), 3, none).empty());
    // Page heights by line count.
    const auto ordinary = planPrint(options("普通样式", "厨房", "直接打印"), 5, none);
    EXPECT_EQ(ordinary[0].pageHeight, 24 * 5 + 389);
    EXPECT_EQ(ordinary[1].pageHeight, 32 * 5 + 118);
    EXPECT_FALSE(ordinary[0].preview);
    // The reprint previews the receipt whatever the setting says, and has its own height.
    PrintOptions reprint = options("普通样式", "", "直接打印");
    reprint.reprint = true;
    const auto again = planPrint(reprint, 2, none);
    EXPECT_TRUE(again[0].preview);
    EXPECT_EQ(again[0].pageHeight, 24 * 2 + 391);
}

TEST(PrintPlan, CustomTemplatesAndTickets)
{
    PrintOptions o = options("自定义报表", "", "不打印");
    o.customStyle = QStringLiteral("样式三");
    o.ticketB = true;
    o.printerB = QStringLiteral("打包台");
    o.ticketC = true;
    o.manualForm = true;
    o.copies = 2;
    QString asked;
    const auto jobs = planPrint(o, 5, [&asked](const QString &file) {
        asked = file;
        return 300;
    });
    EXPECT_EQ(asked, QStringLiteral("自定义报表3.frf"));
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].layout, Layout::Custom);
    EXPECT_FALSE(jobs[0].preview) << "templates print at once even with 不打印";
    EXPECT_EQ(jobs[0].copies, 2);
    EXPECT_EQ(jobs[0].pageHeight, 300 + 246);
    EXPECT_EQ(jobs[1].pageHeight, 300 + 246 + 246) << "B is 61.6 units a line longer than the custom page";
    EXPECT_EQ(jobs[1].printer, QStringLiteral("打包台"));
    EXPECT_EQ(jobs[2].templateFile, QStringLiteral("C小票.frf"));
    // The call form keeps the designed length; a missing template prints nothing.
    o.manualForm = false;
    EXPECT_EQ(planPrint(o, 5, [](const QString &) { return 300; })[0].pageHeight, 300);
    EXPECT_TRUE(planPrint(o, 5, [](const QString &) { return 0; }).empty());
    EXPECT_EQ(customTemplateFile(QStringLiteral("样式一")), QStringLiteral("自定义报表.frf"));
    EXPECT_TRUE(customTemplateFile(QStringLiteral("样式七")).isEmpty());
}

TEST(ReceiptTemplate, ParsesBandsAndFillsVariables)
{
    QStringList errors;
    const ReceiptTemplate t = ReceiptTemplate::parse(QStringLiteral("# 注释\npage 182 280\nband title 40\n"
                                                                    "text 0 0 182 20 bold size=14 align=center [公司名称] 欢迎\n"
                                                                    "line 0 22 182 22\nband line 18\ntext 0 0 100 18 [产品名称]×[数量]\n"
                                                                    "nonsense here\n"),
                                                     &errors);
    EXPECT_EQ(t.height, 280);
    ASSERT_EQ(t.bands.size(), 2u);
    EXPECT_EQ(t.bands[0].items.size(), 2u);
    const TemplateItem &title = t.bands[0].items[0];
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.size, 14);
    EXPECT_EQ(title.align, 1);
    EXPECT_EQ(title.text, QStringLiteral("[公司名称] 欢迎"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(t.variables(), (QStringList { QStringLiteral("公司名称"), QStringLiteral("产品名称"), QStringLiteral("数量") }));

    ReceiptOrder o;
    o.shop.title = QStringLiteral("鲜到家");
    o.area = QStringLiteral("城东");
    o.store = QStringLiteral("东门店");
    o.address = QStringLiteral("人民路1号");
    o.payment = QStringLiteral("现金");
    o.lines = { { QStringLiteral("白菜"), {}, 2, {}, {} }, { QStringLiteral("萝卜"), {}, 1.5, {}, {} } };
    const auto resolve = [&o](bool ticket) { return [&o, ticket](const QString &n) { return o.variable(n, ticket); }; };
    EXPECT_EQ(fillVariables(QStringLiteral("[公司名称]：[地址] [合计份数]份 [支付方式]"), resolve(false)),
              QStringLiteral("鲜到家：城东东门店人民路1号 3.5份 现金"));
    o.reprint = true;
    EXPECT_EQ(fillVariables(QStringLiteral("[地址]|[支付方式]|[餐台号]|[未知]"), resolve(true)), QStringLiteral("人民路1号|||"));
}
