#include "app/Tmain.h"

#include "admin/OperatorService.h"
#include "admin/Tcaozuoyuan_list.h"
#include "admin/Txiugai_mima.h"
#include "app/ShellService.h"
#include "board/Board.h"
#include "orders/Txiaoshou.h"
#include "widgets/DataGrid.h"
#include "widgets/Desktop.h"
#include "catalogue/ListWindows.h"
#include "catalogue/Tcaidan_guanli.h"
#include "app/Tgongneng_tishi.h"
#include "printing/CashDrawer.h"
#include "printing/ReceiptPrinter.h"
#include "settings/TFdianming_shezhi.h"
#include "settings/TFshuaxin_shezhi.h"
#include "settings/WorkstationSettings.h"
#include "widgets/MessageBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace verdalo {

using R = Right;

Tmain::Tmain(AppContext &ctx, QWidget *loginWindow)
    : QMainWindow(nullptr)
    , m_ctx(ctx)
    , m_login(loginWindow)
{
    setObjectName(QStringLiteral("Tmain"));
    buildMenus();
    buildToolbar();
    buildCentre();

    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(this);
        panel->setFixedWidth(200);
        statusBar()->addWidget(panel);
        m_status.push_back(panel);
    }
    m_status[1]->setText(QStringLiteral("打开钱箱：空格"));
    m_refresh = new QTimer(this);
    connect(m_refresh, &QTimer::timeout, m_board, &Board::timerTick);
    resize(1280, 800);
    // The window sees every key before its controls (the space bar opens the drawer).
    qApp->installEventFilter(this);
}

Tmain::~Tmain()
{
    qApp->removeEventFilter(this);
}

QAction *Tmain::addEntry(QMenu *menu, const QString &caption, void (Tmain::*slot)(), std::optional<Right> right)
{
    QAction *a = menu->addAction(caption);
    connect(a, &QAction::triggered, this, slot);
    m_menuActions.insert(caption, a);
    if (right)
        m_governed.push_back({ a, *right });
    return a;
}

QAction *Tmain::addTool(const QString &caption, int icon, void (Tmain::*slot)(), std::optional<Right> right)
{
    auto *a = new QAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), caption, this);
    connect(a, &QAction::triggered, this, slot);
    m_toolActions.insert(caption, a);
    if (right)
        m_governed.push_back({ a, *right });
    return a;
}

