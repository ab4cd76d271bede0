#include "app/Tlogin.h"

#include "admin/OperatorService.h"
#include "app/Tgongneng_tishi.h"
#include "app/Tmain.h"
#include "data/Schema.h"
#include "data/StartupRepairs.h"
#include "settings/WorkstationSettings.h"
#include "widgets/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace verdalo {

Tlogin::Tlogin(AppContext &ctx, QWidget *parent)
    : QDialog(parent)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("用户登陆"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *title = new QLabel(QStringLiteral("来电显示Verdalo"), this);
    QFont tf = title->font();
    tf.setPointSize(tf.pointSize() + 8);
    tf.setBold(true);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("color:#1f5f99; padding:12px;"));

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setEchoMode(QLineEdit::Password);
    auto *hint = new QLabel(QStringLiteral("初始密码为：%1").arg(schema::kAdminPassword), this);
    hint->setStyleSheet(QStringLiteral("color:#777;"));

    auto *account = new QFormLayout;
    account->addRow(QStringLiteral("用户名"), ComboBox1);
    account->addRow(QStringLiteral("密码"), Edit2);
    account->addRow(QString(), hint);

    cb1 = new QCheckBox(QStringLiteral("串口来电"), this);
    cb1->setObjectName(QStringLiteral("cb1"));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setEditable(true);
    for (int i = 1; i <= 8; ++i)
        ComboBox2->addItem(QString::number(i));
    ComboBox2->setCurrentIndex(-1);
    ComboBox3 = new QComboBox(this);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setEditable(true);
    ComboBox3->addItems(LoginService::boxTypes());
    ComboBox3->setCurrentIndex(-1);
    m_serialFields = new QWidget(this);
    auto *serial = new QHBoxLayout(m_serialFields);
    serial->setContentsMargins(20, 0, 0, 0);
    serial->addWidget(new QLabel(QStringLiteral("串口"), m_serialFields));
    serial->addWidget(ComboBox2, 1);
    serial->addWidget(new QLabel(QStringLiteral("类型"), m_serialFields));
    serial->addWidget(ComboBox3, 2);

    cb2 = new QCheckBox(QStringLiteral("USB来电"), this);
    cb2->setObjectName(QStringLiteral("cb2"));
    ComboBox4 = new QComboBox(this);
    ComboBox4->setObjectName(QStringLiteral("ComboBox4"));
    ComboBox4->addItems({ QStringLiteral("H型"), QStringLiteral("H型无录音") });
    ComboBox5 = new QComboBox(this);
    ComboBox5->setObjectName(QStringLiteral("ComboBox5"));
    ComboBox5->addItems({ QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8"),
                          QStringLiteral("16") });
    m_usbFields = new QWidget(this);
    auto *usb = new QHBoxLayout(m_usbFields);
    usb->setContentsMargins(20, 0, 0, 0);
    usb->addWidget(new QLabel(QStringLiteral("型号"), m_usbFields));
    usb->addWidget(ComboBox4, 2);
    usb->addWidget(new QLabel(QStringLiteral("路数"), m_usbFields));
    usb->addWidget(ComboBox5, 1);

    auto *device = new QGroupBox(QStringLiteral("来电设备"), this);
    auto *dl = new QVBoxLayout(device);
    dl->addWidget(cb1);
    dl->addWidget(m_serialFields);
    dl->addWidget(cb2);
    dl->addWidget(m_usbFields);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogApplyButton), QStringLiteral("登陆"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    // Enter in the password field logs in (once): no button of the dialog answers Enter by itself.
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("退出"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(account);
    layout->addWidget(device);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(cb1, &QCheckBox::clicked, this, &Tlogin::cb1Click);
    connect(cb2, &QCheckBox::clicked, this, &Tlogin::cb2Click);
    connect(ComboBox1, &QComboBox::activated, this, [this] { Edit2->setFocus(); });
    connect(Edit2, &QLineEdit::returnPressed, this, &Tlogin::BitBtn1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &Tlogin::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &Tlogin::reject);

    FormShow();
}

Tlogin::~Tlogin() = default;

void Tlogin::FormShow()
{
    try {
        ComboBox1->clear();
        ComboBox1->addItems(OperatorService(m_ctx.main()).names());
        ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
        m_ctx.session.loginMode.clear();
        const DeviceChoice last = LoginService(m_ctx.main(), m_ctx.local()).lastDeviceChoice();
        cb1->setChecked(last.serial);
        if (last.serial) {
            ComboBox2->setCurrentText(last.port);
            ComboBox3->setCurrentText(last.boxType);
        }
        cb2->setChecked(last.usb);
        if (last.usb) {
            ComboBox4->setCurrentText(last.model);
            ComboBox5->setCurrentText(last.lines);
        }
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
    }
    updateDeviceFields();
    Edit2->setFocus();
}

void Tlogin::cb1Click()
{
    if (cb1->isChecked())
        cb2->setChecked(false);
    updateDeviceFields();
}

void Tlogin::cb2Click()
{
    if (cb2->isChecked())
        cb1->setChecked(false);
    updateDeviceFields();
}

void Tlogin::updateDeviceFields()
{
    m_serialFields->setVisible(cb1->isChecked());
    m_usbFields->setVisible(cb2->isChecked());
}

DeviceChoice Tlogin::deviceChoice() const
{
    DeviceChoice c;
    c.serial = cb1->isChecked();
    c.port = ComboBox2->currentText().trimmed();
    c.boxType = ComboBox3->currentText().trimmed();
    c.usb = cb2->isChecked();
    c.model = ComboBox4->currentText();
    c.lines = ComboBox5->currentText();
    return c;
}

void Tlogin::progress(int step)
{
    setWindowTitle(QStringLiteral("开始登陆%1").arg(step));
}

void Tlogin::BitBtn1Click()
{
    if (!BitBtn1->isEnabled())
        return;
    login();
    BitBtn1->setEnabled(true);
    if (!m_loggedIn)
        setWindowTitle(QStringLiteral("用户登陆"));
}

bool Tlogin::login()
{
    Session &s = m_ctx.session;
    s.settings = Settings(); // the fixed values of each login

    const DeviceChoice choice = deviceChoice();
    if (const QString refusal = LoginService::checkBoxType(choice); !refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return false;
    }
    BitBtn1->setEnabled(false);
    if (const QString refusal = LoginService::checkPort(choice); !refusal.isEmpty()) {
        MessageBox::information(this, refusal);
        return false;
    }

    OperatorService operators(m_ctx.main());
    LoginService service(m_ctx.main(), m_ctx.local());
    std::optional<OperatorRow> op;
    try {
        operators.fillMissingRights();
        op = operators.checkCredentials(ComboBox1->currentText(), Edit2->text());
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return false;
    }
    if (!op) {
        MessageBox::information(this, QStringLiteral("您无权登陆本系统！！"));
        return false;
    }

    try {
        for (int step = 1; step <= 19; ++step)
            progress(step);
        if (!m_main)
            m_main = std::make_unique<Tmain>(m_ctx, this);
        progress(30);

        s.runMode = m_ctx.data.runMode().isEmpty() ? QStringLiteral("单机版") : m_ctx.data.runMode();
        s.databaseName = m_ctx.data.databaseName();
        s.role = op->role;
        s.branch = op->department;
        s.rights = op->rights;
        m_main->applyRights(false);
        s.refreshSeconds = service.refreshSeconds();
        if (!s.isAdministrator())
            m_main->applyRoleRestrictions();
        service.storeDeviceChoice(choice, s);
        s.userName = ComboBox1->currentText();
        progress(50);

        RunStartupRepairs(m_ctx.main());
        QString iniError;
        loadSettings(m_ctx.main(), m_ctx.paths().cyszIni(), s.settings, &iniError);
        if (!iniError.isEmpty())
            MessageBox::information(this, QStringLiteral("无法读取设置文件 cysz.ini，使用默认设置。"), iniError);
    } catch (const DbError &e) {
        MessageBox::information(this, e.message());
        return false;
    }

    const QString shortName = s.settings.value(QStringLiteral("公司简称"));
    MessageBox::setCompanyShortName(shortName);
    m_main->applyHelpMenuRules();
    if (shortName == vendor::kShortName) {
        Tgongneng_tishi tips(this);
        tips.exec();
    }
    m_loggedIn = true;
    m_main->showMaximized();
    return true;
}

void Tlogin::reject()
{
    close();
}

void Tlogin::closeEvent(QCloseEvent *event)
{
    // Before a login, closing the login window in any way ends the program; afterwards it only hides.
    if (m_loggedIn) {
        event->ignore();
        hide();
        return;
    }
    event->accept();
    QApplication::quit();
}

} // namespace verdalo
