#include "orders/Txiaoshou.h"

#include "admin/Rights.h"
#include "core/BusinessDate.h"
#include "core/IniFile.h"
#include "printing/ReceiptPrinter.h"
#include "settings/WorkstationSettings.h"
#include "widgets/DataGrid.h"
#include "widgets/MessageBox.h"
#include "widgets/PickListDelegate.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QTimeEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <atomic>

namespace verdalo {
namespace {

const QStringList kCartKeys { QStringLiteral("id"),   QStringLiteral("产品名称"), QStringLiteral("口味"),
                              QStringLiteral("数量"), QStringLiteral("单价"),     QStringLiteral("应付货款"),
                              QStringLiteral("提成"), QStringLiteral("套餐名称"), QStringLiteral("默认菜品") };

QString nextCartKey()
{
    // Unique among the forms of this workstation: milliseconds plus a running count.
    static std::atomic<int> counter { 0 };
    return QString::number(QDateTime::currentMSecsSinceEpoch() % 100000000000LL) + QString::number(++counter % 100);
}

QLabel *label(const char *text, QWidget *parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

QLineEdit *readOnly(QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setReadOnly(true);
    e->setStyleSheet(QStringLiteral("background:#ffffc0;"));
    return e;
}

} // namespace

Txiaoshou::Txiaoshou(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("手工开票"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    auto *l = new QVBoxLayout(this);
    l->addWidget(customerPanel());
    mergePanel = new QFrame(this);
    mergePanel->setFrameShape(QFrame::StyledPanel);
    mergePanel->setStyleSheet(QStringLiteral("QFrame { background:#fff3c0; }"));
    auto *ml = new QHBoxLayout(mergePanel);
    ml->addWidget(label("客户姓名和联系地址同时存在，讲此电话合并到老客户资料并继续吗？", mergePanel), 1);
    const char *answers[] = { "合并客户资料", "新建客户资料", "暂时退出" };
    for (int i = 0; i < 3; ++i) {
        auto *b = new QPushButton(QString::fromUtf8(answers[i]), mergePanel);
        connect(b, &QPushButton::clicked, this, [this, i] { m_mergeAnswer = i; });
        ml->addWidget(b);
    }
    mergePanel->hide();
    l->addWidget(mergePanel);
    l->addWidget(itemsAndCart(), 1);
    l->addWidget(bottomPanel());
    resize(1280, 800);
    prepare();
}

Txiaoshou::~Txiaoshou()
{
    if (m_cart) {
        try {
            m_cart->clear();
        } catch (const DbError &) {
        }
    }
}

QWidget *Txiaoshou::customerPanel()
{
    auto *box = new QGroupBox(QStringLiteral("客户信息"), this);
    auto *g = new QGridLayout(box);
    phone = new QLineEdit(box);
    phone->setObjectName(QStringLiteral("phone"));
    auto *find = new QPushButton(QStringLiteral("查询"), box);
    customerNumber = new QLabel(QStringLiteral("无"), box);
    auto *reset = new QPushButton(QStringLiteral("重置成新客户"), box);
    auto *saveCustomer = new QPushButton(QStringLiteral("保存新客户信息"), box);
    customerType = new QComboBox(box);
    customerType->setEditable(true);
    name = new QLineEdit(box);
    credit = new QLabel(QStringLiteral("●"), box);
    credit->hide();
    balance = readOnly(box);
    purchases = readOnly(box);
    spent = readOnly(box);
    area = new QComboBox(box);
    area->setEditable(true);
    store = new QComboBox(box);
    store->setEditable(true);
    company = new QLineEdit(box);
    address = new QComboBox(box);
    address->setEditable(true);
    addressChanged = new QWidget(box);
    auto *al = new QHBoxLayout(addressChanged);
    al->setContentsMargins(0, 0, 0, 0);
    al->addWidget(label("收货地址发生变化：", addressChanged));
    changeDefault = new QRadioButton(QStringLiteral("修改默认地址"), addressChanged);
    addAddress = new QRadioButton(QStringLiteral("增加多地址"), addressChanged);
    al->addWidget(changeDefault);
    al->addWidget(addAddress);
    customerNote = new QLineEdit(box);
    cardNumber = new QLineEdit(box);
    household = new QLineEdit(box);
    deliveryNote = new QLineEdit(box);
    deliveryDate = new QDateEdit(box);
    deliveryDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    deliveryDate->setCalendarPopup(true);
    deliveryTime = new QTimeEdit(QTime::currentTime(), box);
    deliveryTime->setDisplayFormat(QStringLiteral("hh:mm:ss"));
    payment = new QComboBox(box);
    payment->addItems({ QStringLiteral("现金"), QStringLiteral("签单"), QStringLiteral("帐户支付") });
    worker = new QComboBox(box);

    int r = 0;
    g->addWidget(label("电    话", box), r, 0);
    g->addWidget(phone, r, 1);
    g->addWidget(find, r, 2);
    g->addWidget(label("客户编号：", box), r, 3);
    g->addWidget(customerNumber, r, 4);
    g->addWidget(reset, r, 5);
    g->addWidget(saveCustomer, r, 6);
    ++r;
    g->addWidget(label("客户类型", box), r, 0);
    g->addWidget(customerType, r, 1);
    g->addWidget(label("客户姓名", box), r, 2);
    g->addWidget(name, r, 3);
    g->addWidget(credit, r, 4);
    g->addWidget(label("帐户余额", box), r, 5);
    g->addWidget(balance, r, 6);
    ++r;
    g->addWidget(label("客户区域", box), r, 0);
    g->addWidget(area, r, 1);
    g->addWidget(label("门店名称", box), r, 2);
    g->addWidget(store, r, 3);
    g->addWidget(label("总购物次数", box), r, 5);
    g->addWidget(purchases, r, 6);
    ++r;
    g->addWidget(label("客户单位", box), r, 0);
    g->addWidget(company, r, 1);
    g->addWidget(label("地    址", box), r, 2);
    g->addWidget(address, r, 3, 1, 2);
    g->addWidget(label("总购物金额", box), r, 5);
    g->addWidget(spent, r, 6);
    ++r;
    g->addWidget(addressChanged, r, 3, 1, 2);
    ++r;
    g->addWidget(label("客户备注", box), r, 0);
    g->addWidget(customerNote, r, 1);
    g->addWidget(label("会员卡号", box), r, 2);
    g->addWidget(cardNumber, r, 3);
    g->addWidget(label("家庭人数", box), r, 5);
    g->addWidget(household, r, 6);
    ++r;
    g->addWidget(label("发货备注", box), r, 0);
    g->addWidget(deliveryNote, r, 1, 1, 3);
    ++r;
    g->addWidget(label("送货时间", box), r, 0);
    auto *when = new QHBoxLayout;
    when->addWidget(deliveryDate);
    when->addWidget(deliveryTime);
    g->addLayout(when, r, 1);
    g->addWidget(label("收款方式", box), r, 2);
    g->addWidget(payment, r, 3);
    g->addWidget(label("送货员", box), r, 5);
    g->addWidget(worker, r, 6);

    auto *last = new QGroupBox(QStringLiteral("前次点单记录"), box);
    lastOrderGrid = new DataGrid(last);
    lastOrderGrid->view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    using C = GridColumn;
    lastOrderGrid->setColumns({ C(QStringLiteral("购物日期"), QStringLiteral("购物日期")).wide(85),
                                C(QStringLiteral("产品名称"), QStringLiteral("产品名称")).wide(90),
                                C(QStringLiteral("数量"), QStringLiteral("数量")).wide(45),
                                C(QStringLiteral("口味"), QStringLiteral("特殊要求")).wide(70),
                                C(QStringLiteral("单价"), QStringLiteral("单价")).fixed(2).wide(55),
                                C(QStringLiteral("配送工"), QStringLiteral("配送工")).wide(55),
                                C(QStringLiteral("收款方式"), QStringLiteral("收款方式")).wide(60) });
    (new QVBoxLayout(last))->addWidget(lastOrderGrid);
    g->addWidget(last, 0, 7, r + 1, 1);
    g->setColumnStretch(7, 1);

    connect(find, &QPushButton::clicked, this, &Txiaoshou::lookup);
    connect(reset, &QPushButton::clicked, this, &Txiaoshou::resetCustomer);
    connect(saveCustomer, &QPushButton::clicked, this, &Txiaoshou::saveNewCustomer);
    connect(area, &QComboBox::currentTextChanged, this, [this] { loadStores(); });
    connect(store, &QComboBox::activated, this, [this] { reloadItems(QStringLiteral("全部"), {}, {}); });
    connect(address, &QComboBox::editTextChanged, this, &Txiaoshou::addressEdited);
    connect(customerType, &QComboBox::activated, this, [this] {
        try {
            discount->setText(OrderFormService(m_ctx.main()).discountOf(customerType->currentText()));
        } catch (const DbError &) {
        }
        recomputeTotals(false);
    });

    // Enter moves on the way the shop's operators are used to.
    const std::pair<QWidget *, QWidget *> order[] = {
        { area, name },         { store, name },        { name, company },         { cardNumber, company },
        { household, company }, { company, address },   { customerNote, deliveryNote }, { deliveryNote, payment },
        { customerType, area },
    };
    for (const auto &[from, to] : order) {
        from->installEventFilter(this);
        from->setProperty("enterTo", QVariant::fromValue(static_cast<QObject *>(to)));
    }
    phone->installEventFilter(this);
    return box;
}

QWidget *Txiaoshou::itemsAndCart()
{
    auto *box = new QGroupBox(QStringLiteral("当前购物信息"), this);
    auto *h = new QHBoxLayout(box);

    auto *pickers = new QVBoxLayout;
    auto *quick = new QHBoxLayout;
    quick->addWidget(label("拼音快点", box));
    pinyin = new QLineEdit(box);
    pinyin->setObjectName(QStringLiteral("pinyin"));
    pinyin->setAttribute(Qt::WA_InputMethodEnabled, false);
    quick->addWidget(pinyin);
    pickers->addLayout(quick);
    pickers->addWidget(label("商品大类", box));
    categories = new QListWidget(box);
    categories->setViewMode(QListView::IconMode);
    categories->setResizeMode(QListView::Adjust);
    categories->setGridSize(QSize(76, 54));
    pickers->addWidget(categories, 1);
    auto *inCategory = new QHBoxLayout;
    inCategory->addWidget(label("已选中大类：", box));
    chosenCategory = new QLabel(QStringLiteral("全部"), box);
    inCategory->addWidget(chosenCategory);
    inCategory->addWidget(label("拼音快点：", box));
    categoryPinyin = new QLineEdit(box);
    categoryPinyin->setAttribute(Qt::WA_InputMethodEnabled, false);
    inCategory->addWidget(categoryPinyin);
    pickers->addWidget(label("大类下拼音快点：", box));
    pickers->addLayout(inCategory);
    pickers->addWidget(label("商品小类", box));
    subcategories = new QListWidget(box);
    subcategories->setFlow(QListView::LeftToRight);
    subcategories->setWrapping(true);
    subcategories->setMaximumHeight(70);
    pickers->addWidget(subcategories);

    auto *itemsColumn = new QVBoxLayout;
    itemViews = new QStackedWidget(box);
    itemIcons = new QListWidget(itemViews);
    itemIcons->setViewMode(QListView::IconMode);
    itemIcons->setResizeMode(QListView::Adjust);
    itemIcons->setGridSize(QSize(120, 60));
    itemIcons->setWordWrap(true);
    itemList = new QTreeWidget(itemViews);
    itemList->setRootIsDecorated(false);
    itemList->setHeaderLabels({ QStringLiteral("商品名称"), QStringLiteral("单价"), QStringLiteral("当前库存") });
    itemList->setColumnWidth(0, 200);
    itemList->setColumnWidth(1, 100);
    itemList->setColumnWidth(2, 80);
    itemViews->addWidget(itemIcons);
    itemViews->addWidget(itemList);
    itemsColumn->addWidget(itemViews, 1);
    stockTotal = new QLabel(box);
    itemsColumn->addWidget(stockTotal);
    for (QWidget *w : std::initializer_list<QWidget *> { itemIcons, itemList }) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint &at) {
            QMenu menu(this);
            menu.addAction(QStringLiteral("大图标显示"), this, [this] { setItemView(true); });
            menu.addAction(QStringLiteral("列表显示"), this, [this] { setItemView(false); });
            menu.exec(w->mapToGlobal(at));
        });
        w->installEventFilter(this);
    }

