// Runs the lesson and a bare Qt window side by side, each in fresh processes, and prints one
// table: start-up to the first painted frame, peak memory, and an automatic run's wall time,
// processor time and frame pacing, offscreen and on an X server (Xvfb).

#include <QCoreApplication>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr double IdealRunMs = 480 * 20.0; // 12 minutes of 40 frames, 20 ms apart
constexpr double CpuTarget = 3.0;         // % of wall time
constexpr double WallTarget = 1.0;        // % off the ideal
constexpr double RatioTarget = 1.3;       // × the bare window
constexpr int StartUpTimeoutMs = 30000;
constexpr int RunTimeoutMs = 60000;

using Report = QHash<QByteArray, qint64>;

qint64 monotonicNs() {
    // The children read the same clock (CLOCK_MONOTONIC).
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int envInt(const char *name, int fallback) {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : fallback;
}

// The X server of this run, ended also when a measurement fails.
QProcess *xServer = nullptr;

[[noreturn]] void fail(const QString &message) {
    std::fprintf(stderr, "water-bench: %s\n", qPrintable(message));
    if (xServer) {
        xServer->terminate();
        xServer->waitForFinished(5000);
    }
    std::exit(1);
}

struct Platform {
    QString label;
    QString qpa;
    QString display;
};

struct Child {
    Report report;
    qint64 launchNs = 0; // just before the launch
};

// Starts `program`, waits for it to end and collects its `key value` lines.
Child launch(const QString &program, const QStringList &args, const Platform &platform,
             int timeoutMs) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform.qpa);
    if (!platform.display.isEmpty()) env.insert(QStringLiteral("DISPLAY"), platform.display);
    QProcess process;
    process.setProcessEnvironment(env);
    Child child;
    child.launchNs = monotonicNs();
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        fail(QStringLiteral("%1 %2 (%3) failed:\n%4")
                 .arg(program, args.join(u' '), platform.label,
                      QString::fromLocal8Bit(process.readAllStandardError())));
    }
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2) child.report.insert(parts[0], parts[1].toLongLong());
    }
    return child;
}

qint64 need(const Child &c, const char *key) {
    const auto it = c.report.constFind(key);
    if (it == c.report.cend()) fail(QStringLiteral("a probe did not report %1").arg(key));
    return *it;
}

// A median with the bounds shown beside it: quartiles, or the extremes for a few values.
struct Spread {
    double median = 0;
    double low = 0;
    double high = 0;
};

double quantile(const std::vector<double> &sorted, double q) {
    const double pos = q * double(sorted.size() - 1);
    const auto i = std::size_t(pos);
    const double frac = pos - double(i);
    return i + 1 < sorted.size() ? sorted[i] * (1 - frac) + sorted[i + 1] * frac : sorted[i];
}

Spread quartiles(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {quantile(v, 0.5), quantile(v, 0.25), quantile(v, 0.75)};
}

Spread extremes(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {quantile(v, 0.5), v.front(), v.back()};
}

template <typename F> std::vector<double> each(const std::vector<Child> &children, F value) {
    std::vector<double> v;
    for (const Child &c : children)
        v.push_back(value(c));
    return v;
}

struct StartUps {
    Spread ms;
    Spread mib;
    int width = 0;
    int height = 0;
};

StartUps startUpFigures(const std::vector<Child> &children) {
    const Child &last = children.back();
    return {quartiles(each(children,
                           [](const Child &c) {
                               return double(need(c, "first_frame_ns") - c.launchNs) / 1e6;
                           })),
            quartiles(
                each(children, [](const Child &c) { return double(need(c, "vmhwm_kib")) / 1024; })),
            int(need(last, "width")), int(need(last, "height"))};
}

struct Runs {
    Spread wallMs;
    Spread cpuPercent;
    Spread lateMeanMs;
    Spread lateWorstMs;
    Spread peakMib;
    qint64 frames = 0;
    // The lesson's frame period, split as its clock saw it: medians of the means.
    bool split = false;
    double toDeadlineMs = 0;
    double pastDeadlineMs = 0;
    double afterWaitMs = 0;
};

