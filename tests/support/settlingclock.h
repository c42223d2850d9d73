#pragma once

#include "runtime/qt/clock.h"

/// The real clock, for tests that click and then look: a task started from a test's click or
/// key runs to its end, in real time, before that click returns. The program's own loop does
/// not wait so; only here the test's input waits in Qt's event loop until no task is left,
/// while the real alarm resumes the tasks as it does in the program.
class SettlingClock final : public rt::Clock {
public:
    SettlingClock() = default;
    SettlingClock(const SettlingClock &) = delete;
    SettlingClock &operator=(const SettlingClock &) = delete;

    std::uint32_t ticks() override { return steady_.ticks(); }
    void wakeIn(std::int32_t ms) override;

private:
    rt::qt::SteadyClock steady_;
    bool settling_ = false;
};
