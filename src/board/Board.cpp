#include "board/Board.h"

#include "app/ShellService.h"

#include "core/BusinessDate.h"
#include "printing/ListReport.h"
#include "spreadsheet/Spreadsheet.h"
#include "widgets/DataGrid.h"
#include "widgets/Desktop.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QValueAxis>
#include <QVBoxLayout>

namespace verdalo {
namespace {

const QColor kOpen(0xA6, 0xCA, 0xF0);
const QColor kPaid(0xC0, 0xDC, 0xC0);
const QColor kDispatched(0xFF, 0x95, 0x95);
const QColor kDone(0xFF, 0xFF, 0xAA);

std::vector<QVariantList> valuesOf(const Rows &rows, QStringList *keys)
{
    std::vector<QVariantList> out;
    if (rows.empty())
        return out;
    *keys = rows.front().columns();
    for (const Row &r : rows) {
        QVariantList v;
        for (qsizetype i = 0; i < r.size(); ++i)
            v.append(r.value(i));
        out.push_back(v);
    }
    return out;
}

bool truthy(const QVariant &v)
{
    if (v.typeId() == QMetaType::QString)
        return v.toString() == QLatin1String("1") || v.toString() == QLatin1String("true");
    return v.toBool();
}

QString cellText(const QVariant &v, const QString &key)
{
    if (key == QStringLiteral("交款完毕") || key == QStringLiteral("发货完毕"))
        return truthy(v) ? QStringLiteral("是") : QStringLiteral("否");
    if (v.typeId() == QMetaType::Double)
        return shortDecimal(v.toDouble());
    return v.toString();
}

QGroupBox *group(const char *title, QWidget *parent)
{
    return new QGroupBox(QString::fromUtf8(title), parent);
}

} // namespace

Board::Board(AppContext &ctx, QWidget *parent)
    : QWidget(parent)
    , m_ctx(ctx)
{
    // Filter panel.
    auto *panel = new QWidget(this);
    panel->setFixedWidth(190);
    auto *pl = new QVBoxLayout(panel);
    pl->setContentsMargins(0, 0, 0, 0);
    auto *area = group("区域信息", panel);
    rb1 = new QRadioButton(QStringLiteral("所有区域"), area);
    rb2 = new QRadioButton(QStringLiteral("指定门店"), area);
    ComboBox1 = new QComboBox(area);
    auto *al = new QVBoxLayout(area);
    al->addWidget(rb1);
    al->addWidget(rb2);
    al->addWidget(ComboBox1);
    rb1->setChecked(true);
    auto *state = group("物流状态", panel);
    rb3 = new QRadioButton(QStringLiteral("全部"), state);
    rb4 = new QRadioButton(QStringLiteral("未发货并且未交款"), state);
    rb6 = new QRadioButton(QStringLiteral("已发货未收款"), state);
    rb7 = new QRadioButton(QStringLiteral("已发货已收款"), state);
    rb5 = new QRadioButton(QStringLiteral("未发货已收款"), state);
    auto *sl = new QVBoxLayout(state);
    for (QRadioButton *b : { rb3, rb4, rb6, rb7, rb5 })
        sl->addWidget(b);
    rb3->setChecked(true);
    auto *time = group("时间设置", panel);
    rb8 = new QRadioButton(QStringLiteral("今日业务"), time);
    rb9 = new QRadioButton(QStringLiteral("任意时间段业务从"), time);
    dp1 = new QDateEdit(time);
    dp2 = new QDateEdit(time);
    for (QDateEdit *d : { dp1, dp2 }) {
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        d->setEnabled(false);
    }
    auto *tl = new QVBoxLayout(time);
    tl->addWidget(rb8);
    tl->addWidget(rb9);
    tl->addWidget(dp1);
    tl->addWidget(new QLabel(QStringLiteral("到"), time));
    tl->addWidget(dp2);
    rb8->setChecked(true);
    auto *groupArea = new QButtonGroup(this);
    groupArea->addButton(rb1);
    groupArea->addButton(rb2);
    auto *groupState = new QButtonGroup(this);
    for (QRadioButton *b : { rb3, rb4, rb5, rb6, rb7 })
        groupState->addButton(b);
    auto *groupTime = new QButtonGroup(this);
    groupTime->addButton(rb8);
    groupTime->addButton(rb9);
    auto *queryButton = new QPushButton(QStringLiteral("查询"), panel);
    queryButton->setObjectName(QStringLiteral("Button1"));
    colours = new QCheckBox(QStringLiteral("需要颜色显示"), panel);
    ComboBox2 = new QComboBox(panel);
    ComboBox2->addItems({ QStringLiteral("按菜品"), QStringLiteral("按订单") });
    auto *exportButton = new QPushButton(QStringLiteral("导出到EXCEL"), panel);
    auto *printButton = new QPushButton(QStringLiteral("成批打印"), panel);
    pl->addWidget(area);
    pl->addWidget(state);
    pl->addWidget(time);
    pl->addWidget(queryButton);
    pl->addWidget(colours);
    pl->addWidget(ComboBox2);
    pl->addWidget(exportButton);
    pl->addWidget(printButton);
    pl->addStretch();

    // Pages.
    PageControl1 = new QTabWidget(this);
    auto *byOrder = new QSplitter(Qt::Horizontal);
    auto *all = group("全部订单", byOrder);
    DBGridEh3 = new DataGrid(all);
    DBGridEh3->setMultiSelection(true);
    DBGridEh3->view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    using C = GridColumn;
    DBGridEh3->setColumns({
        C(QStringLiteral("单据编号"), QStringLiteral("单据编号")).text(QStringLiteral("总订单数：")).wide(110),
        C(QStringLiteral("时间"), QStringLiteral("订货时间")).count().wide(70),
        C(QStringLiteral("客户姓名"), QStringLiteral("客户姓名")).wide(80),
        C(QStringLiteral("手工编码"), QStringLiteral("会员卡号")).wide(70),
        C(QStringLiteral("电话"), QStringLiteral("电话")).wide(100),
        C(QStringLiteral("区域"), QStringLiteral("区域")).wide(60),
        C(QStringLiteral("小区域"), QStringLiteral("所属门店")).wide(70),
        C(QStringLiteral("地址"), QStringLiteral("地址")).wide(160),
        C(QStringLiteral("配送工"), QStringLiteral("配送工")).wide(60),
        C(QStringLiteral("应付货款"), QStringLiteral("应付货款")).sum().fixed(2).wide(80),
        C(QStringLiteral("送餐时间"), QStringLiteral("送货时间")).wide(70),
        C(QStringLiteral("发货备注"), QStringLiteral("发货备注")).wide(100),
        C(QStringLiteral("提成"), QStringLiteral("提成")).sum().fixed(2).wide(60),
    });
    (new QVBoxLayout(all))->addWidget(DBGridEh3);
    auto *lines = group("订单详细内容", byOrder);
    DBGridEh1 = new DataGrid(lines);
    DBGridEh1->view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh1->setColumns({
        C(QStringLiteral("产品名称"), QStringLiteral("产品名称")).text(QStringLiteral("应收合计：")).wide(110),
        C(QStringLiteral("数量"), QStringLiteral("数量")).wide(50),
        C(QStringLiteral("单价"), QStringLiteral("单价")).fixed(2).wide(60),
        C(QStringLiteral("应付货款"), QStringLiteral("应付货款")).sum().fixed(2).wide(70),
    });
    (new QVBoxLayout(lines))->addWidget(DBGridEh1);
    byOrder->addWidget(all);
    byOrder->addWidget(lines);
    lines->setMinimumWidth(330);
    byOrder->setStretchFactor(0, 3);
    byOrder->setStretchFactor(1, 1);
    PageControl1->addTab(byOrder, QStringLiteral("按订单显示"));

    DBGridEh2 = new DataGrid;
    DBGridEh2->view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEh2->setColumns({
        C(QStringLiteral("单据编号"), QStringLiteral("单据编号")).wide(110),
        C(QStringLiteral("时间"), QStringLiteral("订货时间")).wide(70),
        C(QStringLiteral("客户编号"), QStringLiteral("客户编号")).wide(60),
        C(QStringLiteral("手工编码"), QStringLiteral("会员卡号")).wide(70),
        C(QStringLiteral("客户姓名"), QStringLiteral("客户姓名")).wide(80),
        C(QStringLiteral("产品名称"), QStringLiteral("产品名称")).wide(100),
        C(QStringLiteral("数量"), QStringLiteral("数量")).wide(50),
        C(QStringLiteral("单价"), QStringLiteral("单价")).fixed(2).wide(60),
        C(QStringLiteral("应付货款"), QStringLiteral("应付货款")).sum().fixed(2).wide(80),
        C(QStringLiteral("送餐日期"), QStringLiteral("送货日期")).wide(90),
        C(QStringLiteral("送餐时间"), QStringLiteral("送货时间")).wide(70),
        C(QStringLiteral("配送工"), QStringLiteral("配送工")).wide(60),
        C(QStringLiteral("区域"), QStringLiteral("区域")).wide(60),
        C(QStringLiteral("地址"), QStringLiteral("地址")).wide(160),
        C(QStringLiteral("电话"), QStringLiteral("电话")).wide(100),
        C(QStringLiteral("发货备注"), QStringLiteral("发货备注")).wide(100),
    });
    PageControl1->addTab(DBGridEh2, QStringLiteral("按菜品显示"));
    m_chart = new QWidget;
    new QVBoxLayout(m_chart);
    PageControl1->addTab(m_chart, QStringLiteral("今日销售树状图"));

    // Legend.
    auto *legend = new QHBoxLayout;
    const std::pair<const char *, QColor> entries[] = { { "未发货并且未交款：", kOpen },
                                                        { "未发货，已收款：", kPaid },
                                                        { "已发货未交款：", kDispatched },
                                                        { "已交款已发货：", kDone } };
    for (const auto &[text, colour] : entries) {
        legend->addWidget(new QLabel(QString::fromUtf8(text), this));
        auto *swatch = new QLabel(this);
        swatch->setFixedSize(40, 14);
        swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid #888;").arg(colour.name()));
        legend->addWidget(swatch);
        legend->addSpacing(12);
    }
    legend->addStretch();

    // Today's counters.
    auto *countersBox = new QGroupBox(QStringLiteral("今日统计"), this);
    counters = countersBox;
    auto *cl = new QHBoxLayout(countersBox);
    const char *titles[] = { "今日订单：", "今日送单：", "今日收款：", "未送订单：", "今日签单：" };
    for (int i = 0; i < 5; ++i) {
        cl->addWidget(new QLabel(QString::fromUtf8(titles[i]), counters));
        counterLabels[i] = new QLabel(counters);
        counterLabels[i]->setMinimumWidth(60);
        counterLabels[i]->setStyleSheet(QStringLiteral("color:#1f5f99; font-weight:bold;"));
        cl->addWidget(counterLabels[i]);
    }
    auto *manual = new QPushButton(QStringLiteral("手工刷新"), counters);
    manual->setObjectName(QStringLiteral("Button10"));
    cl->addWidget(manual);

    auto *centre = new QVBoxLayout;
    centre->addWidget(PageControl1, 1);
    centre->addLayout(legend);
    centre->addWidget(countersBox);
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(panel);
    l->addLayout(centre, 1);

    DBGridEh3->model()->rowColor = [this](int row) {
        if (!colours->isChecked())
            return QColor();
        const bool paid = truthy(DBGridEh3->value(row, QStringLiteral("交款完毕")));
        const bool sent = truthy(DBGridEh3->value(row, QStringLiteral("发货完毕")));
        return sent ? (paid ? kDone : kDispatched) : (paid ? kPaid : kOpen);
    };
    DBGridEh3->view()->setStyleSheet(QStringLiteral("QTableView { selection-color: black; }"));

    connect(rb8, &QRadioButton::toggled, this, [this](bool today) {
        dp1->setEnabled(!today);
        dp2->setEnabled(!today);
    });
    connect(queryButton, &QPushButton::clicked, this, &Board::Button1Click);
    connect(manual, &QPushButton::clicked, this, &Board::Button10Click);
    connect(colours, &QCheckBox::clicked, this, &Board::colourToggled);
    connect(exportButton, &QPushButton::clicked, this, &Board::exportToSpreadsheet);
    connect(printButton, &QPushButton::clicked, this, &Board::batchPrint);
    connect(DBGridEh3, &DataGrid::currentRowChanged, this, &Board::loadLines);
    connect(DBGridEh3->view(), &QTableView::pressed, this, [this](const QModelIndex &) {
        const int row = DBGridEh3->currentRow();
        if (row >= 0)
            m_remembered = DBGridEh3->value(row, QStringLiteral("单据编号")).toString();
    });
    connect(DBGridEh3->view(), &QTableView::doubleClicked, this, [this] { doubleClicked(DBGridEh3->currentRow()); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 2)
            drawChart();
    });
}

