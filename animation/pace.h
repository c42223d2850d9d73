#pragma once

#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/types.h"

#include <cstdint>

namespace animation {

/// Holds the caller until `length()` milliseconds have passed since the start, while the window
/// stays responsive: every click that arrives meanwhile runs its handler inside this wait, and
/// the wait then goes on. The length is asked for again after the events of every pass, so a
/// wait can follow a box the user types into. Between two readings of the clock the program
/// sleeps in the event loop until an event arrives or the time is up, instead of polling.
template <typename Length> void pace(Length length) {
    rt::Long wanted = length();
    if (wanted <= 0) return; // the first test finds nothing elapsed: no event is processed
    const std::uint32_t start = rt::Ticks();
    std::uint32_t latest = start;
    // Unsigned differences stay right across the counter's wrap. Each test uses the reading
    // taken before the events of the same pass.
    while (latest - start < static_cast<std::uint32_t>(wanted)) {
        latest = rt::Ticks();
        const std::uint32_t elapsed = latest - start;
        const auto left = static_cast<std::uint32_t>(wanted) - elapsed;
        rt::DoEventsWaiting(
            elapsed < static_cast<std::uint32_t>(wanted) ? static_cast<std::int32_t>(left) : 0);
        wanted = length();
        if (wanted <= 0) return;
    }
}

} // namespace animation
