#include "catalogue/Tcaidan_guanli.h"

#include "catalogue/Tmenu_add.h"
#include "widgets/DataGrid.h"
#include "widgets/Desktop.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace verdalo {
namespace {

const QStringList kItemKeys { QStringLiteral("id"),     QStringLiteral("食物总类"), QStringLiteral("菜品小类"),
                              QStringLiteral("编号"),   QStringLiteral("名称"),     QStringLiteral("单价"),
                              QStringLiteral("业务员提成"), QStringLiteral("拼音"),   QStringLiteral("当前库存"),
                              QStringLiteral("排序编号") };

QVariantList itemRow(const Item &i)
{
    return { i.id,   i.category, i.subcategory, i.code, i.name, i.price.toDouble(), i.commission.toDouble(),
             i.initials, i.stock, i.sortNumber };
}

} // namespace

Tcaidan_guanli::Tcaidan_guanli(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_svc(ctx.main())
{
    setWindowTitle(QStringLiteral("商品管理"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    PageControl1 = new QTabWidget(this);

    // Items.
    auto *items = new QWidget;
    ComboBox1 = new QComboBox(items);
    ComboBox1->setMinimumWidth(160);
    auto *queryButton = new QPushButton(QStringLiteral("查询"), items);
    auto *exportButton = new QPushButton(QStringLiteral("将菜单导出到excel"), items);
    auto *importButton = new QPushButton(QStringLiteral("从EXCEL导入菜单"), items);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("商品种类"), items));
    top->addWidget(ComboBox1);
    top->addWidget(queryButton);
    top->addStretch();
    top->addWidget(exportButton);
    top->addWidget(importButton);

    DBGridEh1 = new DataGrid(items);
    using C = GridColumn;
    DBGridEh1->setColumns({
        C(QStringLiteral("食物总类"), QStringLiteral("商品种类")).edit().text(QStringLiteral("合计")).wide(90),
        C(QStringLiteral("菜品小类"), QStringLiteral("商品小类")).edit().wide(90),
        C(QStringLiteral("编号"), QStringLiteral("编号")).edit().wide(80),
        C(QStringLiteral("名称"), QStringLiteral("名称")).edit().count(QStringLiteral("共")).wide(200),
        C(QStringLiteral("单价"), QStringLiteral("单价")).edit().fixed(2).wide(80),
        C(QStringLiteral("业务员提成"), QStringLiteral("业务员提成")).edit().fixed(2).wide(90),
        C(QStringLiteral("拼音"), QStringLiteral("拼音")).edit().wide(100),
        C(QStringLiteral("当前库存"), QStringLiteral("当前库存")).edit().sum().fixed(2).wide(90),
    });
    auto *up = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), QString(), items);
    auto *down = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), items);
    up->setObjectName(QStringLiteral("SpeedButton1"));
    down->setObjectName(QStringLiteral("SpeedButton2"));
    for (QPushButton *b : { up, down }) {
        b->setFixedWidth(36);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        b->setIconSize(QSize(24, 24));
    }
    auto *arrows = new QVBoxLayout;
    arrows->addWidget(up);
    arrows->addWidget(down);
    auto *middle = new QHBoxLayout;
    middle->addWidget(DBGridEh1, 1);
    middle->addLayout(arrows);

    auto *add = new QPushButton(QStringLiteral("新增"), items);
    auto *edit = new QPushButton(QStringLiteral("修改"), items);
    auto *remove = new QPushButton(QStringLiteral("删除"), items);
    auto *initials = new QPushButton(QStringLiteral("自动补充拼音"), items);
    auto *quit = new QPushButton(QStringLiteral("退出"), items);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    for (QPushButton *b : { add, edit, remove, initials, quit })
        bottom->addWidget(b);
    auto *il = new QVBoxLayout(items);
    il->addLayout(top);
    il->addLayout(middle, 1);
    il->addLayout(bottom);
    PageControl1->addTab(items, QStringLiteral("商品设置"));

    // Set menus.
    auto *sets = new QWidget;
    ComboBox2 = new QComboBox(sets);
    ComboBox2->setMinimumWidth(200);
    auto *note = new QLabel(QStringLiteral("***必须把菜品的种类设置为【套餐】才可以在这里显示出来"), sets);
    note->setStyleSheet(QStringLiteral("color:red;"));
    auto *choose = new QHBoxLayout;
    choose->addWidget(new QLabel(QStringLiteral("套餐名称"), sets));
    choose->addWidget(ComboBox2);
    choose->addWidget(note);
    choose->addStretch();
    auto *entry = new QGroupBox(QStringLiteral("内含菜品录入"), sets);
    componentName = new QLineEdit(entry);
    componentQuantity = new QLineEdit(QStringLiteral("1"), entry);
    componentQuantity->setMaximumWidth(80);
    auto *addComponentButton = new QPushButton(QStringLiteral("录入"), entry);
    auto *el = new QHBoxLayout(entry);
    el->addWidget(new QLabel(QStringLiteral("默认菜品"), entry));
    el->addWidget(componentName);
    el->addWidget(new QLabel(QStringLiteral("数量"), entry));
    el->addWidget(componentQuantity);
    el->addWidget(addComponentButton);
    DBGridEh2 = new DataGrid(sets);
    DBGridEh2->setColumns({ GridColumn(QStringLiteral("菜品名称"), QStringLiteral("默认菜品")).edit().wide(200),
                            GridColumn(QStringLiteral("数量"), QStringLiteral("数量")).edit().wide(80) });
    substituteGroup = new QGroupBox(QStringLiteral("备选菜品"), sets);
    substituteName = new QLineEdit(substituteGroup);
    auto *addSub = new QPushButton(QStringLiteral("录入"), substituteGroup);
    auto *deleteSub = new QPushButton(QStringLiteral("删除"), substituteGroup);
    DBGridEh3 = new DataGrid(substituteGroup);
    DBGridEh3->setColumns({ GridColumn(QStringLiteral("备选菜品"), QStringLiteral("备选菜品")).wide(200) });
    auto *subRow = new QHBoxLayout;
    subRow->addWidget(substituteName);
    subRow->addWidget(addSub);
    subRow->addWidget(deleteSub);
    auto *gl = new QVBoxLayout(substituteGroup);
    gl->addLayout(subRow);
    gl->addWidget(DBGridEh3, 1);
    auto *grids = new QHBoxLayout;
    grids->addWidget(DBGridEh2, 1);
    grids->addWidget(substituteGroup, 1);
    auto *sl = new QVBoxLayout(sets);
    sl->addLayout(choose);
    sl->addWidget(entry);
    sl->addLayout(grids, 1);
    PageControl1->addTab(sets, QStringLiteral("套餐管理"));

    auto *l = new QVBoxLayout(this);
    l->addWidget(PageControl1);
    resize(1000, 640);

    connect(queryButton, &QPushButton::clicked, this, &Tcaidan_guanli::query);
    connect(exportButton, &QPushButton::clicked, this, &Tcaidan_guanli::exportItems);
    connect(importButton, &QPushButton::clicked, this, &Tcaidan_guanli::importItems);
    connect(up, &QPushButton::clicked, this, [this] { moveItem(true); });
    connect(down, &QPushButton::clicked, this, [this] { moveItem(false); });
    connect(add, &QPushButton::clicked, this, &Tcaidan_guanli::addItem);
    connect(edit, &QPushButton::clicked, this, &Tcaidan_guanli::editItem);
    connect(remove, &QPushButton::clicked, this, &Tcaidan_guanli::deleteItem);
    connect(initials, &QPushButton::clicked, this, &Tcaidan_guanli::fillInitials);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
    connect(DBGridEh1, &DataGrid::rowEdited, this, &Tcaidan_guanli::saveEditedRow);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            loadSetMenus();
    });
    connect(ComboBox2, &QComboBox::currentTextChanged, this, &Tcaidan_guanli::loadComponents);
    connect(addComponentButton, &QPushButton::clicked, this, &Tcaidan_guanli::addComponent);
    connect(DBGridEh2, &DataGrid::currentRowChanged, this, &Tcaidan_guanli::loadSubstitutes);
    connect(DBGridEh2, &DataGrid::rowEdited, this, &Tcaidan_guanli::saveComponentRow);
    connect(addSub, &QPushButton::clicked, this, &Tcaidan_guanli::addSubstitute);
    connect(deleteSub, &QPushButton::clicked, this, &Tcaidan_guanli::deleteSubstitute);
    auto *deleteRow = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), DBGridEh2->view());
    deleteRow->setContext(Qt::WidgetShortcut);
    connect(deleteRow, &QShortcut::activated, this, &Tcaidan_guanli::deleteComponent);

    try {
        ComboBox1->addItem(QString());
        ComboBox1->addItems(m_svc.categoriesInTableOrder());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    DBGridEh1->setColumnHidden(QStringLiteral("当前库存"), branchMode());
    reload(QString());
}

