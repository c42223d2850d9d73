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

} // namespace rt