Runs runFigures(const std::vector<Child> &runs) {
    Runs r;
    const auto scaled = [](const char *key, double divisor) {
        return [key, divisor](const Child &c) { return double(need(c, key)) / divisor; };
    };
    r.wallMs = extremes(each(runs, scaled("run_wall_us", 1e3)));
    r.cpuPercent = extremes(each(runs, [](const Child &c) {
        return 100.0 * double(need(c, "run_cpu_us")) / double(need(c, "run_wall_us"));
    }));
    r.lateMeanMs = extremes(each(runs, scaled("late_mean_ns", 1e6)));
    r.lateWorstMs = extremes(each(runs, scaled("late_worst_us", 1e3)));
    r.peakMib = extremes(each(runs, scaled("run_vmhwm_kib", 1024)));
    r.frames = need(runs.front(), "run_frames");
    r.split = std::all_of(runs.begin(), runs.end(),
                          [](const Child &c) { return c.report.value("split_valid") == 1; });
    if (r.split) {
        // Per period: there is one fewer than there are frames.
        const auto perPeriod = [&runs](const char *key) {
            return extremes(each(runs,
                                 [key](const Child &c) {
                                     return double(need(c, key)) / 1e6 /
                                            double(need(c, "run_frames") - 1);
                                 }))
                .median;
        };
        r.toDeadlineMs = perPeriod("split_to_deadline_ns");
        r.pastDeadlineMs = perPeriod("split_past_deadline_ns");
        r.afterWaitMs = perPeriod("split_after_wait_ns");
    }
    return r;
}

struct Results {
    Platform platform;
    StartUps lessonStartUps;
    StartUps bareStartUps;
    Runs lessonRuns;
    Runs bareRuns;
};

Results measure(const Platform &platform, const QString &lessonProbe, const QString &bareProbe,
                int startUps, int runs) {
    std::fprintf(stderr, "water-bench: %s: %d start-ups of each, then %d runs of each\n",
                 qPrintable(platform.label), startUps, runs);
    const QStringList none;
    // One of each first, not counted: page cache and font caches warm up.
    launch(lessonProbe, none, platform, StartUpTimeoutMs);
    launch(bareProbe, none, platform, StartUpTimeoutMs);
    std::vector<Child> lesson;
    std::vector<Child> bare;
    // Alternate which goes first, so a drift in the machine's load hits both alike.
    for (int i = 0; i < startUps; ++i) {
        for (int k = 0; k < 2; ++k) {
            if ((i + k) % 2 == 0)
                lesson.push_back(launch(lessonProbe, none, platform, StartUpTimeoutMs));
            else
                bare.push_back(launch(bareProbe, none, platform, StartUpTimeoutMs));
        }
    }

    const QStringList run{QStringLiteral("--run")};
    std::vector<Child> lessonRuns;
    std::vector<Child> bareRuns;
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            if ((i + k) % 2 == 0) {
                lessonRuns.push_back(launch(lessonProbe, run, platform, RunTimeoutMs));
                const Child &c = lessonRuns.back();
                if (need(c, "delay_ms") != 20 || need(c, "run_progress") != 24 ||
                    need(c, "run_frames") != 480)
                    fail(QStringLiteral("the automatic run was not 480 frames at 20 ms"));
            } else {
                bareRuns.push_back(launch(bareProbe, run, platform, RunTimeoutMs));
            }
        }
    }
    return {platform, startUpFigures(lesson), startUpFigures(bare), runFigures(lessonRuns),
            runFigures(bareRuns)};
}

// Starts an X server of its own; returns its display, or nothing when there is none to start.
std::optional<QString> startXvfb(QProcess &xvfb) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty()) return std::nullopt;
    // -displayfd 1: the server picks a free display and writes its number on stdout.
    // -noreset: without it the server resets whenever its last client leaves, and a probe
    // that connects during the reset is turned away.
    xvfb.start(program,
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-noreset")});
    QByteArray out;
    while (!out.contains('\n') && xvfb.waitForReadyRead(10000))
        out += xvfb.readAllStandardOutput();
    if (!out.contains('\n')) return std::nullopt;
    return QStringLiteral(":") + QString::fromLatin1(out.trimmed());
}

