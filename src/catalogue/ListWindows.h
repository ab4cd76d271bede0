#pragma once

#include "app/AppContext.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace verdalo {

class DataGrid;
class RowEditor;

// Categories and their order (page "大类设置") and subcategories (page "小类设置").
class TFzhonglei_shezhi : public QDialog
{
    Q_OBJECT
public:
    TFzhonglei_shezhi(AppContext &ctx, QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    DataGrid *categoryGrid = nullptr;
    QLineEdit *categoryEdit = nullptr;
    QPushButton *categoryAdd = nullptr, *categorySave = nullptr, *categoryDelete = nullptr;
    DataGrid *subGrid = nullptr;
    QComboBox *subCategory = nullptr;
    QLineEdit *subEdit = nullptr;
    QPushButton *subAdd = nullptr, *subSave = nullptr, *subDelete = nullptr;
    RowEditor *categories = nullptr;
    RowEditor *subcategories = nullptr;

    void move(bool up);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void loadCategories();
    void loadSubcategories();
    AppContext &m_ctx;
};

// Special requests (口味).
class Tfkouwei_shezhi : public QDialog
{
    Q_OBJECT
public:
    Tfkouwei_shezhi(AppContext &ctx, QWidget *parent = nullptr);

    DataGrid *grid = nullptr;
    QLineEdit *edit = nullptr;
    QPushButton *addButton = nullptr, *saveButton = nullptr, *deleteButton = nullptr;
    RowEditor *editor = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    AppContext &m_ctx;
};

// Areas (page "大区域") and stores (page "门店管理").
class Tqvyu_shezhi : public QDialog
{
    Q_OBJECT
public:
    Tqvyu_shezhi(AppContext &ctx, QWidget *parent = nullptr);

    DataGrid *areaGrid = nullptr;
    QLineEdit *areaEdit = nullptr;
    QComboBox *areaChoice = nullptr;
    QLineEdit *storeEdit = nullptr;
    DataGrid *storeGrid = nullptr;

    void addArea();
    void deleteArea();
    void addStore();
    void deleteStore();

private:
    void loadAreas();
    void loadStores(bool byArea);
    AppContext &m_ctx;
};

// Customer types and their discount rates.
class TFkehu_leixing : public QDialog
{
    Q_OBJECT
public:
    TFkehu_leixing(AppContext &ctx, QWidget *parent = nullptr);

    QLineEdit *typeEdit = nullptr;
    QLineEdit *rateEdit = nullptr;
    DataGrid *grid = nullptr;

    void add();
    void remove();

private:
    void load();
    AppContext &m_ctx;
};

// Delivery workers and their editor.
class Tpeisongyuan_list : public QDialog
{
    Q_OBJECT
public:
    Tpeisongyuan_list(AppContext &ctx, QWidget *parent = nullptr);

    DataGrid *grid = nullptr;

    void create();
    void modify();
    void remove();
    void load();

private:
    void openEditor(qlonglong id);
    AppContext &m_ctx;
};

class Tpeisongyuan_add : public QDialog
{
    Q_OBJECT
public:
    Tpeisongyuan_add(AppContext &ctx, qlonglong id, QWidget *parent = nullptr);

    QLineEdit *nameEdit = nullptr;
    QLineEdit *phoneEdit = nullptr;
    QLineEdit *vehicleEdit = nullptr;
    QComboBox *storeChoice = nullptr;
    QPushButton *okButton = nullptr;

    void save();

private:
    AppContext &m_ctx;
    qlonglong m_id;
};

} // namespace verdalo