void Tmain::buildMenus()
{
    auto menuOf = [this](const QString &title) {
        QMenu *m = menuBar()->addMenu(title);
        m_menus.insert(title, m);
        return m;
    };
    const auto na = &Tmain::notAvailable;

    QMenu *base = menuOf(QStringLiteral("基础数据"));
    addEntry(base, QStringLiteral("菜品种类设置"), &Tmain::openCategories, R::ItemCategories);
    addEntry(base, QStringLiteral("菜品管理"), &Tmain::openCatalogue, R::ItemManagement);
    addEntry(base, QStringLiteral("客户管理"), na, R::CustomerManagement);
    addEntry(base, QStringLiteral("配送员管理"), &Tmain::openWorkers, R::StaffManagement);
    addEntry(base, QStringLiteral("客户类型设置"), &Tmain::openCustomerTypes, R::CustomerTypes);
    addEntry(base, QStringLiteral("客户区域管理"), &Tmain::openAreas, R::CustomerAreas);
    addEntry(base, QStringLiteral("特殊要求设置"), &Tmain::openRequests, R::SpecialRequests);

    QMenu *business = menuOf(QStringLiteral("业务管理"));
    addEntry(business, QStringLiteral("销售开单"), &Tmain::openSalesForm, R::TakeOrders);
    business->addSeparator();
    addEntry(business, QStringLiteral("发货"), na, R::Dispatch);
    addEntry(business, QStringLiteral("收款"), na, R::Collect);
    addEntry(business, QStringLiteral("签单"), na, R::SignForCredit);
    addEntry(business, QStringLiteral("退货"), na, R::ReturnGoods);
    addEntry(business, QStringLiteral("退款"), na, R::Refund);
    addEntry(business, QStringLiteral("删除订单"), na, R::DeleteOrder);

    QMenu *stock = menuOf(QStringLiteral("库存管理"));
    addEntry(stock, QStringLiteral("商品入库"), na);
    addEntry(stock, QStringLiteral("商品出库"), na);

    QMenu *query = menuOf(QStringLiteral("查询"));
    addEntry(query, QStringLiteral("订单销售查询"), na, R::OrderSalesQuery);
    addEntry(query, QStringLiteral("菜品销售汇总查询"), na, R::ItemSalesSummary);
    addEntry(query, QStringLiteral("菜品种类销售汇总"), na);
    addEntry(query, QStringLiteral("签单查询"), na, R::CreditQuery);
    addEntry(query, QStringLiteral("提成查询"), na, R::CommissionQuery);
    addEntry(query, QStringLiteral("客户消费查询"), na, R::CustomerSpending);
    addEntry(query, QStringLiteral("点单时间统计"), na, R::OrderTimeStats);
    addEntry(query, QStringLiteral("送货时间统计"), na, R::DeliveryTimeStats);
    addEntry(query, QStringLiteral("帐户充值查询"), na, R::TopUpQuery);
    addEntry(query, QStringLiteral("分店库存查询及修改"), na);
    addEntry(query, QStringLiteral("超时未订货客户提醒"), na);

    QMenu *points = menuOf(QStringLiteral("积分管理"));
    addEntry(points, QStringLiteral("积分兑换"), na);
    addEntry(points, QStringLiteral("积分兑换查询"), na);
    addEntry(points, QStringLiteral("积分兑换商品设置"), na);
    m_governed.push_back({ points->menuAction(), R::Points });

    QMenu *sms = menuOf(QStringLiteral("手机短信"));
    addEntry(sms, QStringLiteral("发送短信"), na);
    addEntry(sms, QStringLiteral("短信设置"), na);
    addEntry(sms, QStringLiteral("短信发送情况"), na);
    m_governed.push_back({ sms->menuAction(), R::SendSms });

    QMenu *system = menuOf(QStringLiteral("系统"));
    addEntry(system, QStringLiteral("系统设置"), &Tmain::openSettings, R::SystemSettings);
    addEntry(system, QStringLiteral("权限管理"), &Tmain::openOperators, R::OperatorRights);
    addEntry(system, QStringLiteral("修改密码"), &Tmain::openChangePassword, R::ChangePassword);
    system->addSeparator();
    addEntry(system, QStringLiteral("数据备份"), na, R::Backup);
    addEntry(system, QStringLiteral("数据恢复"), na, R::Restore);
    addEntry(system, QStringLiteral("刷新频率"), &Tmain::openRefreshSettings);
    addEntry(system, QStringLiteral("数据初始化"), na, R::Initialise);

    QMenu *help = menuOf(QStringLiteral("帮助"));
    addEntry(help, QStringLiteral("使用说明"), &Tmain::openManual);
    addEntry(help, QStringLiteral("关于"), &Tmain::openAbout);
}

void Tmain::buildToolbar()
{
    QToolBar *bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(32, 32));
    const auto na = &Tmain::notAvailable;
    bar->addAction(addTool(QStringLiteral("外卖开单"), QStyle::SP_FileDialogNewFolder, &Tmain::openSalesForm, R::TakeOrders));
    bar->addAction(addTool(QStringLiteral("客户资料"), QStyle::SP_FileDialogContentsView, na, R::CustomerManagement));
    bar->addAction(addTool(QStringLiteral("提成查询"), QStyle::SP_FileDialogInfoView, na, R::CommissionQuery));
    bar->addSeparator();
    bar->addAction(addTool(QStringLiteral("单一发货"), QStyle::SP_ArrowForward, na, R::Dispatch));
    bar->addAction(addTool(QStringLiteral("成批发货"), QStyle::SP_MediaSeekForward, na, R::Dispatch));
    bar->addAction(addTool(QStringLiteral("单一收款"), QStyle::SP_DialogApplyButton, na, R::Collect));
    bar->addAction(addTool(QStringLiteral("成批收款"), QStyle::SP_DialogYesButton, na, R::Collect));
    bar->addAction(addTool(QStringLiteral("签单"), QStyle::SP_FileDialogDetailedView, na, R::SignForCredit));
    bar->addAction(addTool(QStringLiteral("删除订货单"), QStyle::SP_TrashIcon, na, R::DeleteOrder));
    bar->addAction(addTool(QStringLiteral("退货"), QStyle::SP_ArrowBack, na, R::ReturnGoods));
    bar->addAction(addTool(QStringLiteral("退款"), QStyle::SP_DialogResetButton, na, R::Refund));
    bar->addSeparator();
    bar->addAction(addTool(QStringLiteral("重连服务器"), QStyle::SP_BrowserReload, &Tmain::reconnect));
    bar->addAction(addTool(QStringLiteral("退出"), QStyle::SP_DialogCloseButton, &Tmain::quitProgram));
}