    auto *cartColumn = new QVBoxLayout;
    cartColumn->addWidget(label("已点菜单", box));
    cartGrid = new DataGrid(box);
    using C = GridColumn;
    cartGrid->setColumns({ C(QStringLiteral("产品名称"), QStringLiteral("产品名称")).edit().wide(100),
                           C(QStringLiteral("口味"), QStringLiteral("特殊要求")).edit().wide(100),
                           C(QStringLiteral("数量"), QStringLiteral("数量")).edit().sum().wide(60),
                           C(QStringLiteral("单价"), QStringLiteral("单价")).edit().fixed(2).wide(60),
                           C(QStringLiteral("应付货款"), QStringLiteral("应付货款")).sum().fixed(2).wide(60),
                           C(QStringLiteral("提成"), QStringLiteral("提成")).wide(50) });
    cartGrid->view()->setItemDelegateForColumn(
        0, new PickListDelegate([this](const QModelIndex &) {
               const int row = cartGrid->currentRow();
               if (row < 0 || !m_cart)
                   return QStringList();
               try {
                   return m_cart->substitutes(cartGrid->value(row, QStringLiteral("id")).toLongLong());
               } catch (const DbError &) {
                   return QStringList();
               }
           },
                                cartGrid));
    cartGrid->view()->setItemDelegateForColumn(1, new PickListDelegate([this](const QModelIndex &) { return m_tastes; },
                                                                       cartGrid));
    cartColumn->addWidget(cartGrid, 1);
    auto *totals = new QHBoxLayout;
    auto *removeButton = new QPushButton(QStringLiteral("删除"), box);
    removeButton->setObjectName(QStringLiteral("deleteLine"));
    totals->addWidget(removeButton);
    totals->addWidget(label("打折：", box));
    discount = new QLineEdit(QStringLiteral("10"), box);
    discount->setMaximumWidth(50);
    totals->addWidget(discount);
    totals->addWidget(label("抹零：", box));
    rounding = new QLineEdit(QStringLiteral("0"), box);
    rounding->setMaximumWidth(50);
    totals->addWidget(rounding);
    totals->addWidget(label("元", box));
    totals->addWidget(label("折后金额：", box));
    discounted = new QLabel(QStringLiteral("0"), box);
    QFont f = discounted->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    discounted->setFont(f);
    discounted->setStyleSheet(QStringLiteral("color:#c00000;"));
    totals->addWidget(discounted);
    totals->addStretch();
    cartColumn->addLayout(totals);

