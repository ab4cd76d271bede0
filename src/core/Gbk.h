#pragma once

#include <QByteArray>
#include <QString>

namespace verdalo::gbk {

// GBK is the code page of the shop's files and of every byte-oriented rule (receipt widths, the password
// scrambling). A character GBK cannot represent becomes "?" so a byte count never fails.
QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Width of one character in GBK bytes: 1 for ASCII, 2 for everything else.
int charWidth(char32_t codePoint);

bool isValidUtf8(const QByteArray &bytes);

} // namespace verdalo::gbk