void Tmain::buildCentre()
{
    auto *centre = new QWidget(this);
    auto *layout = new QVBoxLayout(centre);

    m_board = new Board(m_ctx, centre);
    layout->addWidget(m_board, 1);
    // The order list's context menu repeats the toolbar's fulfilment actions.
    QTableView *orders = m_board->DBGridEh3->view();
    orders->setContextMenuPolicy(Qt::ActionsContextMenu);
    const std::pair<const char *, const char *> entries[] = { { "发货", "单一发货" }, { "收款", "单一收款" },
                                                               { "签单", "签单" },     { "退货", "退货" },
                                                               { "退款", "退款" },     { "删除订货单", "删除订货单" } };
    for (const auto &[caption, button] : entries) {
        QAction *tool = m_toolActions.value(QString::fromUtf8(button));
        auto *a = new QAction(QString::fromUtf8(caption), orders);
        connect(a, &QAction::triggered, tool, &QAction::trigger);
        connect(tool, &QAction::enabledChanged, a, &QAction::setEnabled);
        orders->addAction(a);
    }

    auto *today = new QGroupBox(QStringLiteral("来电与打印"), centre);
    auto *tl = new QHBoxLayout(today);
    tl->addWidget(new QLabel(QStringLiteral("手工输入来电："), today));
    m_manualCaller = new QLineEdit(today);
    m_manualCaller->setObjectName(QStringLiteral("Edit1"));
    m_manualCaller->setMaximumWidth(160);
    tl->addWidget(m_manualCaller);
    auto *enter = new QPushButton(QStringLiteral("确定"), today);
    connect(enter, &QPushButton::clicked, this, &Tmain::notAvailable);
    connect(m_manualCaller, &QLineEdit::returnPressed, enter, &QPushButton::click);
    tl->addWidget(enter);
    tl->addSpacing(20);
    m_callHistory = new QPushButton(QStringLiteral("历史来电记录"), today);
    connect(m_callHistory, &QPushButton::clicked, this, &Tmain::notAvailable);
    m_governed.push_back({ nullptr, R::CallHistory });
    tl->addWidget(m_callHistory);
    auto *replay = new QPushButton(QStringLiteral("录音重放"), today);
    replay->setEnabled(false);
    connect(m_board, &Board::recordingAvailable, replay, &QPushButton::setEnabled);
    connect(replay, &QPushButton::clicked, this, &Tmain::notAvailable);
    tl->addWidget(replay);
    auto *stop = new QPushButton(QStringLiteral("停止播放"), today);
    connect(stop, &QPushButton::clicked, this, &Tmain::notAvailable);
    tl->addWidget(stop);
    tl->addStretch();
    auto *print = new QPushButton(QStringLiteral("单个打印"), today);
    connect(print, &QPushButton::clicked, this, &Tmain::reprintSelected);
    tl->addWidget(print);
    m_printStyle = new QComboBox(today);
    m_printStyle->addItems({ QStringLiteral("普通样式"), QStringLiteral("反馈三联单"), QStringLiteral("自定义报表") });
    tl->addWidget(m_printStyle);
    layout->addWidget(today);

    setCentralWidget(centre);
}