    h->addLayout(pickers, 2);
    h->addLayout(itemsColumn, 3);
    h->addLayout(cartColumn, 4);

    connect(pinyin, &QLineEdit::textChanged, this, [this](const QString &t) { reloadItems(QStringLiteral("全部"), {}, t); });
    connect(categoryPinyin, &QLineEdit::textChanged, this, [this](const QString &t) { reloadItems(m_category, {}, t); });
    connect(pinyin, &QLineEdit::returnPressed, this, [this] {
        itemIcons->setFocus();
        itemIcons->setCurrentRow(0);
        itemList->setCurrentItem(itemList->topLevelItem(0));
    });
    connect(categoryPinyin, &QLineEdit::returnPressed, pinyin, &QLineEdit::returnPressed);
    connect(categories, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_category = item->text();
        chosenCategory->setText(m_category);
        subcategories->clear();
        try {
            for (const Row &r : OrderFormService(m_ctx.main()).subcategories(m_category)) {
                auto *sub = new QListWidgetItem(r.text(QStringLiteral("小类名称")), subcategories);
                sub->setData(Qt::UserRole, r.text(QStringLiteral("种类")));
            }
        } catch (const DbError &) {
        }
        reloadItems(m_category, {}, {});
    });
    connect(subcategories, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        reloadItems(item->data(Qt::UserRole).toString(), item->text(), {});
    });
    connect(itemIcons, &QListWidget::itemDoubleClicked, this, &Txiaoshou::addSelectedItem);
    connect(itemList, &QTreeWidget::itemDoubleClicked, this, &Txiaoshou::addSelectedItem);
    connect(cartGrid, &DataGrid::rowEdited, this, &Txiaoshou::cartRowEdited);
    connect(removeButton, &QPushButton::clicked, this, &Txiaoshou::removeLine);
    connect(discount, &QLineEdit::textEdited, this, [this] { recomputeTotals(false); });
    connect(rounding, &QLineEdit::textEdited, this, [this] { recomputeTotals(false); });
    connect(discount, &QLineEdit::editingFinished, this, [this] { recomputeTotals(true); });
    connect(rounding, &QLineEdit::editingFinished, this, [this] { recomputeTotals(true); });
    return box;
}

