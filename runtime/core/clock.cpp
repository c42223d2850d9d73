#include "runtime/core/clock.h"

#include "runtime/core/task.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace rt {

namespace {

// Without a backend there are no events to wait for: each pause is slept through at once.
class SleepingClock final : public Clock {
public:
    std::uint32_t ticks() override {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<std::uint32_t>(ms.count());
    }
    void wakeIn(std::int32_t ms) override {
        if (driving_) return;
        driving_ = true;
        for (; ms >= 0; ms = msToNextWake()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            resumeDue();
        }
        driving_ = false;
    }

private:
    bool driving_ = false;
};

Clock *installed = nullptr;
Clock *backend = nullptr;

} // namespace

Clock &clock() {
    static SleepingClock sleeping;
    if (installed) return *installed;
    return backend ? *backend : sleeping;
}

void setClock(Clock *c) {
    installed = c;
}

void setBackendClock(Clock *c) {
    backend = c;
}

std::uint32_t Ticks() {
    return clock().ticks();
}

std::int64_t wakeDeadlineNs(std::int64_t lastReadingMs, std::int64_t nowNs, std::int32_t maxMs) {
    constexpr std::int64_t NsPerMs = 1'000'000;
    return std::min((lastReadingMs + maxMs) * NsPerMs, nowNs + std::int64_t(maxMs) * NsPerMs);
}

} // namespace rt
