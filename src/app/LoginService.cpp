#include "app/LoginService.h"

#include "settings/WorkstationSettings.h"

namespace verdalo {

const QStringList &LoginService::boxTypes()
{
    static const QStringList types { QStringLiteral("usb来电宝"), QStringLiteral("一路"), QStringLiteral("二路"),
                                     QStringLiteral("四路") };
    return types;
}

DeviceChoice LoginService::lastDeviceChoice()
{
    DeviceChoice c;
    const auto port = m_local.first(QStringLiteral("select * from 串口编号"));
    const QString portText = port ? port->text(QStringLiteral("编号")) : QString();
    if (port && !portText.isEmpty() && portText != QLatin1String("0")) {
        c.serial = true;
        c.port = portText;
        const auto type = m_local.first(QStringLiteral("select * from 来电路数"));
        c.boxType = type ? type->text(QStringLiteral("路数")) : QString();
    }
    const auto rec = m_local.first(QStringLiteral("select * from 录音设备"));
    if (rec && !rec->text(QStringLiteral("录音设备")).isEmpty()) {
        c.usb = true;
        c.model = rec->text(QStringLiteral("录音设备"));
        c.lines = rec->text(QStringLiteral("路数"));
    }
    return c;
}

QString LoginService::checkBoxType(const DeviceChoice &c)
{
    if (!c.boxType.isEmpty() && !boxTypes().contains(c.boxType))
        return QStringLiteral("接收设备类型选择错误！！");
    bool ok = false;
    const int port = c.port.toInt(&ok);
    if (c.serial && c.boxType != QStringLiteral("usb来电宝") && !c.boxType.isEmpty() && ok && port > 4)
        return QStringLiteral("一路和二路和四路的来电显示接收盒有效串口编号为1-4，请重新进行设置！！");
    return {};
}

QString LoginService::checkPort(const DeviceChoice &c)
{
    if (!c.serial)
        return {};
    bool ok = false;
    const int port = c.port.trimmed().toInt(&ok);
    // No port, or anything that is not one of the ports 1 to 8.
    if (!ok || port < 1 || port > 8)
        return QStringLiteral("请选择串口编号！！");
    return {};
}

void LoginService::storeDeviceChoice(const DeviceChoice &c, Session &s)
{
    Transaction tx(m_local);
    if (c.serial) {
        s.loginMode = QStringLiteral("来电登陆");
        s.callerIdBoxType = c.boxType;
        s.callerIdPort = c.port.toInt();
        m_local.exec(QStringLiteral("update 串口编号 set 编号=:编号"), { { QStringLiteral("编号"), c.port.toInt() } });
        m_local.exec(QStringLiteral("update 来电路数 set 路数=:路数"), { { QStringLiteral("路数"), c.boxType } });
    } else {
        s.loginMode = QStringLiteral("无来电登陆");
        m_local.exec(QStringLiteral("update 串口编号 set 编号=:编号"), { { QStringLiteral("编号"), 0 } });
    }
    if (c.usb) {
        s.loginMode = QStringLiteral("录音登陆") + c.model;
        s.recordingLines = c.lines.toInt();
        m_local.exec(QStringLiteral("update 录音设备 set 录音设备=:录音设备,路数=:路数"),
                     { { QStringLiteral("录音设备"), c.model }, { QStringLiteral("路数"), c.lines.toInt() } });
    } else {
        m_local.exec(QStringLiteral("update 录音设备 set 录音设备=:录音设备"), { { QStringLiteral("录音设备"), QString() } });
    }
    tx.commit();
}

int LoginService::refreshSeconds()
{
    return readRefreshSeconds(m_local);
}

} // namespace verdalo
