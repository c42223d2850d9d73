#pragma once

#include "runtime/core/clock.h"
#include "runtime/qt/clock.h"

#include <QElapsedTimer>

#include <vector>

namespace bench {

/// The real clock, plus a note of when each frame's pause begins and ends.
///
/// A pause begins when the clock is asked to wake at a deadline other than the one it already
/// has: a pause set again (an early alarm, input meanwhile) keeps its deadline.
class PacingClock final : public rt::Clock {
public:
    PacingClock();

    quint32 ticks() override;
    void wakeIn(qint32 ms) override;

    /// When each frame's pause began, in microseconds since the clock was made.
    const std::vector<qint64> &frameStarts() const { return starts_; }
    /// Times the alarm was set, in all.
    qint64 idles() const { return idles_; }

    /// The periods from one pause's start to the next, summed and split in three, in
    /// nanoseconds: from the start to the deadline (the millisecond at which the counter shows
    /// the delay gone), from the deadline to the reading that found it past, and from that
    /// reading to the next pause (the frame).
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
    qint64 readingNs_ = 0;   // when the latest reading was taken
    qint64 readingMs_ = 0;   // the latest reading, unwrapped
    qint64 startNs_ = -1;    // the current pause's start
    qint64 deadlineMs_ = -1; // its deadline on the counter, unwrapped
    qint64 foundPastNs_ = 0; // the reading that found the deadline past; 0 before
    Split split_;
};

} // namespace bench
