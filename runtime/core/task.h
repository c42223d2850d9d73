#pragma once

#include "runtime/core/coroutine.h"
#include "runtime/core/types.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

namespace rt {

/// A handler that waits: a coroutine that reads as a sequence of frames. `co_await` on a pause
/// suspends it and returns to the front end's event loop, whose timer resumes it when the pause
/// is over; `co_await` on another task runs that one within it. A task does nothing until it is
/// started (rt::start) or awaited.
class [[nodiscard]] Task {
public:
    struct promise_type;
    using Handle = co::coroutine_handle<promise_type>;

    struct promise_type {
        co::coroutine_handle<> awaiting; // the task that awaits this one; none for a started one
        std::exception_ptr error;

        Task get_return_object() noexcept { return Task(Handle::from_promise(*this)); }
        co::suspend_always initial_suspend() noexcept { return {}; }
        // The end goes straight on with the task that awaited this one. (Not by returning its
        // handle: the browser's compiler would need WebAssembly tail calls for that.)
        struct Final {
            bool await_ready() noexcept { return false; }
            void await_suspend(Handle h) noexcept {
                if (co::coroutine_handle<> awaiting = h.promise().awaiting) awaiting.resume();
            }
            void await_resume() noexcept {}
        };
        Final final_suspend() noexcept { return {}; }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { error = std::current_exception(); }
    };

    Task(Task &&other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    Task &operator=(Task &&) = delete;
    Task(const Task &) = delete;
    ~Task() {
        if (handle_) handle_.destroy();
    }

    bool done() const { return !handle_ || handle_.done(); }

    // Awaited, the task runs inside the awaiting one, which goes on at once when it ended
    // without a pause, else when it ends; its error goes on up.
    bool await_ready() const noexcept { return false; }
    bool await_suspend(co::coroutine_handle<> awaiting) noexcept {
        handle_.resume();
        if (handle_.done()) return false;
        handle_.promise().awaiting = awaiting;
        return true;
    }
    void await_resume() const { rethrow(); }

    /// The run-time error (or End) that ended the task, thrown again.
    void rethrow() const {
        if (handle_ && handle_.promise().error) std::rethrow_exception(handle_.promise().error);
    }
    Handle handle() const { return handle_; }

private:
    explicit Task(Handle h) : handle_(h) {}
    Handle handle_;
};

/// Waits until `length()` milliseconds have passed since the pause began. The length is asked
/// again whenever the task could go on, so a pause follows a box the user types into; 0 or
/// less ends it at once. When the first reading is 0 or less nothing waits at all: the task
/// goes straight on, and no other handler runs in between.
class Pause {
public:
    explicit Pause(std::function<Long()> length) : length_(std::move(length)) {}

    bool await_ready();
    void await_suspend(co::coroutine_handle<> task);
    void await_resume() const;

private:
    std::function<Long()> length_;
};

/// Starts `task` as a handler the user started: it runs at once up to its first pause and
/// goes on from the front end's timer. While it waits, other handlers run as input comes; a
/// task started while another waits runs to its end before the older one goes on, as the
/// newest of a stack. A run-time error ends the task and is reported.
void start(Task task);

/// Whether a started task has not ended yet.
bool waiting();

/// Milliseconds from now (rt::Ticks) until the newest task is due; -1 when none waits.
std::int32_t msToNextWake();

/// Goes on with the newest task while its pause is over, then tells the clock when to come
/// back. The front end's timer calls it.
void resumeDue();

/// Tells the clock in use when the newest task is due (Clock::wakeIn).
void reschedule();

/// After a handler the event loop ran: End drops what waits, otherwise the clock learns when
/// to come back. Nothing while a task runs.
void afterHandler();

/// Drops every waiting task without running it further: for an owner of lessons that goes
/// away, and for End.
void abandonTasks();

} // namespace rt