QWidget *Txiaoshou::bottomPanel()
{
    auto *panel = new QWidget(this);
    auto *h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(label("打印样式", panel));
    printStyle = new QComboBox(panel);
    printStyle->addItems({ QStringLiteral("普通样式"), QStringLiteral("反馈三联单"), QStringLiteral("自定义报表") });
    h->addWidget(printStyle);
    h->addWidget(label("打印份数", panel));
    copies = new QSpinBox(panel);
    copies->setRange(1, 9);
    h->addWidget(copies);
    printButton = new QPushButton(QStringLiteral("打印"), panel);
    printButton->setEnabled(false);
    h->addWidget(printButton);
    dispatchNow = new QCheckBox(QStringLiteral("直接发货"), panel);
    collectNow = new QCheckBox(QStringLiteral("直接收款"), panel);
    smsWorker = new QCheckBox(QStringLiteral("短信通知配送工"), panel);
    closeAfterSave = new QCheckBox(QStringLiteral("保存后关闭"), panel);
    for (QCheckBox *c : { dispatchNow, collectNow, smsWorker, closeAfterSave })
        h->addWidget(c);
    h->addStretch();
    saveButton = new QPushButton(QStringLiteral("保存(F1)"), panel);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    auto *copy = new QPushButton(QStringLiteral("复制到剪贴板"), panel);
    auto *quit = new QPushButton(QStringLiteral("退出"), panel);
    for (QPushButton *b : { saveButton, copy, quit }) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    connect(saveButton, &QPushButton::clicked, this, &Txiaoshou::save);
    connect(copy, &QPushButton::clicked, this, &Txiaoshou::copyToClipboard);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    return panel;
}

bool Txiaoshou::branchStock() const
{
    return m_ctx.session.settings.value(QStringLiteral("库存显示")) == QStringLiteral("分店");
}