void Tmain::applyRights(bool fromOperatorWindow)
{
    const Rights rights(m_ctx.session.rights);
    for (const Governed &g : m_governed) {
        if (g.action)
            g.action->setEnabled(rights.granted(g.right));
    }
    m_callHistory->setEnabled(rights.granted(R::CallHistory));
    // Customer details on the board and the overdue reminder need "查看客户信息".
    const bool customers = rights.granted(R::ViewCustomerInfo);
    m_customerInfoVisible = customers;
    m_board->setCustomerInfoVisible(customers, fromOperatorWindow);
    m_menuActions.value(QStringLiteral("超时未订货客户提醒"))->setEnabled(customers);
}

void Tmain::applyRoleRestrictions()
{
    for (const char *caption : { "系统设置", "菜品管理", "数据初始化", "提成查询", "权限管理", "数据恢复" })
        m_menuActions.value(QString::fromUtf8(caption))->setEnabled(false);
}

void Tmain::applyHelpMenuRules()
{
    const QString shortName = m_ctx.session.settings.value(QStringLiteral("公司简称"));
    m_menus.value(QStringLiteral("帮助"))->menuAction()->setVisible(!shortName.isEmpty());
    m_menuActions.value(QStringLiteral("使用说明"))->setVisible(shortName == vendor::kShortName);
}

void Tmain::setCaption()
{
    const Session &s = m_ctx.session;
    const QString shortName = s.settings.value(QStringLiteral("公司简称"));
    const QString edition = s.isNetwork() ? QStringLiteral("网络版") : QStringLiteral("单机版");
    MessageBox::setApplicationTitle(shortName + QStringLiteral("Verdalo") + edition);
    QString caption = shortName + QStringLiteral("来电显示Verdalo") + edition;
    if (!s.isHeadOffice())
        caption += QStringLiteral("-----分店：") + s.branch;
    setWindowTitle(caption);
}

void Tmain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void Tmain::FormShow()
{
    const Session &s = m_ctx.session;
    m_status[0]->setText(s.userName);
    if (!s.isHeadOffice()) {
        // A branch works only on its own orders and does not take orders by hand.
        m_toolActions.value(QStringLiteral("外卖开单"))->setEnabled(false);
        m_menuActions.value(QStringLiteral("销售开单"))->setEnabled(false);
    }
    setCaption();
    reloadBranches();
    m_board->prepare(m_branches);
    if (!s.isHeadOffice())
        m_board->fixToBranch(s.branch);
    if (m_login)
        m_login->hide();
    m_board->PageControl1->setCurrentIndex(0);
    m_menuActions.value(QStringLiteral("分店库存查询及修改"))
        ->setVisible(s.settings.value(QStringLiteral("库存显示")) == QStringLiteral("分店"));
    m_board->shuaxinmain();
    m_board->Button10Click();
    if (s.refreshSeconds > 0) {
        m_refresh->setInterval(s.refreshSeconds * 1000);
        m_refresh->start();
    }
}

void Tmain::FormActivate()
{
    try {
        const ShopSettings shop = ShopSettings::load(m_ctx.main());
        m_shopName = shop.name;
        const int i = m_printStyle->findText(shop.printStyle);
        if (i >= 0)
            m_printStyle->setCurrentIndex(i);
    } catch (const DbError &) {
        // The connection may be gone; the board's own check offers the reconnect.
    }
}

bool Tmain::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(e);
}

