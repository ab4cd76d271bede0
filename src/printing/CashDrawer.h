#pragma once

#include <QString>

namespace verdalo {

// Sends the drawer-kick pulse (ESC p 0, 120 ms on, 510 ms off) to the receipt printer's port. The port is a
// device path ("/dev/usb/lp0"); the names of the shop's PCs map to the devices ("LPT1" -> /dev/lp0,
// "COM1" -> /dev/ttyS0); an empty port means the shop has no drawer. Nothing is ever created: a port that does
// not exist is an error. False with the
// operator's message (the fixed text, a line break, the system's reason) when the pulse could not be sent.
bool openCashDrawer(const QString &port, QString *error);

QString cashDrawerDevice(const QString &port);

} // namespace verdalo
