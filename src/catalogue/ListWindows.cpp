#include "catalogue/ListWindows.h"

#include "catalogue/ReferenceLists.h"
#include "widgets/DataGrid.h"
#include "widgets/MessageBox.h"
#include "widgets/RowEditor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace verdalo {
namespace {

QPushButton *button(const char *caption, QWidget *parent)
{
    return new QPushButton(QString::fromUtf8(caption), parent);
}

QHBoxLayout *row(std::initializer_list<QWidget *> widgets, bool stretchFirst = false)
{
    auto *l = new QHBoxLayout;
    if (stretchFirst)
        l->addStretch();
    for (QWidget *w : widgets)
        l->addWidget(w);
    return l;
}

std::vector<QVariantList> valuesOf(const Rows &rows, const QStringList &keys)
{
    std::vector<QVariantList> out;
    for (const Row &r : rows) {
        QVariantList v;
        for (const QString &k : keys)
            v.append(r.value(k));
        out.push_back(v);
    }
    return out;
}

// Runs a database action and shows its error; false when it failed.
template<typename F>
bool attempt(QWidget *w, F &&f)
{
    try {
        f();
        return true;
    } catch (const DbError &e) {
        MessageBox::information(w, e.message());
        return false;
    }
}

} // namespace

// ---- categories -------------------------------------------------------------------------------------------------

