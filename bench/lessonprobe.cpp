// The lesson, started exactly as the program starts it, with hooks that report to the runner:
// the moment of the first painted frame and the peak memory, and with --run a whole
// automatic run at the delay the window starts with.

#include "pacingclock.h"
#include "probe.h"

#include "lessons/proportion/proportionlesson.h"
#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/task.h"
#include "runtime/qt/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Lets the window system finish with the new window (focus, activation) before the run.
constexpr int SettleMs = 500;

void automaticRun(ProportionLesson &form, rt::qt::Window &window) {
    bench::report("delay_ms", form.frameDelay());
    bench::PacingClock clock;
    rt::setClock(&clock);
    const qint64 cpuBefore = bench::cpuMicroseconds();
    const qint64 wallBefore = bench::monotonicNs();
    // The click starts the run; the event loop runs it to its end.
    qobject_cast<QAbstractButton *>(window.widget(form.run))->click();
    while (rt::waiting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 wallNs = bench::monotonicNs() - wallBefore;
    const qint64 cpuUs = bench::cpuMicroseconds() - cpuBefore;
    rt::setClock(nullptr);

    bench::report("run_progress", form.progress);
    bench::report("run_wall_us", wallNs / 1000);
    bench::report("run_cpu_us", cpuUs);
    bench::report("run_idles", clock.idles());
    const std::vector<qint64> &starts = clock.frameStarts();
    bench::report("run_frames", qint64(starts.size()));
    // Lateness of a frame: how much longer than the delay it lasted, start to next start.
    const qint64 delayUs = qint64(form.frameDelay()) * 1000;
    qint64 sum = 0;
    qint64 worst = std::numeric_limits<qint64>::min();
    for (std::size_t i = 1; i < starts.size(); ++i) {
        const qint64 late = starts[i] - starts[i - 1] - delayUs;
        sum += late;
        worst = std::max(worst, late);
    }
    const auto intervals = qint64(starts.size()) - 1;
    bench::report("late_mean_ns", intervals > 0 ? sum * 1000 / intervals : 0);
    bench::report("late_worst_us", intervals > 0 ? worst : 0);
    bench::report("run_vmhwm_kib", bench::peakResidentKiB());
    const bench::PacingClock::Split &split = clock.split();
    bench::report("split_valid", split.valid ? 1 : 0);
    bench::report("split_to_deadline_ns", split.toDeadline);
    bench::report("split_past_deadline_ns", split.pastDeadline);
    bench::report("split_after_wait_ns", split.afterWait);
}

} // namespace

int main(int argc, char *argv[]) {
    const bool fullRun = argc > 1 && std::strcmp(argv[1], "--run") == 0;

    // As in desktop/main.cpp.
    QApplication app(argc, argv);
    ProportionLesson form;
    rt::qt::Window window(form);
    rt::dispatch([&form] { form.load(); });
    if (rt::ending()) return 0;
    window.show();

    bench::FirstFrame probe(window, [&form, &window, fullRun] {
        bench::report("first_frame_ns", bench::monotonicNs());
        bench::report("vmhwm_kib", bench::peakResidentKiB());
        bench::report("width", window.width());
        bench::report("height", window.height());
        if (!fullRun) bench::quitNow();
        QTimer::singleShot(SettleMs, &window, [&form, &window] {
            automaticRun(form, window);
            bench::quitNow();
        });
    });
    return app.exec();
}
