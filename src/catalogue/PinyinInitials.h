#pragma once

#include <QByteArray>
#include <QString>

namespace verdalo {

// The initials of the Mandarin readings of a GBK text: 西红柿 -> "XHS". Letters come upper-case, digits and
// ASCII letters pass through, other characters are dropped. Pure: one table lookup per character.
namespace pinyin_options {
constexpr qint32 QuestionMark = 2; // a character without a reading gives "?"
constexpr qint32 KeepAll = 4;      // characters that are not letters or digits are kept
} // namespace pinyin_options

QByteArray PinyinInitials(const QByteArray &gbkText, qint32 options, int maxLength);

// The same over a null-terminated buffer; the result is allocated with malloc and released with free().
char *PinyinInitialsBuffer(const char *gbkText, qint32 options, int maxLength);

// What the catalogue stores in 菜单表.拼音: the lower-case initials of the name, at most 20.
QString itemInitials(const QString &name);

} // namespace verdalo
