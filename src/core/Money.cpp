#include "core/Money.h"

#include <cmath>

namespace verdalo {
namespace {

std::int64_t pow10(int n)
{
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Divides rounding half away from zero.
std::int64_t divRound(__int128 value, std::int64_t divisor)
{
    const __int128 q = value / divisor;
    const __int128 r = value % divisor;
    if (2 * (r < 0 ? -r : r) >= divisor)
        return static_cast<std::int64_t>(value < 0 ? q - 1 : q + 1);
    return static_cast<std::int64_t>(q);
}

} // namespace

Money Money::fromDouble(double yuan)
{
    if (!std::isfinite(yuan))
        return {};
    return Money(static_cast<std::int64_t>(std::llround(yuan * kScale)));
}

bool Money::parse(const QString &text, Money *out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    __int128 whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80; ++i, ++digits) {
        whole = whole * 10 + (t[i].unicode() - '0');
        if (whole > static_cast<__int128>(INT64_MAX / kScale))
            return false;
    }
    __int128 frac = 0;
    int fracDigits = 0;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        for (; i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80; ++i) {
            if (fracDigits < 18) {
                frac = frac * 10 + (t[i].unicode() - '0');
                ++fracDigits;
            }
            ++digits;
        }
    }
    if (i != t.size() || digits == 0)
        return false;
    __int128 units = whole * kScale;
    if (fracDigits <= 4)
        units += frac * pow10(4 - fracDigits);
    else
        units += divRound(frac, pow10(fracDigits - 4));
    *out = Money(static_cast<std::int64_t>(negative ? -units : units));
    return true;
}

Money Money::fromVariant(const QVariant &v)
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return Money(v.toLongLong() * kScale);
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        Money m;
        return parse(v.toString(), &m) ? m : Money();
    }
    default:
        return fromDouble(v.toDouble());
    }
}

QString Money::toString(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t r = rounded(decimals).m_units;
    const std::int64_t absUnits = r < 0 ? -r : r;
    QString s = QString::number(absUnits / kScale);
    if (decimals > 0) {
        const std::int64_t frac = (absUnits % kScale) / pow10(4 - decimals);
        s += QLatin1Char('.') + QStringLiteral("%1").arg(frac, decimals, 10, QLatin1Char('0'));
    }
    return r < 0 ? QLatin1Char('-') + s : s;
}

Money Money::rounded(int decimals) const
{
    decimals = std::clamp(decimals, 0, 4);
    const std::int64_t step = pow10(4 - decimals);
    return Money(divRound(m_units, step) * step);
}

Money Money::times(Money factor) const
{
    return Money(divRound(static_cast<__int128>(m_units) * factor.m_units, kScale));
}

Money Money::dividedBy(std::int64_t divisor) const
{
    return divisor == 0 ? Money() : Money(divRound(m_units, divisor));
}

Money Money::scaled(Money factor, std::int64_t divisor) const
{
    if (divisor == 0)
        return {};
    return Money(divRound(static_cast<__int128>(m_units) * factor.m_units, kScale * divisor));
}

Money Money::times(double factor) const
{
    return times(fromDouble(factor));
}

namespace {
QString trimZeros(QString s)
{
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}
} // namespace

QString shortDecimal(double value)
{
    return trimZeros(QString::number(value, 'f', 4));
}

QString shortMoney(Money m)
{
    return trimZeros(m.toString(4));
}

} // namespace verdalo
