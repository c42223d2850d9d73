#pragma once

#include <cstdint>

namespace rt {

/// Where the millisecond count comes from, and when the front end's event loop comes back to
/// a waiting task. Each backend brings one whose timer calls rt::resumeDue; tests install a
/// clock of their own to drive animations exactly and fast.
class Clock {
public:
    virtual ~Clock() = default;

    /// Milliseconds since an arbitrary start; counts up by one per millisecond and wraps at 2^32.
    virtual std::uint32_t ticks() = 0;

    /// Calls rt::resumeDue once `ms` milliseconds from the last reading of ticks() have passed,
    /// in place of any call asked for before; -1: no call. Only from the event loop, never
    /// from within this call.
    virtual void wakeIn(std::int32_t ms) = 0;
};

/// The clock in use: the one installed, else the backend's, else a plain clock that sleeps
/// through every pause (a program without an event loop).
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
