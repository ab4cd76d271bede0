#pragma once

#include <QString>
#include <QVariant>

#include <compare>
#include <cstdint>

namespace verdalo {

// An amount in yuan held exactly as ten-thousandths (four decimals, like the database columns). Rounding is
// always half away from zero and happens only where a rule asks for it.
class Money
{
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static Money fromDouble(double yuan);
    // Parses "12", "-3.5", "0.0001"; more than four decimals are rounded. Returns false on anything else.
    static bool parse(const QString &text, Money *out);
    // A value read from the database: numbers, numeric texts, null (zero).
    static Money fromVariant(const QVariant &v);

    constexpr std::int64_t units() const { return m_units; }
    double toDouble() const { return static_cast<double>(m_units) / kScale; }
    QVariant toVariant() const { return toDouble(); }
    // Fixed number of decimals (0 to 4), rounded half away from zero.
    QString toString(int decimals = 2) const;

    Money rounded(int decimals) const;
    // Quantity times price, rounded to four decimals.
    Money times(Money factor) const;
    Money times(double factor) const;
    // Divided by a whole number, rounded to four decimals.
    Money dividedBy(std::int64_t divisor) const;
    // this × factor ÷ divisor with a single rounding to four decimals (a discount in tenths: scaled(rate, 10)).
    Money scaled(Money factor, std::int64_t divisor) const;

    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    Money &operator+=(Money o)
    {
        m_units += o.m_units;
        return *this;
    }
    Money &operator-=(Money o)
    {
        m_units -= o.m_units;
        return *this;
    }
    constexpr auto operator<=>(const Money &) const = default;
    constexpr bool isZero() const { return m_units == 0; }

private:
    constexpr explicit Money(std::int64_t u)
        : m_units(u)
    {
    }
    std::int64_t m_units = 0;
};

// A number in its shortest decimal form with up to four decimals: 12.5, 3, 0.0001.
QString shortDecimal(double value);
// An amount the way the shop writes it: the shortest decimal form (38, 9.5, 0.01).
QString shortMoney(Money m);

} // namespace verdalo