QString number(double v, int decimals) {
    QString s = QString::number(v, 'f', decimals);
    // No "-0.000" for a value that rounds to nothing.
    if (s.startsWith(u'-') && s.mid(1).toDouble() == 0) s.remove(0, 1);
    return s;
}

QString signedNumber(double v, int decimals) {
    return (v >= 0 ? QStringLiteral("+") : QString()) + number(v, decimals);
}

// "median unit [low–high]"
QString cell(const Spread &s, int decimals, const QString &unit) {
    return QStringLiteral("%1 %2 [%3–%4]")
        .arg(number(s.median, decimals), unit, number(s.low, decimals), number(s.high, decimals));
}

double excessPercent(double wallMs) {
    return 100 * (wallMs / IdealRunMs - 1);
}

QString wallCell(const Spread &s) {
    return QStringLiteral("%1 s (%2 %) [%3–%4]")
        .arg(number(s.median / 1000, 3), signedNumber(excessPercent(s.median), 2),
             number(s.low / 1000, 3), number(s.high / 1000, 3));
}

// No ratio against a figure that is nothing, or next to nothing.
QString ratio(double lesson, double bare, double least = 0) {
    if (bare <= least) return QStringLiteral("—");
    return number(lesson / bare, 2);
}

QString verdict(bool met) {
    return met ? QStringLiteral("met") : QStringLiteral("MISSED");
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    const QString lessonProbe = QStringLiteral(LESSON_PROBE);
    const QString bareProbe = QStringLiteral(BARE_PROBE);
    const int startUps = envInt("BENCH_STARTUPS", 15);
    const int runs = envInt("BENCH_RUNS", 3);

    std::vector<Platform> platforms{{QStringLiteral("offscreen"), QStringLiteral("offscreen"), {}}};
    QProcess xvfb;
    xServer = &xvfb;
    if (const std::optional<QString> display = startXvfb(xvfb))
        platforms.push_back({QStringLiteral("Xvfb"), QStringLiteral("xcb"), *display});
    else
        std::fprintf(stderr, "water-bench: no Xvfb, measuring offscreen only\n");

    std::vector<Results> results;
    for (const Platform &p : platforms)
        results.push_back(measure(p, lessonProbe, bareProbe, startUps, runs));
    if (xvfb.state() != QProcess::NotRunning) {
        xvfb.terminate();
        xvfb.waitForFinished(5000);
    }

    QStringList out{QStringLiteral("| figure | lesson | bare window | ratio |"),
                    QStringLiteral("|---|---|---|---|")};
    const auto row = [&out](const QString &figure, const QString &lesson, const QString &bare,
                            const QString &r) {
        out << QStringLiteral("| %1 | %2 | %3 | %4 |").arg(figure, lesson, bare, r);
    };
    const QString ms = QStringLiteral("ms");
    const QString mib = QStringLiteral("MiB");
    const QString percent = QStringLiteral("%");
    QStringList targets;
    QStringList periods;
    for (const Results &r : results) {
        const QString &on = r.platform.label;
        const StartUps &ls = r.lessonStartUps;
        const StartUps &bs = r.bareStartUps;
        const Runs &lr = r.lessonRuns;
        const Runs &br = r.bareRuns;
        row(QStringLiteral("start-up to first painted frame, %1").arg(on), cell(ls.ms, 1, ms),
            cell(bs.ms, 1, ms), ratio(ls.ms.median, bs.ms.median));
        row(QStringLiteral("peak resident memory at first frame, %1").arg(on), cell(ls.mib, 1, mib),
            cell(bs.mib, 1, mib), ratio(ls.mib.median, bs.mib.median));
        row(QStringLiteral("automatic run wall time (ideal 9.600 s), %1").arg(on),
            wallCell(lr.wallMs), wallCell(br.wallMs), ratio(lr.wallMs.median, br.wallMs.median));
        row(QStringLiteral("CPU time during the run / wall time, %1").arg(on),
            cell(lr.cpuPercent, 2, percent), cell(br.cpuPercent, 2, percent),
            ratio(lr.cpuPercent.median, br.cpuPercent.median));
        row(QStringLiteral("frame lateness, mean of %1 frames, %2").arg(lr.frames - 1).arg(on),
            cell(lr.lateMeanMs, 3, ms), cell(br.lateMeanMs, 3, ms),
            ratio(lr.lateMeanMs.median, br.lateMeanMs.median, 0.01));
        row(QStringLiteral("frame lateness, worst, %1").arg(on), cell(lr.lateWorstMs, 3, ms),
            cell(br.lateWorstMs, 3, ms), ratio(lr.lateWorstMs.median, br.lateWorstMs.median));
        row(QStringLiteral("peak resident memory after the run, %1").arg(on),
            cell(lr.peakMib, 1, mib), cell(br.peakMib, 1, mib),
            ratio(lr.peakMib.median, br.peakMib.median));

        const double cpu = lr.cpuPercent.median;
        const double excess = excessPercent(lr.wallMs.median);
        const double startUpRatio = ls.ms.median / bs.ms.median;
        const double memoryRatio = ls.mib.median / bs.mib.median;
        targets << QStringLiteral("  %1: CPU during a run ≤ %2 % of wall: %3 (%4 %) | run wall "
                                  "time within %5 % of ideal: %6 (%7 %) | start-up ≤ %8 × bare: "
                                  "%9 (%10 ×) | peak memory ≤ %8 × bare: %11 (%12 ×)")
                       .arg(on, number(CpuTarget, 0), verdict(cpu <= CpuTarget), number(cpu, 2),
                            number(WallTarget, 0), verdict(std::abs(excess) <= WallTarget),
                            signedNumber(excess, 2), number(RatioTarget, 1))
                       .arg(verdict(startUpRatio <= RatioTarget), number(startUpRatio, 3),
                            verdict(memoryRatio <= RatioTarget), number(memoryRatio, 3));
        if (lr.split)
            periods << QStringLiteral("  Lesson's frame period, %1: %2 ms from the wait's start to "
                                      "its deadline + %3 ms until a reading finds it past + %4 ms "
                                      "from there to the next wait (pending events, the frame's "
                                      "own work) = %5 ms.")
                           .arg(on, number(lr.toDeadlineMs, 3), number(lr.pastDeadlineMs, 3),
                                number(lr.afterWaitMs, 3),
                                number(lr.toDeadlineMs + lr.pastDeadlineMs + lr.afterWaitMs, 3));
    }

    const Results &first = results.front();
    out << QString() << QStringLiteral("Targets (on the medians):") << targets << QString()
        << QStringLiteral("Notes:")
        << QStringLiteral("  Cells: median [quartiles] of %1 start-ups, median [lowest–highest] "
                          "of %2 runs; ratio = lesson / bare window, on the medians.")
               .arg(startUps)
               .arg(runs)
        << QStringLiteral("  Start-up: from just before the launch to the end of the event that "
                          "painted the window's first frame, after one unmeasured launch of each; "
                          "lesson and bare window launched in turn.")
        << QStringLiteral("  Peak memory: VmHWM of the process. Windows: lesson %1×%2 px, bare "
                          "%3×%4 px.")
               .arg(first.lessonStartUps.width)
               .arg(first.lessonStartUps.height)
               .arg(first.bareStartUps.width)
               .arg(first.bareStartUps.height)
        << QStringLiteral("  Run, lesson: a click on 自　動 at delay 20 ms, 480 frames; lateness "
                          "of a frame = from the start of its pacing wait to the next, less 20 ms.")
        << QStringLiteral("  Run, bare window: a 20 ms precise QTimer repainting a 60×21 px "
                          "rectangle, 480 ticks; lateness = tick to tick, less 20 ms. Its mean "
                          "is about 0 by construction, since the timer keeps a fixed schedule: no "
                          "ratio.")
        << periods
        << QStringLiteral("  CPU: the process's own user+system time (getrusage); the X "
                          "server's work is not in it.");
    std::printf("%s\n", qPrintable(out.join(u'\n')));
    return 0;
}