TFzhonglei_shezhi::TFzhonglei_shezhi(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("种类设置"));
    PageControl1 = new QTabWidget(this);

    auto *big = new QWidget;
    categoryGrid = new DataGrid(big);
    categoryGrid->setColumns({ GridColumn(QStringLiteral("种类"), QStringLiteral("种类")).wide(220) });
    categoryEdit = new QLineEdit(big);
    categoryAdd = button("添加", big);
    categorySave = button("保存", big);
    categoryDelete = button("删除", big);
    auto *up = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), QString(), big);
    auto *down = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), big);
    auto *arrows = new QVBoxLayout;
    arrows->addWidget(up);
    arrows->addWidget(down);
    arrows->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(categoryGrid, 1);
    top->addLayout(arrows);
    auto *bl = new QVBoxLayout(big);
    bl->addLayout(top, 1);
    bl->addLayout(row({ new QLabel(QStringLiteral("种类"), big), categoryEdit }));
    bl->addLayout(row({ categoryAdd, categorySave, categoryDelete }, true));
    PageControl1->addTab(big, QStringLiteral("大类设置"));

    auto *small = new QWidget;
    subGrid = new DataGrid(small);
    subGrid->setColumns({ GridColumn(QStringLiteral("种类"), QStringLiteral("种类")).wide(150),
                          GridColumn(QStringLiteral("小类名称"), QStringLiteral("小类名称")).wide(180) });
    subCategory = new QComboBox(small);
    subEdit = new QLineEdit(small);
    subAdd = button("添加", small);
    subSave = button("保存", small);
    subDelete = button("删除", small);
    auto *sl = new QVBoxLayout(small);
    sl->addWidget(subGrid, 1);
    sl->addLayout(row({ new QLabel(QStringLiteral("种类"), small), subCategory, new QLabel(QStringLiteral("小类"), small), subEdit }));
    sl->addLayout(row({ subAdd, subSave, subDelete }, true));
    PageControl1->addTab(small, QStringLiteral("小类设置"));

    auto *l = new QVBoxLayout(this);
    l->addWidget(PageControl1);
    resize(460, 480);

    categories = new RowEditor(categoryGrid, categoryAdd, categorySave, this);
    categories->idKey = QStringLiteral("编号");
    categories->showRow = [this](int r) {
        categoryEdit->setText(r >= 0 ? categoryGrid->value(r, QStringLiteral("种类")).toString() : QString());
    };
    categories->store = [this](bool adding, int r) -> qlonglong {
        qlonglong id = 0;
        attempt(this, [&] {
            ReferenceLists lists(m_ctx.main());
            if (adding) {
                id = lists.addCategory(categoryEdit->text());
            } else {
                id = categoryGrid->value(r, QStringLiteral("编号")).toLongLong();
                lists.renameCategory(id, categoryEdit->text());
            }
        });
        return id;
    };
    categories->reload = [this] { loadCategories(); };
    connect(categoryEdit, &QLineEdit::textEdited, categories, &RowEditor::fieldEdited);
    connect(categoryDelete, &QPushButton::clicked, this, [this] {
        const int r = categoryGrid->currentRow();
        if (!MessageBox::confirm(this, QStringLiteral("确实要进行删除吗？？")) || r < 0)
            return;
        attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteCategory(categoryGrid->value(r, QStringLiteral("编号")).toLongLong()); });
        categories->cancel();
    });
    connect(up, &QPushButton::clicked, this, [this] { move(true); });
    connect(down, &QPushButton::clicked, this, [this] { move(false); });

    subcategories = new RowEditor(subGrid, subAdd, subSave, this);
    subcategories->showRow = [this](int r) {
        subCategory->setCurrentText(r >= 0 ? subGrid->value(r, QStringLiteral("种类")).toString() : QString());
        subEdit->setText(r >= 0 ? subGrid->value(r, QStringLiteral("小类名称")).toString() : QString());
    };
    subcategories->store = [this](bool adding, int r) -> qlonglong {
        qlonglong id = 0;
        attempt(this, [&] {
            ReferenceLists lists(m_ctx.main());
            if (adding) {
                id = lists.addSubcategory(subCategory->currentText(), subEdit->text());
            } else {
                id = subGrid->value(r, QStringLiteral("id")).toLongLong();
                lists.updateSubcategory(id, subCategory->currentText(), subEdit->text());
            }
        });
        return id;
    };
    subcategories->reload = [this] { loadSubcategories(); };
    connect(subEdit, &QLineEdit::textEdited, subcategories, &RowEditor::fieldEdited);
    connect(subCategory, &QComboBox::activated, subcategories, &RowEditor::fieldEdited);
    connect(subDelete, &QPushButton::clicked, this, [this] {
        const int r = subGrid->currentRow();
        if (!MessageBox::confirm(this, QStringLiteral("确实要进行删除吗？？")) || r < 0)
            return;
        attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteSubcategory(subGrid->value(r, QStringLiteral("id")).toLongLong()); });
        subcategories->cancel();
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
        if (page != 1)
            return;
        // The categories in their order, each once.
        QStringList names;
        for (int r : categoryGrid->visibleOrder()) {
            const QString n = categoryGrid->value(r, QStringLiteral("种类")).toString();
            if (!names.contains(n))
                names.append(n);
        }
        const QString keep = subCategory->currentText();
        subCategory->clear();
        subCategory->addItems(names);
        subCategory->setCurrentText(keep);
    });

    loadCategories();
    loadSubcategories();
}

void TFzhonglei_shezhi::loadCategories()
{
    attempt(this, [&] {
        categoryGrid->setRows({ QStringLiteral("编号"), QStringLiteral("种类"), QStringLiteral("排序编号") },
                              valuesOf(ReferenceLists(m_ctx.main()).categories(),
                                       { QStringLiteral("编号"), QStringLiteral("种类"), QStringLiteral("排序编号") }));
    });
    categoryGrid->setCurrentRow(categoryGrid->rowCount() > 0 ? 0 : -1);
}

void TFzhonglei_shezhi::loadSubcategories()
{
    attempt(this, [&] {
        subGrid->setRows({ QStringLiteral("id"), QStringLiteral("种类"), QStringLiteral("小类名称") },
                         valuesOf(ReferenceLists(m_ctx.main()).subcategories(),
                                  { QStringLiteral("id"), QStringLiteral("种类"), QStringLiteral("小类名称") }));
    });
    subGrid->setCurrentRow(subGrid->rowCount() > 0 ? 0 : -1);
}

