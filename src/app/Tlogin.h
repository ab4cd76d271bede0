#pragma once

#include "app/AppContext.h"
#include "app/LoginService.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace verdalo {

class Tmain;

// The login window: operator, password, and how calls reach this workstation.
class Tlogin : public QDialog
{
    Q_OBJECT

public:
    explicit Tlogin(AppContext &ctx, QWidget *parent = nullptr);
    ~Tlogin() override;

    // The main window once a login succeeded.
    Tmain *mainWindow() const { return m_main.get(); }

    QComboBox *ComboBox1 = nullptr; // login name
    QLineEdit *Edit2 = nullptr;     // password
    QCheckBox *cb1 = nullptr;       // 串口来电
    QComboBox *ComboBox2 = nullptr; // port
    QComboBox *ComboBox3 = nullptr; // box type
    QCheckBox *cb2 = nullptr;       // USB来电
    QComboBox *ComboBox4 = nullptr; // recording box model
    QComboBox *ComboBox5 = nullptr; // recording box lines
    QPushButton *BitBtn1 = nullptr; // 登陆
    QPushButton *BitBtn2 = nullptr; // 退出

public slots:
    void BitBtn1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void FormShow();
    void cb1Click();
    void cb2Click();
    void updateDeviceFields();
    DeviceChoice deviceChoice() const;
    bool login();
    void progress(int step);

    AppContext &m_ctx;
    std::unique_ptr<Tmain> m_main;
    QWidget *m_serialFields = nullptr;
    QWidget *m_usbFields = nullptr;
    bool m_loggedIn = false;
};

} // namespace verdalo