void Txiaoshou::prepare()
{
    const Rights rights(m_ctx.session.rights);
    discount->setEnabled(rights.granted(Right::OrderDiscount));
    mergePanel->hide();
    clearCustomer();
    discount->setText(QStringLiteral("10"));
    rounding->setText(QStringLiteral("0"));
    discounted->setText(QStringLiteral("0"));
    m_lastTotal = QStringLiteral("0");
    deliveryDate->setDate(m_ctx.clock->now().date());
    saveButton->setEnabled(true);
    printButton->setEnabled(false);
    try {
        OrderFormService svc(m_ctx.main());
        worker->clear();
        worker->addItem(QString());
        worker->addItems(svc.workers());
        area->blockSignals(true);
        area->clear();
        area->addItems(svc.areas());
        area->setCurrentIndex(-1);
        area->blockSignals(false);
        customerType->clear();
        customerType->addItems(svc.customerTypes());
        customerType->setCurrentIndex(-1);
        m_tastes = svc.tastes();
        categories->clear();
        categories->addItem(QStringLiteral("全部"));
        categories->addItems(svc.categories());
        for (int i = 0; i < categories->count(); ++i)
            categories->item(i)->setIcon(style()->standardIcon(QStyle::SP_DirIcon));
        printStyle->setCurrentText(ShopSettings::load(m_ctx.main()).printStyle);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    m_category = QStringLiteral("全部");
    chosenCategory->setText(m_category);
    newCart();
    reloadItems(QStringLiteral("全部"), {}, {});
    const QString view = m_ctx.session.settings.value(QStringLiteral("图标显示"));
    if (view == QStringLiteral("大图标") || view == QStringLiteral("列表"))
        itemViews->setCurrentIndex(view == QStringLiteral("大图标") ? 0 : 1);
    phone->setFocus();
}

void Txiaoshou::newCart()
{
    if (m_cart) {
        try {
            m_cart->clear();
        } catch (const DbError &) {
        }
    }
    m_cart = std::make_unique<Cart>(m_ctx.local(), m_ctx.main(), nextCartKey());
    reloadCart();
}

void Txiaoshou::clearCustomer()
{
    customerNumber->setText(QStringLiteral("无"));
    for (QLineEdit *e : { phone, name, company, customerNote, deliveryNote, balance, purchases, spent, cardNumber, household })
        e->clear();
    area->setCurrentIndex(-1);
    area->setEditText(QString());
    store->clear();
    customerType->setCurrentIndex(-1);
    customerType->setEditText(QString());
    address->clear();
    m_addresses.clear();
    addressChanged->hide();
    credit->hide();
    payment->setCurrentIndex(0);
    smsWorker->setChecked(false);
    lastOrderGrid->setRows({}, {});
}

void Txiaoshou::resetCustomer()
{
    clearCustomer();
}

void Txiaoshou::fillFromCustomer(const Row &r)
{
    customerType->setCurrentText(r.text(QStringLiteral("客户类型")));
    area->blockSignals(true);
    area->setCurrentText(r.text(QStringLiteral("客户地区")));
    area->blockSignals(false);
    name->setText(r.text(QStringLiteral("客户姓名")));
    company->setText(r.text(QStringLiteral("客户单位")));
    customerNote->setText(r.text(QStringLiteral("客户备注")));
    cardNumber->setText(r.text(QStringLiteral("手工编码")));
    household->setText(r.isNull(QStringLiteral("家庭人数")) ? QString() : QString::number(r.toDouble(QStringLiteral("家庭人数"))));
    const Money b = r.money(QStringLiteral("帐户余额"));
    balance->setText(b.toString(2));
    if (b > Money())
        payment->setCurrentText(QStringLiteral("帐户支付"));
    customerNumber->setText(r.text(QStringLiteral("id")));
    phone->setText(r.text(QStringLiteral("联系电话")));
    purchases->setText(QString::number(r.toInt(QStringLiteral("购物次数"))));
    spent->setText(r.money(QStringLiteral("购物金额")).toString(2));
    const QString grade = r.text(QStringLiteral("信用等级"));
    credit->setVisible(!grade.isEmpty());
    const QString colour = grade == QStringLiteral("好") ? QStringLiteral("green")
        : grade == QStringLiteral("差")                  ? QStringLiteral("red")
        : grade == QStringLiteral("中")                  ? QStringLiteral("blue")
                                                          : QStringLiteral("lime");
    credit->setStyleSheet(QStringLiteral("color:%1; font-size:18px;").arg(colour));
    credit->setToolTip(QStringLiteral("客户信用等级：") + (grade.isEmpty() ? QStringLiteral("中") : grade));
}

void Txiaoshou::lookup()
{
    if (phone->text().trimmed().isEmpty()) {
        MessageBox::information(this, QStringLiteral("请输入客户电话！！"));
        return;
    }
    CustomerLookup found;
    try {
        found = OrderFormService(m_ctx.main()).lookup(phone->text());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    if (!found.chosen) {
        customerType->setFocus();
        return;
    }
    fillFromCustomer(*found.chosen);
    store->clear();
    store->addItems(found.stores);
    store->setCurrentIndex(0);
    discount->setText(found.discount);
    m_addresses = found.addresses;
    address->blockSignals(true);
    address->clear();
    address->addItems(found.addresses);
    address->setCurrentIndex(0);
    address->blockSignals(false);
    addressChanged->hide();
    QStringList keys;
    std::vector<QVariantList> rows;
    for (const Row &r : found.lastOrder) {
        keys = r.columns();
        QVariantList v;
        for (qsizetype i = 0; i < r.size(); ++i)
            v.append(r.value(i));
        rows.push_back(v);
    }
    lastOrderGrid->setRows(keys, std::move(rows));
    if (branchStock())
        reloadItems(QStringLiteral("全部"), {}, {});
    recomputeTotals(false);
    customerType->setFocus();
}

void Txiaoshou::loadStores()
{
    store->clear();
    try {
        store->addItems(OrderFormService(m_ctx.main()).storesOf(area->currentText()));
    } catch (const DbError &) {
    }
    store->setCurrentIndex(0);
}

void Txiaoshou::addressEdited(const QString &text)
{
    if (m_addresses.isEmpty())
        return;
    const bool known = m_addresses.contains(text);
    addressChanged->setVisible(!known);
    if (!known)
        changeDefault->setChecked(true);
}

void Txiaoshou::reloadItems(const QString &category, const QString &subcategory, const QString &search)
{
    std::vector<ItemEntry> entries;
    try {
        entries = OrderFormService(m_ctx.main()).items(branchStock(), store->currentText(), category, subcategory, search);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    itemIcons->clear();
    itemList->clear();
    double total = 0;
    for (const ItemEntry &e : entries) {
        auto *icon = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileIcon), e.caption(), itemIcons);
        icon->setData(Qt::UserRole, e.id);
        icon->setData(Qt::UserRole + 1, e.stock);
        auto *row = new QTreeWidgetItem(itemList, { e.name, shortMoney(e.price), QString::number(e.stock) });
        row->setData(0, Qt::UserRole, e.id);
        row->setData(0, Qt::UserRole + 1, e.stock);
        total += e.stock;
    }
    stockTotal->setText(QStringLiteral("库存合计：") + QString::number(total));
}

void Txiaoshou::setItemView(bool icons)
{
    itemViews->setCurrentIndex(icons ? 0 : 1);
    const QString value = icons ? QStringLiteral("大图标") : QStringLiteral("列表");
    QString error;
    if (cysz::write(m_ctx.paths().cyszIni(), { { QStringLiteral("图标显示"), value } }, &error))
        m_ctx.session.settings.values.insert(QStringLiteral("图标显示"), value);
    else
        MessageBox::information(this, QStringLiteral("无法保存设置文件 cysz.ini：%1").arg(error));
}

void Txiaoshou::addSelectedItem()
{
    qlonglong id = 0;
    double stock = 0;
    if (itemViews->currentIndex() == 0) {
        QListWidgetItem *item = itemIcons->currentItem();
        if (!item)
            return;
        id = item->data(Qt::UserRole).toLongLong();
        stock = item->data(Qt::UserRole + 1).toDouble();
    } else {
        QTreeWidgetItem *item = itemList->currentItem();
        if (!item)
            return;
        id = item->data(0, Qt::UserRole).toLongLong();
        stock = item->data(0, Qt::UserRole + 1).toDouble();
    }
    cartGrid->commitPendingRow();
    qlonglong line = 0;
    try {
        line = m_cart->addItem(id, customerType->currentText(), m_ctx.session.settings.isYes(QStringLiteral("负库存开单提示")), stock,
                               [this] { return MessageBox::confirm(this, QStringLiteral("库存已经小于等于0，确实要继续吗？")); });
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    if (line == 0)
        return;
    reloadCart(line);
    recomputeTotals(false);
    // The new line's quantity is the next thing to type.
    const int row = cartGrid->currentRow();
    if (row >= 0) {
        cartGrid->view()->setFocus();
        cartGrid->view()->setCurrentIndex(cartGrid->view()->model()->index(cartGrid->view()->currentIndex().row(), 2));
    }
}

void Txiaoshou::reloadCart(qlonglong select)
{
    std::vector<QVariantList> rows;
    try {
        for (const CartLine &l : m_cart->lines())
            rows.push_back({ l.id, l.name, l.taste, l.quantity, l.price.toDouble(), l.amount.toDouble(), l.commission, l.setName,
                             l.defaultItem });
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    cartGrid->setRows(kCartKeys, std::move(rows));
    if (select != 0)
        cartGrid->selectWhere(QStringLiteral("id"), select);
}

void Txiaoshou::cartRowEdited(int row)
{
    const qlonglong id = cartGrid->value(row, QStringLiteral("id")).toLongLong();
    const QString quantityText = cartGrid->value(row, QStringLiteral("数量")).toString();
    const QString priceText = cartGrid->value(row, QStringLiteral("单价")).toString();
    bool ok = false;
    const double quantity = quantityText.toDouble(&ok);
    Money price;
    QString refusal;
    if (!ok)
        refusal = QStringLiteral("数量必须是数字！！");
    else if (!Money::parse(priceText, &price))
        refusal = QStringLiteral("单价必须是数字！！");
    else if (cartGrid->value(row, QStringLiteral("口味")).toString().size() > Cart::kTextWidth)
        refusal = QStringLiteral("特殊要求不能超过%1个字！！").arg(Cart::kTextWidth);
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        QMetaObject::invokeMethod(this, [this, id] { reloadCart(id); }, Qt::QueuedConnection);
        return;
    }
    try {
        const auto before = m_cart->lines();
        for (const CartLine &l : before) {
            if (l.id != id)
                continue;
            const QString newName = cartGrid->value(row, QStringLiteral("产品名称")).toString();
            if (newName != l.name)
                m_cart->exchange(id, newName);
            if (!qFuzzyCompare(1 + quantity, 1 + l.quantity))
                m_cart->setQuantity(id, quantity);
            if (price != l.price)
                m_cart->setPrice(id, price);
            m_cart->setTaste(id, cartGrid->value(row, QStringLiteral("口味")).toString());
        }
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    QMetaObject::invokeMethod(this, [this, id] {
        reloadCart(id);
        recomputeTotals(false);
    }, Qt::QueuedConnection);
}

void Txiaoshou::removeLine()
{
    const int row = cartGrid->currentRow();
    if (row < 0)
        return;
    try {
        m_cart->remove(cartGrid->value(row, QStringLiteral("id")).toLongLong());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    reloadCart();
    recomputeTotals(false);
}

void Txiaoshou::recomputeTotals(bool complain)
{
    if (discount->text().trimmed().isEmpty() && !discount->hasFocus())
        discount->setText(QStringLiteral("10"));
    if (rounding->text().trimmed().isEmpty() && !rounding->hasFocus())
        rounding->setText(QStringLiteral("0"));
    Money total;
    try {
        total = m_cart->total();
    } catch (const DbError &) {
    }
    const Discounted d = Cart::discounted(total, discount->text(), rounding->text(),
                                          m_ctx.session.settings.value(QStringLiteral("计算精度")));
    if (!d.ok) {
        // The total keeps its previous text.
        if (complain)
            MessageBox::information(this, d.error);
        return;
    }
    discounted->setText(d.text);
    m_lastTotal = d.text;
}

MergeAnswer Txiaoshou::askMerge()
{
    m_mergeAnswer = -1;
    mergePanel->show();
    // The form stays usable while the question waits for one of its three buttons.
    QEventLoop wait;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &wait, [&wait, this] {
        if (m_mergeAnswer >= 0 || !isVisible())
            wait.quit();
    });
    poll.start(30);
    if (m_mergeAnswer < 0)
        wait.exec();
    mergePanel->hide();
    switch (m_mergeAnswer) {
    case 0:
        return MergeAnswer::Merge;
    case 1:
        return MergeAnswer::CreateNew;
    default:
        return MergeAnswer::Cancel;
    }
}

void Txiaoshou::save()
{
    if (!saveButton->isEnabled())
        return;
    cartGrid->commitPendingRow();
    // The discounted total as shown must come from valid boxes.
    Money total;
    try {
        total = m_cart->total();
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    const Discounted d = Cart::discounted(total, discount->text(), rounding->text(),
                                          m_ctx.session.settings.value(QStringLiteral("计算精度")));
    if (!d.ok) {
        MessageBox::information(this, d.error);
        return;
    }
    discounted->setText(d.text);
    QString iniError;
    cysz::write(m_ctx.paths().cyszIni(),
                { { QStringLiteral("开单后关闭"), closeAfterSave->isChecked() ? QStringLiteral("关闭") : QStringLiteral("不关闭") } },
                &iniError);

    OrderForm f;
    f.manual = true;
    f.customerNumber = customerNumber->text();
    f.phone = phone->text().trimmed();
    f.name = name->text().trimmed();
    f.customerType = customerType->currentText();
    f.area = area->currentText();
    f.store = store->currentText().isEmpty() ? QStringLiteral("总部") : store->currentText();
    f.company = company->text();
    f.address = address->currentText();
    f.customerNote = customerNote->text();
    f.deliveryNote = deliveryNote->text();
    f.cardNumber = cardNumber->text();
    f.household = household->text();
    f.payment = payment->currentText();
    f.worker = worker->currentText();
    Money::parse(balance->text().isEmpty() ? QStringLiteral("0") : balance->text(), &f.balance);
    f.discountedText = d.text;
    f.discountText = discount->text();
    f.roundingText = rounding->text();
    f.deliveryDate = dateText(deliveryDate->date());
    f.deliveryTime = timeText(deliveryTime->time());
    f.smsWorker = smsWorker->isChecked();
    f.dispatched = dispatchNow->isChecked();
    f.paid = collectNow->isChecked();
    if (addressChanged->isVisible())
        f.addressChange = addAddress->isChecked() ? OrderForm::AddressChange::AddAddress : OrderForm::AddressChange::ChangeDefault;

    SaveSettings s;
    s.extensionHours = m_ctx.session.settings.value(QStringLiteral("营业延长时间"));
    s.commissionMode = m_ctx.session.settings.commissionMode;
    s.commissionPerOrder = m_ctx.session.settings.commissionPerOrder;
    s.branchStock = branchStock();
    saveButton->setEnabled(false);
    SaveResult r;
    try {
        r = OrderSaver(m_ctx.main(), s, *m_ctx.clock).save(f, m_cart->lines(), [this] { return askMerge(); });
    } catch (const DbError &e) {
        r.message = e.message();
    }
    if (!r.saved) {
        saveButton->setEnabled(true);
        if (!r.message.isEmpty())
            MessageBox::information(this, r.message);
        return;
    }
    printSaved(r, f);
    emit orderSaved(r.orderNumber);
    if (closeAfterSave->isChecked()) {
        MessageBox::information(this, QStringLiteral("订单录入完毕！！"));
        accept();
        return;
    }
    // Ready for the next order.
    newCart();
    clearCustomer();
    discount->setText(QStringLiteral("10"));
    rounding->setText(QStringLiteral("0"));
    discounted->setText(QStringLiteral("0"));
    printButton->setEnabled(false);
    saveButton->setEnabled(true);
    mergePanel->hide();
    MessageBox::information(this, QStringLiteral("订单录入完毕！！"));
    phone->setFocus();
}

void Txiaoshou::printSaved(const SaveResult &r, const OrderForm &f)
{
    ReceiptOrder o;
    try {
        o.shop = ReceiptOrder::shopFrom(m_ctx.main());
        for (const CartLine &l : m_cart->lines())
            o.lines.push_back({ l.name, l.taste, l.quantity, l.price, l.amount });
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    o.orderNumber = r.orderNumber;
    o.orderTime = timeText(m_ctx.clock->now().time());
    o.operatorName = m_ctx.session.userName;
    o.worker = f.worker;
    o.deliveryTime = f.deliveryDate + QLatin1Char(' ') + f.deliveryTime;
    o.name = f.name;
    o.phone = f.phone;
    o.area = f.area;
    o.store = f.store;
    o.address = f.address;
    o.company = f.company;
    o.total = f.discountedText;
    o.payment = f.payment;
    o.deliveryNote = f.deliveryNote;
    PrintOptions options = printOptions(m_ctx.session.settings, printStyle->currentText(), copies->value());
    options.manualForm = true;
    if (options.afterSave == QStringLiteral("不打印") && options.style != QStringLiteral("自定义报表"))
        return;
    DevicePrintTarget device(this);
    PrintTarget &target = m_ctx.printTarget ? *m_ctx.printTarget : device;
    ReceiptPrinter(m_ctx.paths(), target).print(o, options, dateTimeText(m_ctx.clock->now()));
}

void Txiaoshou::copyToClipboard()
{
    cartGrid->commitPendingRow();
    try {
        const QString text = m_cart->summary(name->text(), phone->text(), address->currentText(), shortMoney(m_cart->total()));
        QApplication::clipboard()->setText(text);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    MessageBox::information(this, QStringLiteral("复制成功"));
}

void Txiaoshou::saveNewCustomer()
{
    bool ok = false;
    const double people = household->text().trimmed().isEmpty() ? 0 : household->text().trimmed().toDouble(&ok);
    if (!household->text().trimmed().isEmpty() && !ok) {
        MessageBox::information(this, QStringLiteral("家庭人数必须是数字！！"));
        return;
    }
    try {
        const qlonglong id = OrderFormService(m_ctx.main())
                                 .saveNewCustomer(name->text(), phone->text(), address->currentText(), customerType->currentText(),
                                                  company->text(), area->currentText(), store->currentText(),
                                                  customerNote->text(), cardNumber->text(), people);
        customerNumber->setText(QString::number(id));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    MessageBox::information(this, QStringLiteral("保存完毕"));
}

bool Txiaoshou::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && watched == phone) {
            lookup();
            return true;
        }
        if (enter && (watched == itemIcons || watched == itemList)) {
            addSelectedItem();
            return true;
        }
        if (enter) {
            if (auto *to = qobject_cast<QWidget *>(watched->property("enterTo").value<QObject *>())) {
                to->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Txiaoshou::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        save();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return; // Enter never closes the form
    QDialog::keyPressEvent(event);
}

void Txiaoshou::done(int result)
{
    if (m_cart) {
        try {
            m_cart->clear();
        } catch (const DbError &) {
        }
    }
    QDialog::done(result);
}

} // namespace verdalo
