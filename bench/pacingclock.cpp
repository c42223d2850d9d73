#include "pacingclock.h"

#include "probe.h"

namespace bench {

PacingClock::PacingClock() {
    elapsed_.start();
    starts_.reserve(1024);
}

quint32 PacingClock::ticks() {
    const quint32 ms = steady_.ticks();
    readingNs_ = monotonicNs();
    // The counter is the monotonic clock's milliseconds cut to 32 bits: put back the high bits
    // to place its deadlines on the same clock as the readings.
    const qint64 nowMs = readingNs_ / 1'000'000;
    const auto behind = qint64(qint32(quint32(nowMs) - ms));
    if (behind < 0 || behind > 5) split_.valid = false;
    readingMs_ = nowMs - behind;
    return ms;
}

void PacingClock::idle(qint32 maxMs) {
    ++idles_;
    const qint64 now = monotonicNs();
    if (afterWaitEnd_ && maxMs > 0) {
        // A wait begins; the previous one's period is complete.
        if (startNs_ >= 0) {
            split_.toDeadline += deadlineNs_ - startNs_;
            split_.pastDeadline += foundPastNs_ - deadlineNs_;
            split_.afterWait += now - foundPastNs_;
        }
        starts_.push_back(elapsed_.nsecsElapsed() / 1000);
        startNs_ = now;
        // The wait goes on until the counter shows the latest reading plus maxMs.
        deadlineNs_ = (readingMs_ + maxMs) * 1'000'000;
    }
    if (maxMs <= 0 && !afterWaitEnd_) foundPastNs_ = readingNs_;
    // Set before idling: a click handled inside this idle may run waits of its own.
    afterWaitEnd_ = maxMs <= 0;
    steady_.idle(maxMs);
}

} // namespace bench
