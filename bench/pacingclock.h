#pragma once

#include "runtime/core/clock.h"
#include "runtime/qt/clock.h"

#include <QElapsedTimer>

#include <vector>

namespace bench {

/// The real clock, plus a note of when each frame's pacing wait begins and ends.
///
/// Every wait ends with an idle(0): its last pass finds the time up and only processes what is
/// pending. So the first idle that waits after an idle(0) begins the next frame's wait. Its
/// maxMs is normally the whole delay, or one less when the millisecond ticked between the
/// wait's first two readings; and the idle right after a frame's repaint may ask for the whole
/// delay again, which is why maxMs alone cannot tell where a frame begins.
class PacingClock final : public rt::Clock {
public:
    PacingClock();

    quint32 ticks() override;
    void idle(qint32 maxMs) override;

    /// When each frame's wait began, in microseconds since the clock was made.
    const std::vector<qint64> &frameStarts() const { return starts_; }
    /// Idle calls in all.
    qint64 idles() const { return idles_; }

    /// The periods from one wait's start to the next, summed and split in three, in
    /// nanoseconds: from the start to the deadline (the millisecond at which the counter shows
    /// the delay gone), from the deadline to the reading that found it past, and from that
    /// reading to the next wait (the wait's last pass over pending events, then the frame).
    struct Split {
        qint64 toDeadline = 0;
        qint64 pastDeadline = 0;
        qint64 afterWait = 0;
        bool valid = true; // false when the counter is not the monotonic clock's milliseconds
    };
    const Split &split() const { return split_; }

private:
    rt::qt::SteadyClock steady_;
    QElapsedTimer elapsed_;
    std::vector<qint64> starts_;
    qint64 idles_ = 0;
    bool afterWaitEnd_ = true;
    qint64 readingNs_ = 0;   // when the latest reading was taken
    qint64 readingMs_ = 0;   // the latest reading, unwrapped
    qint64 startNs_ = -1;    // the current wait's start
    qint64 deadlineNs_ = 0;  // its deadline
    qint64 foundPastNs_ = 0; // the reading that found the deadline past
    Split split_;
};

} // namespace bench
