#pragma once

#include "app/AppContext.h"
#include "board/BoardService.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace verdalo {

class DataGrid;

// The order board in the middle of the main window.
class Board : public QWidget
{
    Q_OBJECT
public:
    Board(AppContext &ctx, QWidget *parent = nullptr);

    // Filter panel.
    QRadioButton *rb1 = nullptr, *rb2 = nullptr;                    // 所有区域, 指定门店
    QComboBox *ComboBox1 = nullptr;                                 // branch list
    QRadioButton *rb3 = nullptr, *rb4 = nullptr, *rb5 = nullptr, *rb6 = nullptr, *rb7 = nullptr; // status
    QRadioButton *rb8 = nullptr, *rb9 = nullptr;                    // 今日业务, 任意时间段业务从
    QDateEdit *dp1 = nullptr, *dp2 = nullptr;
    QCheckBox *colours = nullptr;                                   // 需要颜色显示
    QComboBox *ComboBox2 = nullptr;                                 // 按菜品 / 按订单
    QTabWidget *PageControl1 = nullptr;
    DataGrid *DBGridEh3 = nullptr; // order list
    DataGrid *DBGridEh1 = nullptr; // order lines
    DataGrid *DBGridEh2 = nullptr; // item list
    QWidget *counters = nullptr;   // today's counters, placed by the main window
    QLabel *counterLabels[5] = {};

    // The first show of the main window: dates, branch list, the colouring switch.
    void prepare(const QStringList &branches);
    void setBranchList(const QStringList &branches);
    // A branch operator works on their own branch only.
    void fixToBranch(const QString &branch);
    void setCustomerInfoVisible(bool visible, bool fromOperatorWindow);

    // The automatic refresh; false when it did not run (connection refused, not reconnected).
    bool shuaxinmain();
    void Button1Click();  // 查询
    void Button10Click(); // 手工刷新
    // One tick of the refresh timer.
    void timerTick();
    void exportToSpreadsheet();
    void batchPrint();
    QString rememberedOrder() const { return m_remembered; }
    QDate businessDay() const;

signals:
    void recordingAvailable(bool available);

private:
    BoardFilter filter() const;
    OrderStatus status() const;
    bool checkConnection();
    void showOrders(const Rows &rows);
    void showItems(const Rows &rows);
    void loadLines(int row);
    void doubleClicked(int row);
    void drawChart();
    void colourToggled(bool on);

    AppContext &m_ctx;
    QString m_remembered;
    BoardFilter m_lastFilter;    // what the item list shows, for its export
    bool m_lastWithFilters = false;
    bool m_opened = false;
    QWidget *m_chart = nullptr;
};

} // namespace verdalo
