#include "app/form1.h"

#include "runtime/core/clock.h"
#include "runtime/core/events.h"

// Holds the caller for `Milliseconds` while the window stays responsive: every click that
// arrives meanwhile runs its handler inside this wait, and the wait then goes on. Between two
// readings of the clock the program sleeps in the event loop until an event arrives or the
// time is up, instead of polling.
void Form1::Wait(rt::Long Milliseconds) {
    if (Milliseconds <= 0) return; // the first test finds nothing elapsed: no event is processed
    const auto wanted = static_cast<std::uint32_t>(Milliseconds);
    const std::uint32_t start = rt::Ticks();
    std::uint32_t latest = start;
    // Unsigned differences stay right across the counter's wrap. Each test uses the reading
    // taken before the events of the same pass.
    while (latest - start < wanted) {
        latest = rt::Ticks();
        const std::uint32_t elapsed = latest - start;
        rt::DoEventsWaiting(elapsed < wanted ? static_cast<std::int32_t>(wanted - elapsed) : 0);
    }
}
