#include "runtime/qt/clock.h"

#include "runtime/core/task.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <chrono>

#if defined(Q_OS_LINUX)
#include <sys/timerfd.h>
#include <unistd.h>
#endif

namespace rt::qt {

namespace {

qint64 monotonicNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Qt's precise timer as the alarm, to the millisecond.
class PreciseAlarm {
public:
    PreciseAlarm() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [] { rt::resumeDue(); });
    }
    void ringAt(qint64 atNs) {
        if (atNs == 0) return timer_.stop();
        const qint64 remainingNs = std::max<qint64>(0, atNs - monotonicNs());
        timer_.start(static_cast<int>((remainingNs + 999'999) / 1'000'000));
    }

private:
    QTimer timer_;
};

} // namespace

#if defined(Q_OS_LINUX)

// Rings at an absolute moment to the microsecond. Qt's timers count whole milliseconds from
// the moment they start, and the event loop rounds its timeouts up to the next millisecond,
// which would stretch every frame by most of a millisecond.
class SteadyClock::Alarm {
public:
    Alarm() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
        if (fd_ < 0) return;
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const auto n = ::read(fd_, &expirations, sizeof expirations);
            rt::resumeDue();
        });
    }
    ~Alarm() {
        notifier_.reset();
        if (fd_ >= 0) ::close(fd_);
    }
    Alarm(const Alarm &) = delete;
    Alarm &operator=(const Alarm &) = delete;

    /// Rings at `monotonicNs`; at 0, not at all.
    void ringAt(qint64 monotonicNs) {
        if (fd_ < 0) return fallback_.ringAt(monotonicNs);
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(monotonicNs / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(monotonicNs % 1'000'000'000);
        timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr);
    }

private:
    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
    PreciseAlarm fallback_;
};

#else

class SteadyClock::Alarm : public PreciseAlarm {};

#endif

SteadyClock::SteadyClock(std::function<qint64()> nowNs)
    : nowNs_(nowNs ? std::move(nowNs) : monotonicNs) {}

SteadyClock::~SteadyClock() = default;

std::uint32_t SteadyClock::ticks() {
    // Whole milliseconds of the monotonic clock; truncated to 32 bits the counter wraps like
    // any tick count, and differences taken modulo 2^32 stay right.
    lastReadingMs_ = nowNs_() / 1'000'000;
    return static_cast<std::uint32_t>(lastReadingMs_);
}

qint64 SteadyClock::deadlineNs(qint32 maxMs) const {
    return wakeDeadlineNs(lastReadingMs_, nowNs_(), maxMs);
}

void SteadyClock::wakeIn(std::int32_t ms) {
    if (!alarm_) alarm_ = std::make_unique<Alarm>();
    // The alarm ends the loop's sleep when the pause is over; a due task goes on from the
    // loop at once, after whatever else is pending.
    alarm_->ringAt(ms < 0 ? 0 : std::max<qint64>(1, deadlineNs(ms)));
}

} // namespace rt::qt
