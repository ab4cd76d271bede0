#pragma once

#include "core/Db.h"
#include "core/Session.h"

#include <QString>
#include <QStringList>

namespace verdalo {

// How calls reach this workstation, as chosen in the login window.
struct DeviceChoice
{
    bool serial = false; // "串口来电": caller-ID box or modem on a serial port
    QString port;        // "1" ... "8"
    QString boxType;     // "usb来电宝", "一路", "二路", "四路"
    bool usb = false;    // "USB来电": recording box
    QString model;       // "H型", "H型无录音"
    QString lines;       // "1", "2", "4", "8", "16"
};

// The database side of logging in: the last device choice, the checks of the choice, storing it, the refresh
// period. The credential check itself is the operator service's.
class LoginService
{
public:
    static const QStringList &boxTypes();

    LoginService(Db &main, Db &local)
        : m_main(main)
        , m_local(local)
    {
    }

    DeviceChoice lastDeviceChoice();
    // The refusal for a device choice before the button is disabled (type, then port range); empty when fine.
    static QString checkBoxType(const DeviceChoice &c);
    // The refusal once the button is disabled (no port); empty when fine.
    static QString checkPort(const DeviceChoice &c);

    // Writes the choice into the session and into the local tables, in one transaction.
    void storeDeviceChoice(const DeviceChoice &c, Session &session);
    int refreshSeconds();

private:
    Db &m_main;
    Db &m_local;
};

} // namespace verdalo
