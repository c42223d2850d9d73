#include "runtime/core/task.h"

#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/runtimeerror.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace rt {

namespace {

struct Started {
    explicit Started(Task t) : task(std::move(t)), next(task.handle()) {}
    Task task;
    co::coroutine_handle<> next; // where it goes on; empty while it runs
    std::uint32_t since = 0;     // when its pause began, on the clock's counter
    std::function<Long()> length;
};

// Oldest first: only the newest goes on, so that a handler started during another's pause
// runs to its end before the one it interrupted.
std::vector<std::unique_ptr<Started>> tasks;
Started *running = nullptr;

void run(Started &s) {
    Started *outer = std::exchange(running, &s);
    dispatch([&s] {
        std::exchange(s.next, {}).resume();
        if (s.task.done()) s.task.rethrow();
    });
    running = outer;
}

void dropIfDone(const Started *s) {
    if (!s->task.done()) return;
    const auto at = std::find_if(tasks.begin(), tasks.end(),
                                 [s](const std::unique_ptr<Started> &t) { return t.get() == s; });
    if (at != tasks.end()) tasks.erase(at);
}

// What is left of the newest task's pause, in milliseconds; 0 when it is due.
std::int64_t left(const Started &s) {
    const Long wanted = s.length ? s.length() : 0;
    if (wanted <= 0) return 0;
    // Unsigned differences stay right across the counter's wrap.
    const std::uint32_t elapsed = Ticks() - s.since;
    return elapsed >= static_cast<std::uint32_t>(wanted) ? 0 : std::int64_t(wanted) - elapsed;
}

} // namespace

void afterHandler() {
    if (running) return;
    if (ending())
        abandonTasks();
    else
        reschedule();
}

bool Pause::await_ready() {
    return length_() <= 0;
}

void Pause::await_suspend(co::coroutine_handle<> task) {
    if (!running) raise(ErrorCode::InvalidCall, "a pause outside a started task");
    running->next = task;
    running->since = Ticks();
    running->length = length_;
}

void Pause::await_resume() const {
    throwIfEnding();
}

void start(Task task) {
    if (ending() || task.done()) return;
    tasks.push_back(std::make_unique<Started>(std::move(task)));
    Started *s = tasks.back().get();
    run(*s);
    dropIfDone(s);
    afterHandler();
}

bool waiting() {
    return !tasks.empty();
}

std::int32_t msToNextWake() {
    if (running || tasks.empty()) return -1;
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(left(*tasks.back()), std::numeric_limits<std::int32_t>::max()));
}

void resumeDue() {
    if (running) return;
    while (!tasks.empty() && !ending()) {
        Started &newest = *tasks.back();
        if (left(newest) > 0) break;
        run(newest);
        dropIfDone(&newest);
    }
    afterHandler();
}

void reschedule() {
    clock().wakeIn(msToNextWake());
}

void abandonTasks() {
    // Newest first, as they would have ended; each frame's locals go with it.
    while (!tasks.empty() && tasks.back().get() != running)
        tasks.pop_back();
}

} // namespace rt
