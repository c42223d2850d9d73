// Frame pacing: how long a wait lasts, what runs inside it, and that it sleeps instead of
// polling.

#include "lesson.h"
#include "testclock.h"

#include "runtime/events.h"

#include <QTest>
#include <QTimer>

namespace {

// The real clock, counting how often the program woke up to process events.
class CountingClock final : public rt::Clock {
public:
    CountingClock() { rt::setClock(this); }
    ~CountingClock() override { rt::setClock(nullptr); }
    quint32 ticks() override { return steady.ticks(); }
    void idle(qint32 maxMs) override {
        ++idles;
        steady.idle(maxMs);
    }
    rt::SteadyClock steady;
    int idles = 0;
};

} // namespace

class WaitTest : public QObject {
    Q_OBJECT

private slots:
    void nothingToWaitProcessesNothing_data();
    void nothingToWaitProcessesNothing();
    void oneMillisecondProcessesEvents();
    void lastsTheFullDelay_data();
    void lastsTheFullDelay();
    void stopClickRunsInsideTheWait();
    void clickedHandlerRunsToItsEndInsideTheWait();
    void sleepsInsteadOfPolling();
};

void WaitTest::nothingToWaitProcessesNothing_data() {
    QTest::addColumn<int>("ms");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
    QTest::newRow("most negative") << std::numeric_limits<int>::min();
}

void WaitTest::nothingToWaitProcessesNothing() {
    QFETCH(int, ms);
    Lesson lesson;
    TestClock clock;
    bool processed = false;
    QTimer::singleShot(0, &lesson.form(), [&] { processed = true; });
    const quint32 before = clock.now();
    lesson->Wait(ms);
    QCOMPARE(clock.idles(), 0);
    QCOMPARE(clock.now(), before);
    QVERIFY(!processed);
}

void WaitTest::oneMillisecondProcessesEvents() {
    Lesson lesson;
    TestClock clock;
    bool processed = false;
    QTimer::singleShot(0, &lesson.form(), [&] { processed = true; });
    const quint32 start = clock.now();
    lesson->Wait(1);
    QVERIFY(processed);
    QCOMPARE(clock.now() - start, 1u);
}

void WaitTest::lastsTheFullDelay_data() {
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("ms");
    QTest::newRow("frame") << 1000u << 20;
    QTest::newRow("across 2^31") << 0x7FFFFFF0u << 100;
    QTest::newRow("across the wrap") << 0xFFFFFFF0u << 100;
    QTest::newRow("longest") << 5u << std::numeric_limits<int>::max();
}

void WaitTest::lastsTheFullDelay() {
    QFETCH(quint32, start);
    QFETCH(int, ms);
    Lesson lesson;
    TestClock clock;
    clock.setNow(start);
    lesson->Wait(ms);
    QCOMPARE(clock.now() - start, quint32(ms));
}

void WaitTest::stopClickRunsInsideTheWait() {
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Command5.setEnabled(true);
    QTimer::singleShot(30, &f, [&f] { Lesson::click(f.Command5); });
    // Measured on the program's own millisecond counter, from before the wait's first reading.
    const quint32 start = rt::Ticks();
    f.Wait(100);
    const quint32 elapsed = rt::Ticks() - start;
    QCOMPARE(f.StopRequested, rt::Integer(1));
    QVERIFY2(elapsed >= 100 && elapsed < 1000, qPrintable(QString::number(elapsed)));
}

void WaitTest::clickedHandlerRunsToItsEndInsideTheWait() {
    Lesson lesson;
    TestClock clock;
    Form1 &f = lesson.form();
    QStringList trace;
    f.Command6.setClickHandler([&] {
        trace << "handler start";
        f.Wait(30); // a nested wait of its own
        trace << "handler end";
    });
    clock.at(clock.now() + 10, [&] { Lesson::click(f.Command6); });
    const quint32 start = clock.now();
    f.Wait(20);
    trace << "wait returned";
    QCOMPARE(trace, (QStringList{"handler start", "handler end", "wait returned"}));
    // The nested handler took 30 ms from the 10th: the outer wait returns after it.
    QCOMPARE(clock.now() - start, 40u);
}

void WaitTest::sleepsInsteadOfPolling() {
    Lesson lesson;
    CountingClock clock;
    const quint32 start = rt::Ticks();
    lesson->Wait(200);
    QVERIFY(rt::Ticks() - start >= 200);
    // A busy poll would wake up many thousands of times; blocking wakes a handful.
    QVERIFY2(clock.idles < 20, qPrintable(QString::number(clock.idles)));
}

QTEST_MAIN(WaitTest)
#include "tst_wait.moc"