void TFzhonglei_shezhi::move(bool up)
{
    const int r = categoryGrid->currentRow();
    if (r < 0)
        return;
    const qlonglong number = categoryGrid->value(r, QStringLiteral("编号")).toLongLong();
    std::vector<qlonglong> listed;
    for (int i : categoryGrid->visibleOrder())
        listed.push_back(categoryGrid->value(i, QStringLiteral("编号")).toLongLong());
    QString refusal;
    if (!attempt(this, [&] { refusal = ReferenceLists(m_ctx.main()).moveCategory(number, listed, up); }))
        return;
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    loadCategories();
    categoryGrid->selectWhere(QStringLiteral("编号"), number);
}

void TFzhonglei_shezhi::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && (categories->isEditing() || subcategories->isEditing())) {
        categories->cancel();
        subcategories->cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- special requests -------------------------------------------------------------------------------------------

Tfkouwei_shezhi::Tfkouwei_shezhi(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("特殊要求设置"));
    grid = new DataGrid(this);
    grid->setColumns({ GridColumn(QStringLiteral("口味"), QStringLiteral("特殊要求")).wide(260) });
    edit = new QLineEdit(this);
    addButton = button("添加", this);
    saveButton = button("保存", this);
    deleteButton = button("删除", this);
    auto *l = new QVBoxLayout(this);
    l->addWidget(grid, 1);
    l->addLayout(row({ new QLabel(QStringLiteral("特殊要求"), this), edit }));
    l->addLayout(row({ addButton, saveButton, deleteButton }, true));
    resize(360, 420);

    editor = new RowEditor(grid, addButton, saveButton, this);
    editor->showRow = [this](int r) { edit->setText(r >= 0 ? grid->value(r, QStringLiteral("口味")).toString() : QString()); };
    editor->store = [this](bool adding, int r) -> qlonglong {
        qlonglong id = 0;
        attempt(this, [&] {
            ReferenceLists lists(m_ctx.main());
            if (adding) {
                id = lists.addTaste(edit->text());
            } else {
                id = grid->value(r, QStringLiteral("id")).toLongLong();
                lists.updateTaste(id, edit->text());
            }
        });
        return id;
    };
    editor->reload = [this] { load(); };
    connect(edit, &QLineEdit::textEdited, editor, &RowEditor::fieldEdited);
    connect(deleteButton, &QPushButton::clicked, this, [this] {
        const int r = grid->currentRow();
        if (!MessageBox::confirm(this, QStringLiteral("确实要进行删除吗？？")) || r < 0)
            return;
        attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteTaste(grid->value(r, QStringLiteral("id")).toLongLong()); });
        editor->cancel();
    });
    load();
}

void Tfkouwei_shezhi::load()
{
    attempt(this, [&] {
        grid->setRows({ QStringLiteral("id"), QStringLiteral("口味") },
                      valuesOf(ReferenceLists(m_ctx.main()).tastes(), { QStringLiteral("id"), QStringLiteral("口味") }));
    });
    grid->setCurrentRow(grid->rowCount() > 0 ? 0 : -1);
}

