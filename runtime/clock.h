#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

namespace rt {

/// Where the millisecond count comes from, and how the program idles until an event or a
/// deadline; tests install a clock of their own to drive animations exactly and fast.
class Clock {
public:
    virtual ~Clock() = default;

    /// Milliseconds since an arbitrary start; counts up by one per millisecond and wraps at 2^32.
    virtual quint32 ticks() = 0;

    /// Processes pending events; when none is pending, waits up to `maxMs` for one to arrive.
    virtual void idle(qint32 maxMs) = 0;
};

/// The real clock: monotonic milliseconds, idling blocked in the event loop until an event
/// arrives or the deadline has come.
class SteadyClock final : public Clock {
public:
    /// `nowNs` reads the monotonic clock in nanoseconds; by default the system's.
    explicit SteadyClock(std::function<qint64()> nowNs = {});
    ~SteadyClock() override;
    SteadyClock(const SteadyClock &) = delete;
    SteadyClock &operator=(const SteadyClock &) = delete;

    quint32 ticks() override;
    void idle(qint32 maxMs) override;

    /// When a wait of `maxMs` from the last reading of ticks() ends, in nanoseconds: at the
    /// start of the millisecond the counter then shows, however late the caller woke up.
    qint64 deadlineNs(qint32 maxMs) const;

private:
    class Alarm;
    std::function<qint64()> nowNs_;
    qint64 lastReadingMs_ = 0;
    std::unique_ptr<Alarm> alarm_;
};

/// The clock in use.
Clock &clock();

/// Installs `c` as the clock in use; nullptr restores the steady clock. The caller keeps ownership.
void setClock(Clock *c);

/// The millisecond counter of the clock in use.
quint32 Ticks();

} // namespace rt