QDate Board::businessDay() const
{
    return businessDate(m_ctx.clock->now(), m_ctx.session.settings.value(QStringLiteral("营业延长时间")));
}

void Board::prepare(const QStringList &branches)
{
    const QDate today = m_ctx.clock->now().date();
    dp1->setDate(today);
    dp2->setDate(today);
    setBranchList(branches);
    try {
        colours->setChecked(ShellService(m_ctx.main(), m_ctx.local()).wantsColours());
    } catch (const DbError &) {
    }
}

void Board::setBranchList(const QStringList &branches)
{
    ComboBox1->clear();
    ComboBox1->addItems(branches);
    ComboBox1->setCurrentIndex(-1);
}

void Board::fixToBranch(const QString &branch)
{
    rb2->setChecked(true);
    ComboBox1->setCurrentText(branch);
    const int i = ComboBox1->findText(branch);
    if (i >= 0)
        ComboBox1->setCurrentIndex(i);
    for (QWidget *w : std::initializer_list<QWidget *> { rb1, rb2, ComboBox1 })
        w->setEnabled(false);
}

void Board::setCustomerInfoVisible(bool visible, bool fromOperatorWindow)
{
    for (const char *key : { "客户姓名", "手工编码", "电话", "地址" })
        DBGridEh3->setColumnHidden(QString::fromUtf8(key), !visible);
    if (!visible) {
        for (const char *key : { "客户姓名", "地址", "电话" })
            DBGridEh2->setColumnHidden(QString::fromUtf8(key), true);
    } else if (fromOperatorWindow) {
        // The operator window brings back the name only; address and phone stay as they were.
        DBGridEh2->setColumnHidden(QStringLiteral("客户姓名"), false);
    }
}