void Tfkouwei_shezhi::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && editor->isEditing()) {
        editor->cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- areas and stores -------------------------------------------------------------------------------------------

Tqvyu_shezhi::Tqvyu_shezhi(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("客户区域设置"));
    auto *tabs = new QTabWidget(this);

    auto *areas = new QWidget;
    areaGrid = new DataGrid(areas);
    areaGrid->setColumns({ GridColumn(QStringLiteral("区域"), QStringLiteral("大区名称")).wide(240) });
    areaEdit = new QLineEdit(areas);
    auto *addA = button("添加", areas);
    auto *delA = button("删除", areas);
    auto *al = new QVBoxLayout(areas);
    al->addWidget(areaGrid, 1);
    al->addLayout(row({ new QLabel(QStringLiteral("大区名称"), areas), areaEdit, addA, delA }));
    tabs->addTab(areas, QStringLiteral("大区域"));

    auto *stores = new QWidget;
    areaChoice = new QComboBox(stores);
    storeEdit = new QLineEdit(stores);
    storeGrid = new DataGrid(stores);
    storeGrid->setColumns({ GridColumn(QStringLiteral("区域"), QStringLiteral("区域")).wide(150),
                            GridColumn(QStringLiteral("小区域"), QStringLiteral("门店名称")).wide(180) });
    auto *addS = button("添加", stores);
    auto *delS = button("删除", stores);
    auto *note = new QLabel(QStringLiteral("如果不设置门店，系统默认门店为【总部】"), stores);
    note->setStyleSheet(QStringLiteral("color:#b00;"));
    auto *stl = new QVBoxLayout(stores);
    stl->addLayout(row({ new QLabel(QStringLiteral("大区域"), stores), areaChoice, new QLabel(QStringLiteral("门店名称"), stores),
                         storeEdit, addS, delS }));
    stl->addWidget(storeGrid, 1);
    stl->addWidget(note);
    tabs->addTab(stores, QStringLiteral("门店管理"));

    auto *l = new QVBoxLayout(this);
    l->addWidget(tabs);
    resize(560, 460);

    connect(addA, &QPushButton::clicked, this, &Tqvyu_shezhi::addArea);
    connect(delA, &QPushButton::clicked, this, &Tqvyu_shezhi::deleteArea);
    connect(addS, &QPushButton::clicked, this, &Tqvyu_shezhi::addStore);
    connect(delS, &QPushButton::clicked, this, &Tqvyu_shezhi::deleteStore);

    loadAreas();
    for (int r = 0; r < areaGrid->rowCount(); ++r) {
        const QString a = areaGrid->value(r, QStringLiteral("区域")).toString();
        if (areaChoice->findText(a) < 0)
            areaChoice->addItem(a);
    }
    areaChoice->setCurrentIndex(-1);
    loadStores(true);
}

void Tqvyu_shezhi::loadAreas()
{
    attempt(this, [&] {
        areaGrid->setRows({ QStringLiteral("id"), QStringLiteral("区域") },
                          valuesOf(ReferenceLists(m_ctx.main()).areas(), { QStringLiteral("id"), QStringLiteral("区域") }));
    });
}

void Tqvyu_shezhi::loadStores(bool byArea)
{
    const QStringList keys { QStringLiteral("id"), QStringLiteral("区域"), QStringLiteral("小区域") };
    attempt(this, [&] { storeGrid->setRows(keys, valuesOf(ReferenceLists(m_ctx.main()).stores(byArea), keys)); });
}

void Tqvyu_shezhi::addArea()
{
    QString refusal;
    if (!attempt(this, [&] { refusal = ReferenceLists(m_ctx.main()).addArea(areaEdit->text().trimmed()); }))
        return;
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    loadAreas();
}

void Tqvyu_shezhi::deleteArea()
{
    if (!MessageBox::confirm(this, QStringLiteral("确实要删除吗？")))
        return;
    const int r = areaGrid->currentRow();
    if (r < 0)
        return;
    attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteArea(areaGrid->value(r, QStringLiteral("id")).toLongLong()); });
    loadAreas();
}

void Tqvyu_shezhi::addStore()
{
    QString refusal;
    if (!attempt(this, [&] {
            refusal = ReferenceLists(m_ctx.main()).addStore(areaChoice->currentText(), storeEdit->text().trimmed());
        }))
        return;
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    loadStores(false);
}

void Tqvyu_shezhi::deleteStore()
{
    // This window's deletion question carries its own caption suffix.
    const QString previous = MessageBox::confirmationSuffix();
    MessageBox::setConfirmationSuffix(QStringLiteral("Ostrevo"));
    const bool ok = MessageBox::confirm(this, QStringLiteral("确实要删除吗？"));
    MessageBox::setConfirmationSuffix(previous);
    if (!ok)
        return;
    const int r = storeGrid->currentRow();
    if (r < 0)
        return;
    attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteStore(storeGrid->value(r, QStringLiteral("id")).toLongLong()); });
    loadStores(false);
}

