#pragma once

#include <QByteArray>
#include <QString>

namespace verdalo {

// Reversible 6-bit packing used for stored passwords (kf.ini, the SMS account). Not encryption: it only keeps
// a password from being read at a glance. Works on the GBK bytes of the text.
QByteArray ScrambleText(const QByteArray &bytes);
QByteArray UnscrambleText(const QByteArray &bytes);
QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);

// Breaks a receipt line so that each piece holds about `width` GBK bytes; pieces are joined by "\r".
QString WrapReceiptText(int width, const QString &text);

} // namespace verdalo
