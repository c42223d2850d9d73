// Frame pacing: how long a pause lasts, what runs during it, that the program's own event loop
// resumes it, and that it sleeps instead of polling.

#include "lesson.h"
#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"
#include "runtime/qt/clock.h"

#include <QTest>
#include <QTimer>

#include <chrono>

namespace {

rt::Task pause(rt::Long ms, QStringList *trace = nullptr, const char *done = nullptr) {
    co_await rt::Pause([ms] { return ms; });
    if (trace) *trace << done;
}

// Installs the program's real clock for as long as it lives.
class RealClock {
public:
    explicit RealClock(rt::qt::SteadyClock &clock) { rt::setClock(&clock); }
    ~RealClock() { rt::setClock(nullptr); }
    RealClock(const RealClock &) = delete;
    RealClock &operator=(const RealClock &) = delete;
};

} // namespace

class WaitTest : public QObject {
    Q_OBJECT

private slots:
    void lastsTheFullDelay_data();
    void lastsTheFullDelay();
    void realClockEndsAtTheCountersMillisecond_data();
    void realClockEndsAtTheCountersMillisecond();
    void stopClickRunsDuringThePause();
    void handlerStartedDuringAPauseEndsFirst();
    void clickReturnsWhileTheStepGoesOnInTheEventLoop();
    void delayPutRightEndsTheLongPauseInTheEventLoop();
    void sleepsInsteadOfPolling();
};

void WaitTest::lastsTheFullDelay_data() {
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("ms");
    QTest::addColumn<quint32>("elapsed");
    // With nothing to wait the task goes straight on: no event is processed.
    QTest::newRow("zero") << 1000u << 0 << 0u;
    QTest::newRow("negative") << 1000u << -5 << 0u;
    QTest::newRow("most negative") << 1000u << std::numeric_limits<int>::min() << 0u;
    QTest::newRow("one millisecond") << 1000u << 1 << 1u;
    QTest::newRow("frame") << 1000u << 20 << 20u;
    QTest::newRow("across 2^31") << 0x7FFFFFF0u << 100 << 100u;
    QTest::newRow("across the wrap") << 0xFFFFFFF0u << 100 << 100u;
    QTest::newRow("longest") << 5u << std::numeric_limits<int>::max() << 0x7FFFFFFFu;
}

void WaitTest::lastsTheFullDelay() {
    QFETCH(quint32, start);
    QFETCH(int, ms);
    QFETCH(quint32, elapsed);
    Lesson lesson;
    TestClock clock;
    bool processed = false;
    QTimer::singleShot(0, &lesson.window(), [&] { processed = true; });
    clock.setNow(start);
    rt::start(pause(ms));
    QCOMPARE(clock.now() - start, elapsed);
    QCOMPARE(processed, elapsed > 0);
}

void WaitTest::realClockEndsAtTheCountersMillisecond_data() {
    QTest::addColumn<qint64>("readUs");
    QTest::addColumn<qint64>("wokeUs");
    QTest::addColumn<qint64>("deadlineUs");
    QTest::newRow("woke within the millisecond") << 1'000'300LL << 1'000'900LL << 1'020'000LL;
    QTest::newRow("woke 15 ms late") << 1'000'000LL << 1'015'000LL << 1'020'000LL;
    QTest::newRow("deadline passed") << 1'000'000LL << 1'025'000LL << 1'020'000LL;
    QTest::newRow("past 2^32 ms") << 4294967301'500LL << 4294967302'000LL << 4294967321'000LL;
}

// A 20 ms wait asked for after the counter was read ends when the counter shows that reading
// plus 20, however late the program woke up: otherwise every frame would drift.
void WaitTest::realClockEndsAtTheCountersMillisecond() {
    QFETCH(qint64, readUs);
    QFETCH(qint64, wokeUs);
    QFETCH(qint64, deadlineUs);
    qint64 nowUs = readUs;
    rt::qt::SteadyClock steady([&nowUs] { return nowUs * 1000; });
    steady.ticks();
    nowUs = wokeUs;
    QCOMPARE(steady.deadlineNs(20), deadlineUs * 1000);
}