// ---- customer types ---------------------------------------------------------------------------------------------

TFkehu_leixing::TFkehu_leixing(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("客户类型设置"));
    typeEdit = new QLineEdit(this);
    rateEdit = new QLineEdit(this);
    rateEdit->setMaximumWidth(80);
    grid = new DataGrid(this);
    grid->setColumns({ GridColumn(QStringLiteral("客户类型"), QStringLiteral("客户类型")).wide(200),
                       GridColumn(QStringLiteral("折扣率"), QStringLiteral("折扣率")).wide(80) });
    auto *add = button("添加", this);
    auto *del = button("删除", this);
    auto *note = new QLabel(QStringLiteral("注意：折扣率为10就是不打折，9就是打9折。"), this);
    note->setStyleSheet(QStringLiteral("color:#b00;"));
    auto *l = new QVBoxLayout(this);
    l->addLayout(row({ new QLabel(QStringLiteral("客户类型"), this), typeEdit, new QLabel(QStringLiteral("折扣率"), this), rateEdit }));
    l->addWidget(note);
    l->addWidget(grid, 1);
    l->addLayout(row({ add, del }, true));
    resize(420, 420);
    connect(add, &QPushButton::clicked, this, &TFkehu_leixing::add);
    connect(del, &QPushButton::clicked, this, &TFkehu_leixing::remove);
    load();
}

void TFkehu_leixing::load()
{
    const QStringList keys { QStringLiteral("id"), QStringLiteral("客户类型"), QStringLiteral("折扣率") };
    attempt(this, [&] { grid->setRows(keys, valuesOf(ReferenceLists(m_ctx.main()).customerTypes(), keys)); });
}

void TFkehu_leixing::add()
{
    QString refusal;
    if (!attempt(this, [&] { refusal = ReferenceLists(m_ctx.main()).addCustomerType(typeEdit->text().trimmed(), rateEdit->text()); }))
        return;
    if (!refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return;
    }
    load();
}

void TFkehu_leixing::remove()
{
    const int r = grid->currentRow();
    const QString type = r >= 0 ? grid->value(r, QStringLiteral("客户类型")).toString() : QString();
    const QString previous = MessageBox::confirmationSuffix();
    MessageBox::setConfirmationSuffix(QStringLiteral("Telvane"));
    const bool ok = MessageBox::confirm(this, QStringLiteral("确实要删除[") + type + QStringLiteral("]吗？"));
    MessageBox::setConfirmationSuffix(previous);
    if (!ok || r < 0)
        return;
    attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteCustomerType(grid->value(r, QStringLiteral("id")).toLongLong()); });
    load();
}

// ---- delivery workers -------------------------------------------------------------------------------------------

Tpeisongyuan_list::Tpeisongyuan_list(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("配送员列表"));
    grid = new DataGrid(this);
    grid->setColumns({ GridColumn(QStringLiteral("姓名"), QStringLiteral("姓名")).count(QStringLiteral("共")).wide(120),
                       GridColumn(QStringLiteral("电话"), QStringLiteral("电话")).wide(130),
                       GridColumn(QStringLiteral("所用车辆"), QStringLiteral("所用车辆")).wide(110),
                       GridColumn(QStringLiteral("所属门店"), QStringLiteral("所属门店")).wide(120) });
    auto *create = button("新建", this);
    auto *modify = button("修改", this);
    auto *del = button("删除", this);
    auto *quit = button("退出", this);
    auto *l = new QVBoxLayout(this);
    l->addWidget(grid, 1);
    l->addLayout(row({ create, modify, del, quit }, true));
    resize(560, 420);
    connect(create, &QPushButton::clicked, this, &Tpeisongyuan_list::create);
    connect(modify, &QPushButton::clicked, this, &Tpeisongyuan_list::modify);
    connect(del, &QPushButton::clicked, this, &Tpeisongyuan_list::remove);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
    connect(grid, &DataGrid::rowActivated, this, &Tpeisongyuan_list::modify);
    load();
}

