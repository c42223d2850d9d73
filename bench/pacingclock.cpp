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
    if (startNs_ >= 0 && foundPastNs_ == 0 && readingMs_ >= deadlineMs_) foundPastNs_ = readingNs_;
    return ms;
}

void PacingClock::wakeIn(qint32 ms) {
    ++idles_;
    const qint64 deadlineMs = readingMs_ + ms;
    if (ms > 0 && deadlineMs != deadlineMs_) {
        // A pause begins; the previous one's period is complete.
        const qint64 now = monotonicNs();
        if (startNs_ >= 0 && foundPastNs_ > 0) {
            split_.toDeadline += deadlineMs_ * 1'000'000 - startNs_;
            split_.pastDeadline += foundPastNs_ - deadlineMs_ * 1'000'000;
            split_.afterWait += now - foundPastNs_;
        }
        starts_.push_back(elapsed_.nsecsElapsed() / 1000);
        startNs_ = now;
        deadlineMs_ = deadlineMs;
        foundPastNs_ = 0;
    }
    steady_.wakeIn(ms);
}

} // namespace bench