bool Tmain::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Space) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && isVisible()) {
            openDrawer();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void Tmain::openDrawer()
{
    QString error;
    if (!openCashDrawer(m_ctx.session.settings.value(QStringLiteral("钱箱端口")), &error))
        MessageBox::information(this, error);
}

void Tmain::closeEvent(QCloseEvent *event)
{
    if (!MessageBox::confirm(this, QStringLiteral("确实要退出吗？"))) {
        event->ignore();
        return;
    }
    try {
        ShellService(m_ctx.main(), m_ctx.local()).cleanUpOnExit();
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

void Tmain::reprintSelected()
{
    const int row = m_board->DBGridEh3->currentRow();
    if (row < 0) {
        MessageBox::information(this, QStringLiteral("请选择一个订单"));
        return;
    }
    const QString number = m_board->DBGridEh3->value(row, QStringLiteral("单据编号")).toString();
    ReceiptOrder order;
    try {
        order = ReceiptOrder::fromStoredOrder(m_ctx.main(), number, m_ctx.session.userName);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    PrintOptions options = printOptions(m_ctx.session.settings, m_printStyle->currentText(), 1);
    options.reprint = true;
    DevicePrintTarget device(this);
    PrintTarget &target = m_ctx.printTarget ? *m_ctx.printTarget : device;
    ReceiptPrinter(m_ctx.paths(), target).print(order, options, order.orderTime);
}

void Tmain::quitProgram()
{
    close();
}

void Tmain::notAvailable()
{
    MessageBox::information(this, QStringLiteral("此功能尚未开放！！"));
}

void Tmain::openSettings()
{
    TFdianming_shezhi w(m_ctx, this);
    w.exec();
    // The print style chosen there becomes this window's; the branch stock entry follows the stock mode.
    const int i = m_printStyle->findText(w.printStyle());
    if (i >= 0)
        m_printStyle->setCurrentIndex(i);
    m_menuActions.value(QStringLiteral("分店库存查询及修改"))
        ->setVisible(m_ctx.session.settings.value(QStringLiteral("库存显示")) == QStringLiteral("分店"));
}

void Tmain::openSalesForm()
{
    if (!m_salesForm) {
        m_salesForm = new Txiaoshou(m_ctx, this);
        connect(m_salesForm, &Txiaoshou::orderSaved, m_board, [this] { m_board->shuaxinmain(); });
    }
    m_salesForm->prepare();
    m_salesForm->exec();
}

void Tmain::openCategories()
{
    TFzhonglei_shezhi w(m_ctx, this);
    w.exec();
}

void Tmain::openCatalogue()
{
    if (!m_catalogue) {
        m_catalogue = new Tcaidan_guanli(m_ctx, this);
        m_catalogue->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_catalogue->show();
    m_catalogue->raise();
    m_catalogue->activateWindow();
}

void Tmain::openWorkers()
{
    if (!m_workers) {
        m_workers = new Tpeisongyuan_list(m_ctx, this);
        m_workers->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_workers->load();
    m_workers->show();
    m_workers->raise();
}

void Tmain::openCustomerTypes()
{
    TFkehu_leixing w(m_ctx, this);
    w.exec();
}

void Tmain::openAreas()
{
    Tqvyu_shezhi w(m_ctx, this);
    w.exec();
    reloadBranches();
}

void Tmain::reloadBranches()
{
    try {
        m_branches = ShellService(m_ctx.main(), m_ctx.local()).branchList();
        if (m_shown && m_ctx.session.isHeadOffice())
            m_board->setBranchList(m_branches);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Tmain::openRequests()
{
    Tfkouwei_shezhi w(m_ctx, this);
    w.exec();
}

void Tmain::openRefreshSettings()
{
    TFshuaxin_shezhi w(m_ctx, this);
    w.exec();
}

void Tmain::openOperators()
{
    Tcaozuoyuan_list w(m_ctx, this);
    w.exec();
    // The logged-in operator's rights may have changed.
    try {
        if (const auto op = OperatorService(m_ctx.main()).find(m_ctx.session.userName))
            m_ctx.session.rights = op->rights;
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    applyRights(true);
}

void Tmain::openChangePassword()
{
    auto *w = new Txiugai_mima(m_ctx, this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
}

void Tmain::openAbout()
{
    auto *w = new Tabout(m_ctx.session.settings.values, this);
    w->show();
}

void Tmain::openManual()
{
    const QString manual = m_ctx.paths().file(QStringLiteral("使用说明.html"));
    if (!QFile::exists(manual))
        QFile::copy(QStringLiteral(":/docs/使用说明.html"), manual);
    Desktop::open(manual);
}

void Tmain::reconnect()
{
    QString error;
    if (m_ctx.main().reconnect(&error))
        MessageBox::information(this, QStringLiteral("重连服务器成功！！"));
    else
        MessageBox::information(this, QStringLiteral("重连服务器失败！！"), error);
}

} // namespace verdalo
