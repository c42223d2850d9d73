// 進む and 戻る through the real buttons, and clicks that arrive in the middle of a step.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"

#include <QTest>

namespace {

// The picture and the table at rest must be those of minute progress / 2.
void verifyAtRest(ProportionLesson &f, int progress) {
    QCOMPARE(f.progress, rt::Integer(progress));
    QVERIFY2(restProblem(f).isEmpty(), qPrintable(restProblem(f)));
    QCOMPARE(Lesson::shownText(f.time), QString::number(progress / 2.0, 'f', 2));
    QCOMPARE(qs(f.time.Text()), Lesson::shownText(f.time));
}

} // namespace

class ManualStepTest : public QObject {
    Q_OBJECT

private slots:
    void twelveForwardTwelveBack();
    void forwardThenBack();
    void nestedInitialScreenDuringForward();
    void nestedInitialScreenDuringBack();
    void nestedInitialScreenThenForward();
    void automaticWaitsForManualStep();
    void deepNestingUnwinds();
};

void ManualStepTest::twelveForwardTwelveBack() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    const QImage initial = formPicture(lesson.window());
    for (int i = 1; i <= 12; ++i) {
        Lesson::click(f.forward);
        verifyAtRest(f, 2 * i);
        QCOMPARE(f.stream.Height(), 1.0f);
    }
    // The twelfth click left 進む disabled: one more does nothing.
    Lesson::click(f.forward);
    QCOMPARE(f.progress, rt::Integer(24));
    for (int i = 11; i >= 0; --i) {
        Lesson::click(f.back);
        verifyAtRest(f, 2 * i);
        QCOMPARE(f.stream.Height(), 1.0f);
    }
    Lesson::click(f.back);
    QCOMPARE(f.progress, rt::Integer(0));
    // Back at minute 0 nothing of any figure remains, table band included.
    f.stream.setHeight(0);
    QCOMPARE(formPicture(lesson.window()), initial);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::forwardThenBack() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.forward);
    verifyAtRest(f, 2);
    Lesson::click(f.back);
    verifyAtRest(f, 0);
    QVERIFY(!Lesson::widget(f.back).isEnabled());
}

void ManualStepTest::nestedInitialScreenDuringForward() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    f.hint.setValue(1);
    Lesson reference;
    reference->hint.setValue(1);
    const QImage initial = formPicture(reference.window());

    Lesson::click(f.forward);
    Lesson::click(f.forward);
    QImage atReset;
    clock.at(clock.now() + 300, [&] {
        Lesson::click(f.initialScreen);
        atReset = formPicture(lesson.window()); // the reset shows at once, not after the step
    });
    Lesson::click(f.forward);
    QCOMPARE(f.Height(), 7965); // the table is hidden by the reset
    verifyAtRest(f, 0);
    QCOMPARE(atReset, initial);
    QCOMPARE(formPicture(lesson.window()), initial);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::nestedInitialScreenDuringBack() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.forward);
    clock.at(clock.now() + 500, [&] { Lesson::click(f.initialScreen); });
    // At progress 2 a step back after a reset would address layer −1.
    Lesson::click(f.back);
    verifyAtRest(f, 0);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::nestedInitialScreenThenForward() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    for (int i = 0; i < 3; ++i)
        Lesson::click(f.forward);
    clock.at(clock.now() + 100, [&] {
        Lesson::click(f.initialScreen);
        Lesson::click(f.table);
        Lesson::click(f.forward); // a new step, nested inside the old one's wait
    });
    Lesson::click(f.back);
    verifyAtRest(f, 2);

    Lesson reference;
    reference->table.setValue(1);
    Lesson::click(reference->forward);
    QCOMPARE(formPicture(lesson.window()), formPicture(reference.window()));
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::automaticWaitsForManualStep() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    bool automaticEnabled = true;
    clock.at(clock.now() + 100, [&] {
        automaticEnabled = Lesson::widget(f.run).isEnabled();
        Lesson::click(f.run);
    });
    Lesson::click(f.forward);
    QVERIFY(!automaticEnabled);
    verifyAtRest(f, 2);
}

// A pupil who clicks 初期画面 and 進む during every pause of a slow delay, 150 times: each new
// step starts while the one before waits, and runs to its end before the one it interrupted
// goes on, which finds itself overtaken by 初期画面 and stops. 進む, disabled by the step under
// way, takes no click. A short delay then lets the last step end.
void ManualStepTest::deepNestingUnwinds() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::typeInto(f.delay, QStringLiteral("1000"));
    constexpr int Pairs = 150;
    int pairs = 0;
    clock.onWait([&] {
        if (pairs == Pairs) return;
        // Counted before the clicks, whose steps start at once.
        if (++pairs == Pairs) Lesson::typeInto(f.delay, QStringLiteral("1"));
        Lesson::click(f.initialScreen);
        Lesson::click(f.forward);
    });
    while (pairs < Pairs) {
        Lesson::click(f.forward);
        QVERIFY(!rt::waiting());
    }
    // The last 進む, after the last 初期画面, stepped to minute 1; the lesson goes on as usual.
    verifyAtRest(f, 2);
    Lesson::click(f.forward);
    verifyAtRest(f, 4);
    QVERIFY(lesson.errors().isEmpty());
}

QTEST_MAIN(ManualStepTest)
#include "tst_manualstep.moc"
