#include "settlingclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"

#include <QCoreApplication>

void SettlingClock::wakeIn(std::int32_t ms) {
    steady_.wakeIn(ms);
    if (settling_ || ms < 0) return;
    settling_ = true;
    while (rt::waiting() && !rt::ending())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    settling_ = false;
}
