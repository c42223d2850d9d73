// The baseline: a bare Qt window of the lesson's size, with the same hooks as the lesson's
// probe. With --run it repaints a small rectangle every 20 ms for 480 ticks, the work of an
// automatic run with none of the lesson's drawing.

#include "probe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int SettleMs = 500;
constexpr int TickMs = 20;
constexpr int Ticks = 480;

class BareWindow final : public QWidget {
public:
    BareWindow() { setFixedSize(810, 506); }

    // Moves the small rectangle one step and repaints the area it covers.
    void step() {
        const QRect before = marker_;
        marker_.translate(0, -1);
        if (marker_.top() < 20) marker_.moveTop(400);
        update(before.united(marker_));
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0x00, 0x80, 0x00));
        painter.fillRect(marker_, QColor(0x00, 0xFF, 0xFF));
    }

private:
    QRect marker_{300, 400, 60, 20};
};

// Ticks of the repaint timer, measured like the lesson's frames.
class TimedRun {
public:
    explicit TimedRun(BareWindow &window) : window_(window) {
        times_.reserve(Ticks);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(TickMs);
        QObject::connect(&timer_, &QTimer::timeout, &window_, [this] { tick(); });
    }

    void start() {
        cpuBefore_ = bench::cpuMicroseconds();
        elapsed_.start();
        timer_.start();
    }

private:
    void tick() {
        times_.push_back(elapsed_.nsecsElapsed() / 1000);
        window_.step();
        if (qsizetype(times_.size()) < Ticks) return;
        const qint64 cpuUs = bench::cpuMicroseconds() - cpuBefore_;
        bench::report("run_wall_us", times_.back());
        bench::report("run_cpu_us", cpuUs);
        bench::report("run_frames", qint64(times_.size()));
        // From one tick to the next, less the interval.
        qint64 sum = 0;
        qint64 worst = std::numeric_limits<qint64>::min();
        for (std::size_t i = 1; i < times_.size(); ++i) {
            const qint64 late = times_[i] - times_[i - 1] - TickMs * 1000;
            sum += late;
            worst = std::max(worst, late);
        }
        bench::report("late_mean_ns", sum * 1000 / (qint64(times_.size()) - 1));
        bench::report("late_worst_us", worst);
        bench::report("run_vmhwm_kib", bench::peakResidentKiB());
        bench::quitNow();
    }

    BareWindow &window_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    std::vector<qint64> times_;
    qint64 cpuBefore_ = 0;
};

} // namespace

int main(int argc, char *argv[]) {
    const bool fullRun = argc > 1 && std::strcmp(argv[1], "--run") == 0;

    QApplication app(argc, argv);
    BareWindow window;
    window.show();

    std::optional<TimedRun> run;
    bench::FirstFrame probe(window, [&window, &run, fullRun] {
        bench::report("first_frame_ns", bench::monotonicNs());
        bench::report("vmhwm_kib", bench::peakResidentKiB());
        bench::report("width", window.width());
        bench::report("height", window.height());
        if (!fullRun) bench::quitNow();
        QTimer::singleShot(SettleMs, &window, [&window, &run] { run.emplace(window).start(); });
    });
    return app.exec();
}
