#pragma once

#include "runtime/core/clock.h"

#include <QtGlobal>

#include <functional>
#include <map>
#include <vector>

/// A clock the test drives: a task started from the test runs to its end before the call that
/// started it returns, every pause jumping straight to its end, so animations run in no real
/// time and frame for frame the same on every run. Actions can be scheduled at a virtual time;
/// they run when the time reaches it, as a click during a pause. A task that polls on without
/// the time moving can never end here: the test aborts at once.
class TestClock final : public rt::Clock {
public:
    TestClock();
    ~TestClock() override;
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    std::uint32_t ticks() override { return poll(); }
    void wakeIn(std::int32_t ms) override;

    /// Runs `action` when the time reaches `time` during a pause.
    void at(quint32 time, std::function<void()> action);
    /// Runs `action` at the start of every pause and every part of a pause that an action cut
    /// short, after those added before.
    void onWait(std::function<void()> action) { onWait_.push_back(std::move(action)); }
    void setNow(quint32 time) { now_ = time; }
    /// Whether a scheduled action is still to run.
    bool hasPending() const { return !actions_.empty(); }
    /// Moves on to the earliest scheduled action and runs it, as the event loop at rest would.
    void runNext();
    quint32 now() const { return now_; }
    /// Times the event loop came back to a waiting task.
    int idles() const { return idles_; }

private:
    quint32 poll(); // counts a reading or a pass at the current time, and returns it

    quint32 now_ = 1000;
    quint32 polledAt_ = now_;
    int polls_ = 0; // at polledAt_, without an action run
    int idles_ = 0;
    bool driving_ = false;
    std::multimap<quint32, std::function<void()>> actions_;
    std::vector<std::function<void()>> onWait_;
};
