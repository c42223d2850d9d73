#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace bench {

/// CLOCK_MONOTONIC in nanoseconds: the same clock in the runner and in its children, so a
/// child's reading can be set against the runner's reading taken before the launch.
qint64 monotonicNs();

/// VmHWM from /proc/self/status: the peak resident set so far, in KiB (-1 if unreadable).
qint64 peakResidentKiB();

/// User plus system time of the whole process so far, in microseconds.
qint64 cpuMicroseconds();

/// Writes `key value` on stdout, one line, flushed at once: the runner reads these lines.
void report(const char *key, qint64 value);

/// Leaves without tearing anything down; what comes after the measurement is not measured.
[[noreturn]] void quitNow();

/// Calls `onFrame` once, right after the first frame of `window` has been painted: when the
/// event that painted it (an expose or an update request) has been fully handled, so every
/// child widget is painted too and the backing store flushed. Create it after show().
class FirstFrame final : public QObject {
public:
    FirstFrame(QWidget &window, std::function<void()> onFrame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void finish();

    QWidget &window_;
    std::function<void()> onFrame_;
    bool painted_ = false;
    bool inside_ = false;
    bool done_ = false;
};

} // namespace bench
