#include "catalogue/Tmenu_add.h"

#include "catalogue/PinyinInitials.h"
#include "widgets/DataGrid.h"
#include "widgets/MessageBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace verdalo {

Tmenu_add::Tmenu_add(AppContext &ctx, const Item &item, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_item(item)
{
    setWindowTitle(QStringLiteral("菜品添加"));
    PageControl1 = new QTabWidget(this);

    auto *basic = new QWidget;
    ComboBox1 = new QComboBox(basic);
    ComboBox1->setEditable(true);
    ComboBox2 = new QComboBox(basic);
    ComboBox2->setEditable(true);
    DBEdit1 = new QLineEdit(basic);
    DBEdit2 = new QLineEdit(basic);
    DBEdit3 = new QLineEdit(basic);
    DBEdit4 = new QLineEdit(basic);
    DBEdit5 = new QLineEdit(basic);
    DBMemo1 = new QPlainTextEdit(basic);
    DBMemo1->setMaximumHeight(90);
    auto *form = new QFormLayout(basic);
    form->addRow(QStringLiteral("种类"), ComboBox1);
    form->addRow(QStringLiteral("小类"), ComboBox2);
    form->addRow(QStringLiteral("编号"), DBEdit1);
    form->addRow(QStringLiteral("名称"), DBEdit2);
    form->addRow(QStringLiteral("单价"), DBEdit3);
    form->addRow(QStringLiteral("配送提成"), DBEdit4);
    form->addRow(QStringLiteral("拼音"), DBEdit5);
    form->addRow(QStringLiteral("备注"), DBMemo1);
    PageControl1->addTab(basic, QStringLiteral("基本信息"));

    auto *special = new QWidget;
    typesGrid = new DataGrid(special);
    typesGrid->setColumns({ GridColumn(QStringLiteral("客户类型"), QStringLiteral("客户类型")) });
    pricesGrid = new DataGrid(special);
    pricesGrid->setColumns({ GridColumn(QStringLiteral("客户类型"), QStringLiteral("客户类型")),
                             GridColumn(QStringLiteral("特价"), QStringLiteral("特价")).fixed(2) });
    typeEdit = new QLineEdit(special);
    specialPriceEdit = new QLineEdit(special);
    auto *add = new QPushButton(QStringLiteral("新增"), special);
    auto *remove = new QPushButton(QStringLiteral("删除"), special);
    auto *fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("客户类型"), special));
    fields->addWidget(typeEdit);
    fields->addWidget(new QLabel(QStringLiteral("单价"), special));
    fields->addWidget(specialPriceEdit);
    fields->addWidget(add);
    fields->addWidget(remove);
    auto *grids = new QHBoxLayout;
    grids->addWidget(typesGrid, 1);
    grids->addWidget(pricesGrid, 1);
    auto *sl = new QVBoxLayout(special);
    sl->addLayout(grids, 1);
    sl->addLayout(fields);
    PageControl1->addTab(special, QStringLiteral("特价信息"));

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *l = new QVBoxLayout(this);
    l->addWidget(PageControl1, 1);
    l->addLayout(buttons);
    resize(520, 460);

    CatalogueService svc(m_ctx.main());
    try {
        ComboBox1->addItems(svc.categoriesBySortNumber());
        QStringList types;
        std::vector<QVariantList> rows;
        for (const QString &t : svc.customerTypes())
            rows.push_back({ t });
        typesGrid->setRows({ QStringLiteral("客户类型") }, std::move(rows));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    ComboBox1->setCurrentText(m_item.category);
    loadSubcategories();
    ComboBox2->setCurrentText(m_item.subcategory);
    DBEdit1->setText(m_item.code);
    DBEdit2->setText(m_item.name);
    DBEdit3->setText(m_item.id == 0 && m_item.price.isZero() ? QString() : m_item.price.toString(2));
    DBEdit4->setText(m_item.commission.isZero() ? QString() : m_item.commission.toString(2));
    DBEdit5->setText(m_item.initials);
    DBMemo1->setPlainText(m_item.remark);
    loadSpecialPrices();
    PageControl1->setCurrentIndex(0);

    connect(ComboBox1, &QComboBox::currentTextChanged, this, [this] {
        loadSubcategories();
        if (ComboBox2->count() == 0)
            ComboBox2->setCurrentText(QString());
    });
    // The initials follow the name at every keystroke.
    connect(DBEdit2, &QLineEdit::textChanged, this, [this](const QString &name) { DBEdit5->setText(itemInitials(name)); });
    connect(typesGrid, &DataGrid::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            typeEdit->setText(typesGrid->value(row, QStringLiteral("客户类型")).toString());
    });
    connect(add, &QPushButton::clicked, this, &Tmenu_add::addSpecialPrice);
    connect(remove, &QPushButton::clicked, this, &Tmenu_add::deleteSpecialPrice);
    connect(Button1, &QPushButton::clicked, this, &Tmenu_add::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void Tmenu_add::loadSubcategories()
{
    const QString keep = ComboBox2->currentText();
    ComboBox2->clear();
    try {
        ComboBox2->addItems(CatalogueService(m_ctx.main()).subcategories(ComboBox1->currentText()));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    ComboBox2->setCurrentText(ComboBox2->count() > 0 ? keep : QString());
}

void Tmenu_add::loadSpecialPrices()
{
    std::vector<QVariantList> rows;
    try {
        for (const Row &r : CatalogueService(m_ctx.main()).specialPrices(DBEdit2->text()))
            rows.push_back({ r.value(QStringLiteral("id")), r.text(QStringLiteral("客户类型")), r.money(QStringLiteral("特价")).toDouble() });
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    pricesGrid->setRows({ QStringLiteral("id"), QStringLiteral("客户类型"), QStringLiteral("特价") }, std::move(rows));
}

void Tmenu_add::addSpecialPrice()
{
    Money price;
    if (!Money::parse(specialPriceEdit->text(), &price)) {
        MessageBox::information(this, QStringLiteral("特价必须是数字！！"));
        return;
    }
    try {
        CatalogueService(m_ctx.main()).setSpecialPrice(typeEdit->text(), DBEdit2->text(), price);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadSpecialPrices();
}

void Tmenu_add::deleteSpecialPrice()
{
    const int row = pricesGrid->currentRow();
    if (row < 0)
        return;
    try {
        CatalogueService(m_ctx.main()).deleteSpecialPrice(pricesGrid->value(row, QStringLiteral("id")).toLongLong());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadSpecialPrices();
}

void Tmenu_add::Button1Click()
{
    Money price;
    if (!DBEdit3->text().trimmed().isEmpty() && !Money::parse(DBEdit3->text(), &price)) {
        MessageBox::information(this, QStringLiteral("单价必须是数字！！"));
        DBEdit3->setFocus();
        return;
    }
    Money commission;
    if (!DBEdit4->text().trimmed().isEmpty() && !Money::parse(DBEdit4->text(), &commission)) {
        MessageBox::information(this, QStringLiteral("配送提成必须是数字！！"));
        DBEdit4->setFocus();
        return;
    }
    Item item = m_item;
    item.category = ComboBox1->currentText();
    item.subcategory = ComboBox2->currentText();
    item.code = DBEdit1->text();
    item.name = DBEdit2->text();
    item.price = price;
    item.commission = commission;
    item.initials = DBEdit5->text();
    item.remark = DBMemo1->toPlainText();
    emit saved(item);
    accept();
}

} // namespace verdalo
