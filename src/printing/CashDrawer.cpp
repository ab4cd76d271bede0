#include "printing/CashDrawer.h"

#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace verdalo {

QString cashDrawerDevice(const QString &port)
{
    const QString p = port.trimmed();
    static const QRegularExpression lpt(QStringLiteral("^LPT([1-9])$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]?)$"), QRegularExpression::CaseInsensitiveOption);
    if (const auto m = lpt.match(p); m.hasMatch())
        return QStringLiteral("/dev/lp%1").arg(m.captured(1).toInt() - 1);
    if (const auto m = com.match(p); m.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    return p;
}

bool openCashDrawer(const QString &port, QString *error)
{
    static const unsigned char pulse[] = { 0x1B, 0x70, 0x00, 0x3C, 0xFF };
    const QString device = cashDrawerDevice(port);
    // An empty port is how a shop without a drawer switches it off (the error text says so).
    if (device.isEmpty())
        return true;
    QString reason;
    {
        const QByteArray path = device.toLocal8Bit();
        // Non-blocking: a pipe with nobody reading, or a printer port that is gone, fails at once instead of
        // freezing the window.
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            reason = QString::fromLocal8Bit(std::strerror(errno));
        } else {
            const ssize_t n = ::write(fd, pulse, sizeof pulse);
            const int writeErrno = errno;
            if (n != static_cast<ssize_t>(sizeof pulse))
                reason = n < 0 ? QString::fromLocal8Bit(std::strerror(writeErrno)) : QStringLiteral("写入不完整");
            if (::close(fd) != 0 && reason.isEmpty())
                reason = QString::fromLocal8Bit(std::strerror(errno));
        }
    }
    if (reason.isEmpty())
        return true;
    if (error) {
        *error = QStringLiteral("开钱箱出错！请检查连接，没有钱箱请将系统设置的“钱箱接口”选择成空的。") + QLatin1Char('\r')
            + device + QStringLiteral("：") + reason;
    }
    return false;
}

} // namespace verdalo
