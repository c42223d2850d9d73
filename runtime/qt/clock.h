#pragma once

#include "runtime/core/clock.h"

#include <QtGlobal>

#include <functional>
#include <memory>

namespace rt::qt {

/// The real clock: monotonic milliseconds, idling blocked in the event loop until an event
/// arrives or the deadline has come.
class SteadyClock final : public rt::Clock {
public:
    /// `nowNs` reads the monotonic clock in nanoseconds; by default the system's.
    explicit SteadyClock(std::function<qint64()> nowNs = {});
    ~SteadyClock() override;
    SteadyClock(const SteadyClock &) = delete;
    SteadyClock &operator=(const SteadyClock &) = delete;

    std::uint32_t ticks() override;
    void idle(std::int32_t maxMs) override;

    /// When a wait of `maxMs` from the last reading of ticks() ends, in nanoseconds: at the
    /// start of the millisecond the counter then shows, however late the caller woke up.
    qint64 deadlineNs(qint32 maxMs) const;

private:
    class Alarm;
    std::function<qint64()> nowNs_;
    qint64 lastReadingMs_ = 0;
    std::unique_ptr<Alarm> alarm_;
};

} // namespace rt::qt