OrderStatus Board::status() const
{
    if (rb4->isChecked())
        return OrderStatus::Open;
    if (rb5->isChecked())
        return OrderStatus::PaidNotDispatched;
    if (rb6->isChecked())
        return OrderStatus::DispatchedNotPaid;
    if (rb7->isChecked())
        return OrderStatus::Done;
    return OrderStatus::All;
}

BoardFilter Board::filter() const
{
    BoardFilter f;
    f.today = rb8->isChecked();
    f.from = dp1->date();
    f.to = dp2->date();
    f.oneBranch = rb2->isChecked();
    f.branch = ComboBox1->currentText();
    f.status = status();
    return f;
}

bool Board::checkConnection()
{
    if (m_ctx.main().isAlive())
        return true;
    if (!MessageBox::confirm(this, QStringLiteral("连接已经断开，要重新连接吗吗？")))
        return false;
    QString error;
    if (!m_ctx.main().reconnect(&error)) {
        MessageBox::information(this, error.isEmpty() ? QStringLiteral("重新连接失败") : error);
        return false;
    }
    return true;
}

void Board::showOrders(const Rows &rows)
{
    QStringList keys;
    auto values = valuesOf(rows, &keys);
    m_opened = false;
    DBGridEh3->setRows(keys, std::move(values));
    m_opened = true;
}