void Tpeisongyuan_list::load()
{
    const QStringList keys { QStringLiteral("id"), QStringLiteral("姓名"), QStringLiteral("电话"), QStringLiteral("所用车辆"),
                             QStringLiteral("所属门店") };
    attempt(this, [&] { grid->setRows(keys, valuesOf(ReferenceLists(m_ctx.main()).workers(), keys)); });
}

void Tpeisongyuan_list::openEditor(qlonglong id)
{
    auto *editor = new Tpeisongyuan_add(m_ctx, id, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, &Tpeisongyuan_list::load);
    editor->show();
}

void Tpeisongyuan_list::create()
{
    openEditor(0);
}

void Tpeisongyuan_list::modify()
{
    const int r = grid->currentRow();
    if (r >= 0)
        openEditor(grid->value(r, QStringLiteral("id")).toLongLong());
}

void Tpeisongyuan_list::remove()
{
    const int r = grid->currentRow();
    if (!MessageBox::confirm(this, QStringLiteral("确实要删除吗？")) || r < 0)
        return;
    attempt(this, [&] { ReferenceLists(m_ctx.main()).deleteWorker(grid->value(r, QStringLiteral("id")).toLongLong()); });
    load();
}

Tpeisongyuan_add::Tpeisongyuan_add(AppContext &ctx, qlonglong id, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_id(id)
{
    setWindowTitle(QStringLiteral("配送员管理"));
    nameEdit = new QLineEdit(this);
    phoneEdit = new QLineEdit(this);
    vehicleEdit = new QLineEdit(this);
    storeChoice = new QComboBox(this);
    storeChoice->setEditable(true);
    okButton = button("确定", this);
    auto *cancel = button("取消", this);
    auto *g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("员工姓名"), this), 0, 0);
    g->addWidget(nameEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("联系电话"), this), 1, 0);
    g->addWidget(phoneEdit, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("所用车辆"), this), 2, 0);
    g->addWidget(vehicleEdit, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("所属门店"), this), 3, 0);
    g->addWidget(storeChoice, 3, 1);
    auto *l = new QVBoxLayout(this);
    l->addLayout(g);
    l->addLayout(row({ okButton, cancel }, true));
    okButton->setAutoDefault(false);
    cancel->setAutoDefault(false);

    connect(nameEdit, &QLineEdit::returnPressed, phoneEdit, qOverload<>(&QWidget::setFocus));
    connect(phoneEdit, &QLineEdit::returnPressed, vehicleEdit, qOverload<>(&QWidget::setFocus));
    connect(vehicleEdit, &QLineEdit::returnPressed, okButton, qOverload<>(&QWidget::setFocus));
    connect(okButton, &QPushButton::clicked, this, &Tpeisongyuan_add::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    attempt(this, [&] {
        ReferenceLists lists(m_ctx.main());
        storeChoice->addItems(lists.branchNames());
        storeChoice->setCurrentIndex(-1);
        if (m_id != 0) {
            for (const Row &r : lists.workers()) {
                if (r.toLongLong(QStringLiteral("id")) != m_id)
                    continue;
                nameEdit->setText(r.text(QStringLiteral("姓名")));
                phoneEdit->setText(r.text(QStringLiteral("电话")));
                vehicleEdit->setText(r.text(QStringLiteral("所用车辆")));
                storeChoice->setCurrentText(r.text(QStringLiteral("所属门店")));
            }
        }
    });
}

void Tpeisongyuan_add::save()
{
    if (attempt(this, [&] {
            ReferenceLists(m_ctx.main())
                .saveWorker(m_id, nameEdit->text().trimmed(), phoneEdit->text().trimmed(), vehicleEdit->text().trimmed(),
                            storeChoice->currentText());
        }))
        accept();
}

} // namespace verdalo
