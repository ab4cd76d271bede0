#pragma once

#include "app/AppContext.h"
#include "catalogue/CatalogueService.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace verdalo {

class DataGrid;

// The item editor: basic details and the special prices per customer type. It edits a copy of the catalogue
// window's current item; "确定" hands it back to be saved, anything else discards it.
class Tmenu_add : public QDialog
{
    Q_OBJECT
public:
    Tmenu_add(AppContext &ctx, const Item &item, QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr; // 种类
    QComboBox *ComboBox2 = nullptr; // 小类
    QLineEdit *DBEdit1 = nullptr;   // 编号
    QLineEdit *DBEdit2 = nullptr;   // 名称
    QLineEdit *DBEdit3 = nullptr;   // 单价
    QLineEdit *DBEdit4 = nullptr;   // 配送提成
    QLineEdit *DBEdit5 = nullptr;   // 拼音
    QPlainTextEdit *DBMemo1 = nullptr; // 备注
    QPushButton *Button1 = nullptr; // 确定
    QPushButton *Button2 = nullptr; // 取消
    QTabWidget *PageControl1 = nullptr;
    DataGrid *typesGrid = nullptr;
    DataGrid *pricesGrid = nullptr;
    QLineEdit *typeEdit = nullptr;
    QLineEdit *specialPriceEdit = nullptr;

    void Button1Click();
    void addSpecialPrice();
    void deleteSpecialPrice();

signals:
    // The edited item, ready to be saved.
    void saved(const verdalo::Item &item);

private:
    void loadSubcategories();
    void loadSpecialPrices();

    AppContext &m_ctx;
    Item m_item;
};

} // namespace verdalo