bool Tcaidan_guanli::branchMode() const
{
    return m_ctx.session.settings.value(QStringLiteral("库存显示")) == QStringLiteral("分店");
}

std::vector<qlonglong> Tcaidan_guanli::listedIds() const
{
    std::vector<qlonglong> out;
    for (const int row : DBGridEh1->visibleOrder())
        out.push_back(DBGridEh1->value(row, QStringLiteral("id")).toLongLong());
    return out;
}

void Tcaidan_guanli::reload(const QString &category, qlonglong select)
{
    std::vector<QVariantList> rows;
    try {
        for (const Item &i : m_svc.items(category))
            rows.push_back(itemRow(i));
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    DBGridEh1->setRows(kItemKeys, std::move(rows));
    if (select == 0 || !DBGridEh1->selectWhere(QStringLiteral("id"), select))
        DBGridEh1->setCurrentRow(DBGridEh1->rowCount() > 0 ? 0 : -1);
}

void Tcaidan_guanli::query()
{
    reload(ComboBox1->currentText());
}

void Tcaidan_guanli::openEditor(const Item &item)
{
    auto *editor = new Tmenu_add(m_ctx, item, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &Tmenu_add::saved, this, [this](const Item &edited) {
        try {
            const qlonglong id = m_svc.saveItem(edited, branchMode());
            reload(ComboBox1->currentText(), id);
        } catch (const DbError &e) {
            MessageBox::information(this, e.message());
        }
    });
    editor->show();
}

void Tcaidan_guanli::addItem()
{
    Item item;
    try {
        item.sortNumber = m_svc.nextSortNumber();
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    item.category = ComboBox1->currentText();
    openEditor(item);
}

void Tcaidan_guanli::editItem()
{
    DBGridEh1->commitPendingRow();
    const int row = DBGridEh1->currentRow();
    if (row < 0)
        return;
    try {
        if (const auto item = m_svc.item(DBGridEh1->value(row, QStringLiteral("id")).toLongLong()))
            openEditor(*item);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
}

void Tcaidan_guanli::saveEditedRow(int row)
{
    const qlonglong id = DBGridEh1->value(row, QStringLiteral("id")).toLongLong();
    try {
        auto item = m_svc.item(id);
        if (!item)
            return;
        const auto text = [this, row](const char *key) { return DBGridEh1->value(row, QString::fromUtf8(key)).toString(); };
        Money price;
        Money commission;
        bool stockOk = false;
        const double stock = text("当前库存").trimmed().isEmpty() ? 0 : text("当前库存").toDouble(&stockOk);
        if (!Money::parse(text("单价").isEmpty() ? QStringLiteral("0") : text("单价"), &price)
            || !Money::parse(text("业务员提成").isEmpty() ? QStringLiteral("0") : text("业务员提成"), &commission)
            || (!text("当前库存").trimmed().isEmpty() && !stockOk)) {
            MessageBox::information(this, QStringLiteral("单价、提成和库存必须是数字！！"));
            reload(ComboBox1->currentText(), id);
            return;
        }
        item->category = text("食物总类");
        item->subcategory = text("菜品小类");
        item->code = text("编号");
        item->name = text("名称");
        item->price = price;
        item->commission = commission;
        item->initials = text("拼音");
        item->stock = stock;
        m_svc.saveItem(*item, false);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        reload(ComboBox1->currentText(), id);
    }
}

void Tcaidan_guanli::deleteItem()
{
    const int row = DBGridEh1->currentRow();
    if (row < 0 || !MessageBox::confirm(this, QStringLiteral("确实要删除吗？")))
        return;
    try {
        m_svc.deleteItem(DBGridEh1->value(row, QStringLiteral("id")).toLongLong(), branchMode());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    reload(ComboBox1->currentText());
}

void Tcaidan_guanli::moveItem(bool up)
{
    DBGridEh1->commitPendingRow();
    const int row = DBGridEh1->currentRow();
    if (row < 0)
        return;
    const qlonglong id = DBGridEh1->value(row, QStringLiteral("id")).toLongLong();
    try {
        const QString refusal = m_svc.move(id, listedIds(), up ? MoveDirection::Up : MoveDirection::Down);
        if (!refusal.isEmpty()) {
            MessageBox::information(this, refusal);
            return;
        }
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    // After a move the whole catalogue is shown.
    ComboBox1->setCurrentIndex(0);
    reload(QString(), id);
}

void Tcaidan_guanli::fillInitials()
{
    DBGridEh1->commitPendingRow();
    if (DBGridEh1->rowCount() == 0)
        return;
    const int row = DBGridEh1->currentRow();
    const qlonglong id = row >= 0 ? DBGridEh1->value(row, QStringLiteral("id")).toLongLong() : 0;
    try {
        m_svc.fillMissingInitials(listedIds());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return;
    }
    reload(ComboBox1->currentText(), id);
    MessageBox::information(this, QStringLiteral("拼音补充完毕"));
}

void Tcaidan_guanli::exportItems()
{
    DBGridEh1->commitPendingRow();
    const QString path = FileDialog::getSaveFileName(this, QStringLiteral("将菜单导出到excel"),
                                                     QDir::home().filePath(QStringLiteral("菜单资料.xlsx")),
                                                     QStringLiteral("EXCEL文件 (*.xlsx)"));
    if (path.isEmpty())
        return;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool ok = false;
    try {
        ok = m_svc.exportItems(path, listedIds(), &error);
    } catch (const DbError &e) {
        error = e.message();
    }
    QApplication::restoreOverrideCursor();
    if (!ok) {
        MessageBox::information(this, QStringLiteral("导出失败！！"), error);
        return;
    }
    Desktop::open(path);
}

void Tcaidan_guanli::importItems()
{
    MessageBox::information(this, QStringLiteral("EXCEL文件的列顺序为：【食物总类,编号,名称,单价,备注,菜品小类,拼音】"));
    MessageBox::information(this, QStringLiteral("再次提醒：1、项目项目为空，导入数据立即停止。2、价格、提成请添数字或者为0，"
                                                 "添其他字符会导致导入失败"));
    const QString path = FileDialog::getOpenFileName(this, QStringLiteral("从EXCEL导入菜单"),
                                                     QStringLiteral("EXCEL文件 (*.xlsx *.xls)"));
    if (path.isEmpty())
        return;
    QProgressDialog progress(QStringLiteral("正在导入菜单……"), QString(), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const ImportResult r = m_svc.importItems(path, [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
    });
    progress.reset();
    reload(QString());
    if (!r.error.isEmpty())
        MessageBox::information(this, r.error);
    else
        MessageBox::information(this, QStringLiteral("导入完毕，共导入%1条").arg(r.imported));
}

void Tcaidan_guanli::loadSetMenus()
{
    const QString keep = ComboBox2->currentText();
    ComboBox2->blockSignals(true);
    ComboBox2->clear();
    try {
        ComboBox2->addItems(m_svc.setMenus());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    ComboBox2->setCurrentIndex(std::max(0, ComboBox2->findText(keep)));
    ComboBox2->blockSignals(false);
    loadComponents();
}

void Tcaidan_guanli::loadComponents()
{
    std::vector<QVariantList> rows;
    try {
        for (const Row &r : m_svc.components(ComboBox2->currentText()))
            rows.push_back({ r.value(QStringLiteral("id")), r.text(QStringLiteral("菜品名称")), r.toDouble(QStringLiteral("数量")) });
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    DBGridEh2->setRows({ QStringLiteral("id"), QStringLiteral("菜品名称"), QStringLiteral("数量") }, std::move(rows));
    DBGridEh2->setCurrentRow(DBGridEh2->rowCount() > 0 ? 0 : -1);
    loadSubstitutes();
}

void Tcaidan_guanli::loadSubstitutes()
{
    const int row = DBGridEh2->currentRow();
    const QString component = row >= 0 ? DBGridEh2->value(row, QStringLiteral("菜品名称")).toString() : QString();
    substituteGroup->setTitle(QStringLiteral("套餐：") + ComboBox2->currentText() + QStringLiteral(" 默认菜品：") + component
                              + QStringLiteral("的备选菜品"));
    std::vector<QVariantList> rows;
    if (row >= 0) {
        try {
            for (const Row &r : m_svc.substitutes(ComboBox2->currentText(), component))
                rows.push_back({ r.value(QStringLiteral("id")), r.text(QStringLiteral("备选菜品")) });
        } catch (const DbError &e) {
            MessageBox::information(this, e.message());
        }
    }
    DBGridEh3->setRows({ QStringLiteral("id"), QStringLiteral("备选菜品") }, std::move(rows));
}

void Tcaidan_guanli::addComponent()
{
    bool ok = false;
    const double quantity = componentQuantity->text().trimmed().toDouble(&ok);
    if (!ok) {
        MessageBox::information(this, QStringLiteral("数量必须是数字！！"));
        return;
    }
    try {
        m_svc.addComponent(ComboBox2->currentText(), componentName->text(), quantity);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadComponents();
}

void Tcaidan_guanli::saveComponentRow(int row)
{
    bool ok = false;
    const double quantity = DBGridEh2->value(row, QStringLiteral("数量")).toString().toDouble(&ok);
    if (!ok) {
        MessageBox::information(this, QStringLiteral("数量必须是数字！！"));
        loadComponents();
        return;
    }
    try {
        m_svc.updateComponent(DBGridEh2->value(row, QStringLiteral("id")).toLongLong(),
                              DBGridEh2->value(row, QStringLiteral("菜品名称")).toString(), quantity);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        loadComponents();
    }
}

void Tcaidan_guanli::deleteComponent()
{
    const int row = DBGridEh2->currentRow();
    if (row < 0 || !MessageBox::confirm(this, QStringLiteral("确实要删除吗？")))
        return;
    try {
        m_svc.deleteComponent(DBGridEh2->value(row, QStringLiteral("id")).toLongLong());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadComponents();
}

void Tcaidan_guanli::addSubstitute()
{
    const int row = DBGridEh2->currentRow();
    if (row < 0)
        return;
    try {
        m_svc.addSubstitute(ComboBox2->currentText(), DBGridEh2->value(row, QStringLiteral("菜品名称")).toString(),
                            substituteName->text());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadSubstitutes();
}

void Tcaidan_guanli::deleteSubstitute()
{
    const int row = DBGridEh3->currentRow();
    if (row < 0 || !MessageBox::confirm(this, QStringLiteral("确实要删除吗？")))
        return;
    try {
        m_svc.deleteSubstitute(DBGridEh3->value(row, QStringLiteral("id")).toLongLong());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    loadSubstitutes();
}

void Tcaidan_guanli::done(int result)
{
    DBGridEh1->commitPendingRow();
    try {
        m_svc.cleanUpSetMenus();
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    QDialog::done(result);
}

} // namespace verdalo
