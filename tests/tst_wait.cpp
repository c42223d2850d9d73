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
    void lastsTheFullDelay_data();
    void lastsTheFullDelay();
    void realClockEndsAtTheCountersMillisecond_data();
    void realClockEndsAtTheCountersMillisecond();
    void stopClickRunsInsideTheWait();
    void clickedHandlerRunsToItsEndInsideTheWait();
    void sleepsInsteadOfPolling();
};

void WaitTest::lastsTheFullDelay_data() {
    QTest::addColumn<quint32>("start");
    QTest::addColumn<int>("ms");
    QTest::addColumn<quint32>("elapsed");
    // With nothing to wait the first test finds nothing elapsed: no event is processed.
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
    QTimer::singleShot(0, &lesson.form(), [&] { processed = true; });
    clock.setNow(start);
    lesson->Wait(ms);
    QCOMPARE(clock.now() - start, elapsed);
    QCOMPARE(processed, elapsed > 0);
}

void WaitTest::realClockEndsAtTheCountersMillisecond_data() {
    QTest::addColumn<qint64>("readNs");
    QTest::addColumn<qint64>("wokeNs");
    QTest::addColumn<qint64>("deadlineNs");
    QTest::newRow("woke within the millisecond")
        << 1'000'300'000LL << 1'000'900'000LL << 1'020'000'000LL;
    QTest::newRow("woke 15 ms late") << 1'000'000'000LL << 1'015'000'000LL << 1'020'000'000LL;
    QTest::newRow("deadline passed") << 1'000'000'000LL << 1'025'000'000LL << 1'020'000'000LL;
    QTest::newRow("counter past 2^32")
        << 4'294'967'301'500'000LL << 4'294'967'302'000'000LL << 4'294'967'321'000'000LL;
}

// A 20 ms wait asked for after the counter was read ends when the counter shows that reading
// plus 20, however late the program woke up: otherwise every frame would drift.
void WaitTest::realClockEndsAtTheCountersMillisecond() {
    QFETCH(qint64, readNs);
    QFETCH(qint64, wokeNs);
    QFETCH(qint64, deadlineNs);
    qint64 now = readNs;
    rt::SteadyClock steady([&now] { return now; });
    steady.ticks();
    now = wokeNs;
    QCOMPARE(steady.deadlineNs(20), deadlineNs);
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
