#pragma once

#include "app/AppContext.h"
#include "catalogue/CatalogueService.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace verdalo {

class DataGrid;

// The catalogue: items with their order, initials and the spreadsheet exchange; set menus and substitutes.
class Tcaidan_guanli : public QDialog
{
    Q_OBJECT
public:
    Tcaidan_guanli(AppContext &ctx, QWidget *parent = nullptr);

    QTabWidget *PageControl1 = nullptr;
    QComboBox *ComboBox1 = nullptr; // category filter
    DataGrid *DBGridEh1 = nullptr;  // items
    QComboBox *ComboBox2 = nullptr; // set menu
    QLineEdit *componentName = nullptr;
    QLineEdit *componentQuantity = nullptr;
    DataGrid *DBGridEh2 = nullptr;  // components
    QGroupBox *substituteGroup = nullptr;
    QLineEdit *substituteName = nullptr;
    DataGrid *DBGridEh3 = nullptr;  // substitutes

    void query();
    void addItem();
    void editItem();
    void deleteItem();
    void moveItem(bool up);
    void fillInitials();
    void exportItems();
    void importItems();
    void addComponent();
    void addSubstitute();
    void deleteSubstitute();
    void deleteComponent();

protected:
    void done(int result) override;

private:
    bool branchMode() const;
    void reload(const QString &category, qlonglong select = 0);
    void openEditor(const Item &item);
    void saveEditedRow(int row);
    void loadSetMenus();
    void loadComponents();
    void loadSubstitutes();
    void saveComponentRow(int row);
    std::vector<qlonglong> listedIds() const;

    AppContext &m_ctx;
    CatalogueService m_svc;
};

} // namespace verdalo