void Board::showItems(const Rows &rows)
{
    QStringList keys;
    auto values = valuesOf(rows, &keys);
    DBGridEh2->setRows(keys, std::move(values));
}

bool Board::shuaxinmain()
{
    if (!checkConnection())
        return false;
    try {
        BoardService svc(m_ctx.main());
        const QDate day = businessDay();
        BoardFilter f = filter();
        f.today = true;
        showOrders(svc.orderList(f, day, m_ctx.session.settings.commissionMode, false));
        if (!m_remembered.isEmpty())
            DBGridEh3->selectWhere(QStringLiteral("单据编号"), m_remembered);
        showItems(svc.itemList(f, day, false));
        m_lastFilter = f;
        m_lastWithFilters = false;
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return false;
    }
    return true;
}

void Board::Button1Click()
{
    if (!checkConnection())
        return;
    try {
        BoardService svc(m_ctx.main());
        const QDate day = businessDay();
        const BoardFilter f = filter();
        showOrders(svc.orderList(f, day, m_ctx.session.settings.commissionMode, true));
        showItems(svc.itemList(f, day, true));
        m_lastFilter = f;
        m_lastWithFilters = true;
        DBGridEh1->setRows({}, {});
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Board::Button10Click()
{
    try {
        const QString branch = rb2->isChecked() ? ComboBox1->currentText() : QString();
        const TodayCounters c = BoardService(m_ctx.main()).counters(businessDay(), branch);
        counterLabels[0]->setText(BoardService::countersText(c.orders, "份"));
        counterLabels[1]->setText(BoardService::countersText(c.dispatched, "份"));
        counterLabels[2]->setText(QString::number(c.collected) + QStringLiteral("  元"));
        counterLabels[3]->setText(BoardService::countersText(c.notDispatched, "份"));
        counterLabels[4]->setText(BoardService::countersText(c.credit, "张"));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Board::timerTick()
{
    const Session &s = m_ctx.session;
    if (s.isHeadOffice()) {
        shuaxinmain();
        return;
    }
    try {
        if (BoardService(m_ctx.main()).consumeBranchSignal(s.branch))
            shuaxinmain();
    } catch (const DbError &) {
        // The next tick tries again; the refresh itself offers the reconnect.
    }
}

void Board::loadLines(int row)
{
    if (!m_opened)
        return;
    std::vector<QVariantList> values;
    QStringList keys;
    bool recording = false;
    if (row >= 0) {
        const QString number = DBGridEh3->value(row, QStringLiteral("单据编号")).toString();
        recording = !DBGridEh3->value(row, QStringLiteral("录音文件")).toString().isEmpty();
        try {
            values = valuesOf(BoardService(m_ctx.main()).orderLines(number), &keys);
        } catch (const DbError &e) {
            MessageBox::information(this, e.message());
        }
    }
    DBGridEh1->setRows(keys, std::move(values));
    emit recordingAvailable(recording);
}

void Board::doubleClicked(int row)
{
    if (DBGridEh3->rowCount() == 0 || row < 0) {
        MessageBox::information(this, QStringLiteral("请选择一个订单"));
        return;
    }
    const bool paid = truthy(DBGridEh3->value(row, QStringLiteral("交款完毕")));
    const bool sent = truthy(DBGridEh3->value(row, QStringLiteral("发货完毕")));
    if (paid || sent) {
        MessageBox::information(this, QStringLiteral("该定单已经发货完毕，无法修改该定单内容，如果想修改内容，请另外开单！！"));
        return;
    }
    MessageBox::information(this, QStringLiteral("订单修改窗口尚未开放！！"));
}

void Board::colourToggled(bool on)
{
    try {
        ShellService(m_ctx.main(), m_ctx.local()).setColours(on);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    Button1Click();
}

void Board::drawChart()
{
    Rows rows;
    try {
        rows = BoardService(m_ctx.main()).salesChart(m_ctx.clock->now().date());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    auto *set = new QBarSet(QStringLiteral("数量"));
    set->setColor(Qt::red);
    QStringList names;
    double top = 0;
    for (const Row &r : rows) {
        names.append(r.text(QStringLiteral("产品名称")));
        const double q = r.toDouble(QStringLiteral("数量"));
        *set << q;
        top = std::max(top, q);
    }
    auto *series = new QBarSeries;
    series->append(set);
    auto *chart = new QChart;
    chart->setTitle(QStringLiteral("销售柱状图"));
    chart->addSeries(series);
    chart->legend()->hide();
    auto *x = new QBarCategoryAxis;
    x->append(names);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    y->setRange(0, top > 0 ? top * 1.1 : 1);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
    QLayout *l = m_chart->layout();
    while (QLayoutItem *item = l->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    auto *view = new QChartView(chart, m_chart);
    view->setRenderHint(QPainter::Antialiasing);
    l->addWidget(view);
}

void Board::exportToSpreadsheet()
{
    const bool byOrder = ComboBox2->currentText() == QStringLiteral("按订单");
    DataGrid *grid = byOrder ? DBGridEh3 : DBGridEh2;
    const QString path = FileDialog::getSaveFileName(
        this, QStringLiteral("导出到EXCEL"),
        QDir::home().filePath(byOrder ? QStringLiteral("订单统计.xlsx") : QStringLiteral("菜品统计.xlsx")),
        QStringLiteral("EXCEL文件 (*.xlsx)"));
    if (path.isEmpty())
        return;
    // Every column of the list; the board's titles where it has them. The item list leaves out the last column.
    GridModel full;
    if (!byOrder) {
        try {
            QStringList keys;
            auto values = valuesOf(BoardService(m_ctx.main()).itemList(m_lastFilter, businessDay(), m_lastWithFilters, true), &keys);
            full.setColumns(DBGridEh2->model()->columns());
            full.setRows(keys, std::move(values));
        } catch (const DbError &e) {
            MessageBox::information(this, e.message());
            return;
        }
    }
    const GridModel *model = byOrder ? grid->model() : &full;
    QString error;
    XlsxWriter out;
    if (!out.open(path, byOrder ? QStringLiteral("订单统计") : QStringLiteral("菜品统计"), &error)) {
        MessageBox::information(this, QStringLiteral("导出失败！！"), error);
        return;
    }
    QStringList names = model->keys();
    if (!byOrder && !names.isEmpty())
        names.removeLast();
    QStringList header;
    for (const QString &k : names) {
        QString title = k;
        for (const GridColumn &c : model->columns()) {
            if (c.key == k)
                title = c.title;
        }
        header.append(title);
    }
    out.addRow(header);
    const std::vector<int> order = byOrder ? grid->visibleOrder() : [&full] {
        std::vector<int> all(static_cast<size_t>(full.rowCountAll()));
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = static_cast<int>(i);
        return all;
    }();
    for (const int row : order) {
        QStringList cells;
        for (const QString &k : names)
            cells.append(cellText(model->value(row, k), k));
        out.addRow(cells);
    }
    if (!out.close(&error)) {
        MessageBox::information(this, QStringLiteral("导出失败！！"), error);
        return;
    }
    Desktop::open(path);
}

void Board::batchPrint()
{
    const int page = PageControl1->currentIndex();
    if (page == 2)
        return;
    ListReport report;
    report.caption = rb8->isChecked()
        ? QStringLiteral("查询时间：") + dateText(m_ctx.clock->now().date())
        : QStringLiteral("查询时间从：") + dateText(dp1->date()) + QStringLiteral("到") + dateText(dp2->date());
    DataGrid *grid = page == 0 ? DBGridEh3 : DBGridEh2;
    QStringList keys;
    if (page == 0) {
        report.title = QStringLiteral("订单配送信息");
        report.columns = { QStringLiteral("单据编号"), QStringLiteral("客户姓名"), QStringLiteral("客户电话"), QStringLiteral("所属门店"),
                           QStringLiteral("应收款"), QStringLiteral("会员卡号") };
        report.widths = { 3, 2, 3, 2, 2, 2 };
        keys = { QStringLiteral("单据编号"), QStringLiteral("客户姓名"), QStringLiteral("电话"), QStringLiteral("小区域"),
                 QStringLiteral("应付货款"), QStringLiteral("手工编码") };
    } else {
        report.title = QStringLiteral("菜品配送信息");
        report.columns = { QStringLiteral("单据编号"), QStringLiteral("客户姓名"), QStringLiteral("客户电话"), QStringLiteral("订货数量"),
                           QStringLiteral("应收款"), QStringLiteral("送餐地址"), QStringLiteral("菜品名称") };
        report.widths = { 3, 2, 3, 1, 2, 4, 2 };
        keys = { QStringLiteral("单据编号"), QStringLiteral("客户姓名"), QStringLiteral("电话"), QStringLiteral("数量"),
                 QStringLiteral("应付货款"), QStringLiteral("地址"), QStringLiteral("产品名称") };
    }
    for (const int row : grid->visibleOrder()) {
        QStringList cells;
        for (const QString &k : keys)
            cells.append(cellText(grid->value(row, k), k));
        report.rows.push_back(cells);
    }
    report.preview(this);
}

} // namespace verdalo
