#pragma once

#include "app/AppContext.h"
#include "settings/WorkstationSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace verdalo {

// The system settings: the 店名 row (what receipts print, styles, commission) and this workstation's cysz.ini.
class TFdianming_shezhi : public QDialog
{
    Q_OBJECT
public:
    TFdianming_shezhi(AppContext &ctx, QWidget *parent = nullptr);

    // The receipt style the window ends with, for the main window's selector.
    QString printStyle() const;

    // 系统设置
    QCheckBox *drawerOn = nullptr;
    QLineEdit *drawerPort = nullptr;
    QButtonGroup *printMode = nullptr;   // 不打印 / 打印预览 / 直接打印
    QCheckBox *extendDay = nullptr;
    QLineEdit *extendHour = nullptr;
    QButtonGroup *precision = nullptr;   // 精确到角分 / 精确到角 / 四舍五入到元
    // 打印设置
    QComboBox *styleBox = nullptr;       // 店名.打印样式
    QLineEdit *leftMargin = nullptr, *rightMargin = nullptr, *topMargin = nullptr;
    QLineEdit *shopName = nullptr, *shopPhone = nullptr, *courtesy = nullptr, *website = nullptr;
    QCheckBox *kitchenOn = nullptr;
    QComboBox *kitchenPrinter = nullptr;
    QButtonGroup *customStyle = nullptr; // 样式一 ... 样式六
    QCheckBox *ticketB = nullptr, *ticketC = nullptr;
    QComboBox *printerB = nullptr, *printerC = nullptr;
    QButtonGroup *dineIn = nullptr;      // 默认店内小票 / 自定义店内小票
    QButtonGroup *dineInStyle = nullptr;
    // 其他功能
    QButtonGroup *commission = nullptr;  // 按送货次数提成 / 按商品品提成
    QLineEdit *perOrder = nullptr;
    QLineEdit *defaultMinutes = nullptr;
    QButtonGroup *negativeStock = nullptr;
    QButtonGroup *stockMode = nullptr;
    QLineEdit *reminderDays = nullptr;
    // logo
    QCheckBox *useLogo = nullptr;
    QGroupBox *logoGroup = nullptr;
    QLabel *logo = nullptr;
    QPushButton *browse = nullptr;

    QPushButton *saveButton = nullptr;   // 保存
    QPushButton *quitButton = nullptr;   // 退出

    void save();
    void browseLogo();

private:
    QWidget *systemPage();
    QWidget *printPage();
    QWidget *otherPage();
    QWidget *logoPanel();
    void load();
    void loadLogo();
    void editingShopRow();
    void openDesigner(const QString &file);

    AppContext &m_ctx;
    ShopSettings m_shop;
};

} // namespace verdalo
