#pragma once

#include "app/AppContext.h"
#include "orders/Cart.h"
#include "orders/OrderFormService.h"
#include "orders/OrderSaver.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTimeEdit;
class QTreeWidget;

namespace verdalo {

class DataGrid;

// The manual take-out order form ("手工开票").
class Txiaoshou : public QDialog
{
    Q_OBJECT
public:
    Txiaoshou(AppContext &ctx, QWidget *parent = nullptr);
    ~Txiaoshou() override;

    // Clears the form for a new order with a new cart (what showing the form does).
    void prepare();

    // Customer panel.
    QLineEdit *phone = nullptr;
    QLabel *customerNumber = nullptr;
    QComboBox *customerType = nullptr;
    QLineEdit *name = nullptr;
    QLabel *credit = nullptr;
    QLineEdit *balance = nullptr, *purchases = nullptr, *spent = nullptr;
    QComboBox *area = nullptr;
    QComboBox *store = nullptr;
    QLineEdit *company = nullptr;
    QComboBox *address = nullptr;
    QWidget *addressChanged = nullptr;
    QRadioButton *changeDefault = nullptr, *addAddress = nullptr;
    QLineEdit *customerNote = nullptr, *cardNumber = nullptr, *household = nullptr, *deliveryNote = nullptr;
    QDateEdit *deliveryDate = nullptr;
    QTimeEdit *deliveryTime = nullptr;
    QComboBox *payment = nullptr, *worker = nullptr;
    DataGrid *lastOrderGrid = nullptr;
    QFrame *mergePanel = nullptr;
    // Items and cart.
    QLineEdit *pinyin = nullptr;
    QListWidget *categories = nullptr;
    QLabel *chosenCategory = nullptr;
    QLineEdit *categoryPinyin = nullptr;
    QListWidget *subcategories = nullptr;
    QStackedWidget *itemViews = nullptr;
    QListWidget *itemIcons = nullptr;
    QTreeWidget *itemList = nullptr;
    QLabel *stockTotal = nullptr;
    DataGrid *cartGrid = nullptr;
    QLineEdit *discount = nullptr, *rounding = nullptr;
    QLabel *discounted = nullptr;
    // Bottom.
    QComboBox *printStyle = nullptr;
    QSpinBox *copies = nullptr;
    QPushButton *printButton = nullptr;
    QCheckBox *dispatchNow = nullptr, *collectNow = nullptr, *smsWorker = nullptr, *closeAfterSave = nullptr;
    QPushButton *saveButton = nullptr;

    QString cartKey() const { return m_cart ? m_cart->key() : QString(); }
    void lookup();
    void addSelectedItem();
    void removeLine();
    void save();
    void copyToClipboard();
    void resetCustomer();
    void saveNewCustomer();
    void setItemView(bool icons);

signals:
    // An order was saved: the board refreshes.
    void orderSaved(const QString &orderNumber);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *customerPanel();
    QWidget *itemsAndCart();
    QWidget *bottomPanel();
    void newCart();
    void clearCustomer();
    void fillFromCustomer(const Row &r);
    void loadStores();
    void reloadItems(const QString &category, const QString &subcategory, const QString &search);
    void reloadCart(qlonglong select = 0);
    void recomputeTotals(bool complain);
    void cartRowEdited(int row);
    void addressEdited(const QString &text);
    MergeAnswer askMerge();
    void printSaved(const SaveResult &r, const OrderForm &f);
    bool branchStock() const;

    AppContext &m_ctx;
    std::unique_ptr<Cart> m_cart;
    QString m_category = QStringLiteral("全部");
    QStringList m_addresses;
    QStringList m_tastes;
    QString m_lastTotal = QStringLiteral("0");
    int m_mergeAnswer = -1;
};

} // namespace verdalo
