#pragma once

#include "runtime/core/clock.h"

#include <QtGlobal>

#include <functional>
#include <memory>

namespace rt::qt {

/// The real clock: monotonic milliseconds, and an alarm in Qt's event loop that resumes the
/// waiting task when its pause is over. Between two frames the program sleeps in the loop.
class SteadyClock final : public rt::Clock {
public:
    /// `nowNs` reads the monotonic clock in nanoseconds; by default the system's.
    explicit SteadyClock(std::function<qint64()> nowNs = {});
    ~SteadyClock() override;
    SteadyClock(const SteadyClock &) = delete;
    SteadyClock &operator=(const SteadyClock &) = delete;

    std::uint32_t ticks() override;
    void wakeIn(std::int32_t ms) override;

    /// When a pause of `maxMs` from the last reading of ticks() ends, in nanoseconds: at the
    /// start of the millisecond the counter then shows, however late the program woke up.
    qint64 deadlineNs(qint32 maxMs) const;

private:
    class Alarm;
    std::function<qint64()> nowNs_;
    qint64 lastReadingMs_ = 0;
    std::unique_ptr<Alarm> alarm_;
};

} // namespace rt::qt