void WaitTest::stopClickRunsDuringThePause() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.stop.setEnabled(true);
    QTimer::singleShot(30, &lesson.window(), [&f] { Lesson::click(f.stop); });
    // Measured on the program's own millisecond counter, from before the pause's first reading.
    const quint32 start = rt::Ticks();
    rt::start(pause(100));
    const quint32 elapsed = rt::Ticks() - start;
    QVERIFY(f.stopRequested);
    QVERIFY2(elapsed >= 100 && elapsed < 1000, qPrintable(QString::number(elapsed)));
}

// A handler started during another's pause runs to its end, its own pause included, before
// the one it interrupted goes on.
void WaitTest::handlerStartedDuringAPauseEndsFirst() {
    Lesson lesson;
    TestClock clock;
    ProportionLesson &f = lesson.form();
    QStringList trace;
    f.initialScreen.setClickHandler([&] {
        trace << "handler start";
        rt::start(pause(30, &trace, "handler end"));
    });
    clock.at(clock.now() + 10, [&] { Lesson::click(f.initialScreen); });
    const quint32 start = clock.now();
    rt::start(pause(20, &trace, "pause over"));
    QCOMPARE(trace, (QStringList{"handler start", "handler end", "pause over"}));
    // The handler's pause took 30 ms from the 10th: the first goes on after it.
    QCOMPARE(clock.now() - start, 40u);
}

// In the program a click starts a step and returns: the frames come from Qt's event loop, which
// runs everything else in between; nothing inside the click processes events.
void WaitTest::clickReturnsWhileTheStepGoesOnInTheEventLoop() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::qt::SteadyClock steady;
    const RealClock real(steady);
    bool timerRan = false;
    QTimer::singleShot(0, &lesson.window(), [&] { timerRan = true; });
    Lesson::click(f.forward);
    QVERIFY(!timerRan);
    QVERIFY(rt::waiting());
    QCOMPARE(f.progress, rt::Integer(0));
    QVERIFY(!Lesson::widget(f.forward).isEnabled());
    QVERIFY(QTest::qWaitFor([] { return !rt::waiting(); }, 5000));
    QVERIFY(timerRan);
    QCOMPARE(f.progress, rt::Integer(2));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("1.00"));
    QVERIFY(Lesson::widget(f.forward).isEnabled());
}

// A mistyped delay holds the step in a pause of 25 days; the delay put right sets the alarm
// anew, and the step goes on.
void WaitTest::delayPutRightEndsTheLongPauseInTheEventLoop() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::qt::SteadyClock steady;
    const RealClock real(steady);
    Lesson::typeInto(f.delay, QStringLiteral("99999999999"));
    Lesson::click(f.forward);
    QTest::qWait(100);
    QVERIFY(rt::waiting());
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("0.00"));
    Lesson::typeInto(f.delay, QStringLiteral("1"));
    QVERIFY(QTest::qWaitFor([] { return !rt::waiting(); }, 5000));
    QCOMPARE(f.progress, rt::Integer(2));
}

void WaitTest::sleepsInsteadOfPolling() {
    Lesson lesson;
    int reads = 0; // a wake-up reads the real clock three times at most
    rt::qt::SteadyClock steady([&reads] {
        ++reads;
        return qint64(std::chrono::steady_clock::now().time_since_epoch() /
                      std::chrono::nanoseconds(1));
    });
    const RealClock real(steady);
    const quint32 start = rt::Ticks();
    rt::start(pause(200));
    QVERIFY(QTest::qWaitFor([] { return !rt::waiting(); }, 5000));
    const quint32 elapsed = rt::Ticks() - start;
    QVERIFY(elapsed >= 200);
    // A busy poll would read the clock many thousands of times; sleeping wakes a handful.
    QVERIFY2(reads < 60, qPrintable(QString::number(reads)));
}

QTEST_MAIN(WaitTest)
#include "tst_wait.moc"
