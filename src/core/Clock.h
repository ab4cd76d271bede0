#pragma once

#include <QDateTime>

namespace verdalo {

// Where "now" comes from. Services take a Clock so business dates, order numbers and timers can be tested at
// any moment of the day without waiting for it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;

    // The wall clock of this machine; shared by the whole program.
    static Clock &system();
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime at)
        : m_now(std::move(at))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &at) { m_now = at; }
    void advanceSeconds(qint64 s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};

} // namespace verdalo
