#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"

#include <QCoreApplication>

TestClock::TestClock() {
    rt::setClock(this);
}

TestClock::~TestClock() {
    rt::setClock(nullptr);
}

// The event loop, in virtual time, for as long as a task waits.
void TestClock::wakeIn(std::int32_t ms) {
    if (driving_) return;
    driving_ = true;
    for (; ms >= 0 && !rt::ending(); ms = rt::msToNextWake()) {
        ++idles_;
        poll();
        if (ms > 0)
            for (const auto &action : onWait_)
                action();
        const quint32 deadline = now_ + static_cast<quint32>(ms);
        if (!actions_.empty() && actions_.begin()->first <= deadline) {
            // An event arrives before the pause is over.
            runNext();
        } else {
            now_ = deadline;
        }
        QCoreApplication::processEvents();
        rt::resumeDue();
    }
    driving_ = false;
}

void TestClock::at(quint32 time, std::function<void()> action) {
    actions_.emplace(time, std::move(action));
}

void TestClock::runNext() {
    if (actions_.empty()) return;
    polls_ = 0;
    auto next = actions_.begin();
    now_ = std::max(now_, next->first);
    const auto action = std::move(next->second);
    actions_.erase(next);
    action();
}

quint32 TestClock::poll() {
    if (now_ != polledAt_) polls_ = 0;
    polledAt_ = now_;
    if (++polls_ == 10'000)
        qFatal("the time stands at %u after 10000 polls: a wait that can never end", now_);
    return now_;
}
