#include "probe.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace bench {

qint64 monotonicNs() {
    // libstdc++'s steady_clock is CLOCK_MONOTONIC, shared by every process on the machine.
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

qint64 peakResidentKiB() {
    // stdio rather than QFile: /proc files report a size of 0.
    std::FILE *status = std::fopen("/proc/self/status", "r");
    if (!status) return -1;
    qint64 kib = -1;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        long long value = 0;
        if (std::sscanf(line, "VmHWM: %lld kB", &value) == 1) {
            kib = value;
            break;
        }
    }
    std::fclose(status);
    return kib;
}

qint64 cpuMicroseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1'000'000 + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

void report(const char *key, qint64 value) {
    std::printf("%s %lld\n", key, static_cast<long long>(value));
    std::fflush(stdout);
}

void quitNow() {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

FirstFrame::FirstFrame(QWidget &window, std::function<void()> onFrame)
    : window_(window), onFrame_(std::move(onFrame)) {
    window_.installEventFilter(this);
    // The first paint usually comes from the expose event of the native window.
    if (QWindow *native = window_.windowHandle()) native->installEventFilter(this);
}

bool FirstFrame::eventFilter(QObject *watched, QEvent *event) {
    if (done_) return false;
    if (watched == &window_ && event->type() == QEvent::Paint) {
        painted_ = true;
        // A paint outside the events handled below: report once it has been handled.
        if (!inside_)
            QMetaObject::invokeMethod(
                this, [this] { finish(); }, Qt::QueuedConnection);
        return false;
    }
    if ((event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest) && !inside_) {
        // Handle the event here, bypassing this filter, to see the moment it is done with.
        inside_ = true;
        watched->event(event);
        inside_ = false;
        if (painted_) finish();
        return true;
    }
    return false;
}

void FirstFrame::finish() {
    if (done_) return;
    done_ = true;
    window_.removeEventFilter(this);
    if (QWindow *native = window_.windowHandle()) native->removeEventFilter(this);
    onFrame_();
}

} // namespace bench
