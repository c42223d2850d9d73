#pragma once

#include <cstdint>

namespace rt {

/// Where the millisecond count comes from, and how the program idles until an event or a
/// deadline. Each backend brings one that waits in its own event loop; tests install a clock
/// of their own to drive animations exactly and fast.
class Clock {
public:
    virtual ~Clock() = default;

    /// Milliseconds since an arbitrary start; counts up by one per millisecond and wraps at 2^32.
    virtual std::uint32_t ticks() = 0;

    /// Processes pending events; when none is pending, waits up to `maxMs` for one to arrive.
    virtual void idle(std::int32_t maxMs) = 0;
};

/// The clock in use: the one installed, else the backend's, else a plain clock that sleeps.
Clock &clock();

/// Installs `c` as the clock in use; nullptr goes back to the backend's. The caller keeps
/// ownership.
void setClock(Clock *c);

/// Makes `c` the backend's clock, used while no other is installed.
void setBackendClock(Clock *c);

/// The millisecond counter of the clock in use.
std::uint32_t Ticks();

/// When an idle of `maxMs` ends, in nanoseconds of a clock that last gave the counter
/// `lastReadingMs` and now reads `nowNs`: at the start of the millisecond at which the counter
/// shows that reading plus `maxMs`, however late the caller woke, so that frames do not
/// drift; never more than `maxMs` from now.
std::int64_t wakeDeadlineNs(std::int64_t lastReadingMs, std::int64_t nowNs, std::int32_t maxMs);

} // namespace rt
