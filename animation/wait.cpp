#include "app/form1.h"

#include "runtime/clock.h"
#include "runtime/events.h"

// Holds the caller for `Milliseconds` while the window stays responsive: every click that
// arrives meanwhile runs its handler inside this wait, and the wait then goes on. Between two
// readings of the clock the program sleeps in the event loop until an event arrives or the
// time is up, instead of polling.
void Form1::Wait(rt::Long Milliseconds) {
    if (Milliseconds <= 0) return; // the first test finds nothing elapsed: no event is processed
    const auto wanted = static_cast<quint32>(Milliseconds);
    const quint32 start = rt::Ticks();
    quint32 latest = start;
    // Unsigned differences stay right across the counter's wrap. Each test uses the reading
    // taken before the events of the same pass.
    while (latest - start < wanted) {
        latest = rt::Ticks();
        const quint32 elapsed = latest - start;
        rt::DoEventsWaiting(elapsed < wanted ? static_cast<qint32>(wanted - elapsed) : 0);
    }
}
