#include "runtime/qt/clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

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

} // namespace

#if defined(Q_OS_LINUX)

// Wakes the event loop at an absolute moment to the microsecond. Qt's timers count whole
// milliseconds from the moment they start, and the event loop rounds its timeouts up to the
// next millisecond, which would stretch every frame by most of a millisecond.
class SteadyClock::Alarm {
public:
    Alarm() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
        if (fd_ < 0) return;
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const auto n = ::read(fd_, &expirations, sizeof expirations);
        });
    }
    ~Alarm() {
        notifier_.reset();
        if (fd_ >= 0) ::close(fd_);
    }
    Alarm(const Alarm &) = delete;
    Alarm &operator=(const Alarm &) = delete;

    bool usable() const { return notifier_ != nullptr; }

    void ringAt(qint64 monotonicNs) {
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(monotonicNs / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(monotonicNs % 1'000'000'000);
        timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr);
    }

private:
    int fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

#else

// Elsewhere Qt's precise timer is the alarm.
class SteadyClock::Alarm {
public:
    bool usable() const { return false; }
    void ringAt(qint64) {}
};

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

void SteadyClock::idle(std::int32_t maxMs) {
    const qint64 deadline = deadlineNs(maxMs);
    const qint64 remainingNs = deadline - nowNs_();
    if (remainingNs <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // Block until an event arrives instead of polling: the alarm ends the block when the
    // deadline comes first, so an animation costs next to no processor time.
    if (!alarm_) alarm_ = std::make_unique<Alarm>();
    QTimer fallback;
    if (alarm_->usable()) {
        alarm_->ringAt(deadline);
    } else {
        fallback.setTimerType(Qt::PreciseTimer);
        fallback.setSingleShot(true);
        fallback.start(static_cast<int>((remainingNs + 999'999) / 1'000'000));
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

} // namespace rt::qt
