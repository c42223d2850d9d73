#include "runtime/clock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace rt {

namespace {

Clock *installed = nullptr;

} // namespace

SteadyClock::SteadyClock() : origin_(0) {}

quint32 SteadyClock::ticks() {
    // QElapsedTimer reads the monotonic clock; truncating to 32 bits gives a counter that
    // wraps like any millisecond tick count, and differences taken modulo 2^32 stay right.
    QElapsedTimer now;
    now.start();
    return static_cast<quint32>(now.msecsSinceReference() - origin_);
}

void SteadyClock::idle(qint32 maxMs) {
    if (maxMs <= 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    // Block until an event arrives instead of polling: the precise timer ends the block
    // when the deadline comes first, so an animation costs next to no processor time.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(maxMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

Clock &clock() {
    static SteadyClock steady;
    return installed ? *installed : steady;
}

void setClock(Clock *c) {
    installed = c;
}

quint32 Ticks() {
    return clock().ticks();
}

} // namespace rt
