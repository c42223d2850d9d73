// 進む and 戻る through the real buttons, and clicks that arrive in the middle of a step.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"

#include <QTest>

namespace {

// The picture and the table at rest must be those of minute Progress / 2.
void verifyAtRest(Form1 &f, int progress) {
    QCOMPARE(f.Progress, rt::Integer(progress));
    QVERIFY2(restProblem(f).isEmpty(), qPrintable(restProblem(f)));
    QCOMPARE(Lesson::shownText(f.Text1), QString::number(progress / 2.0, 'f', 2));
    QCOMPARE(qs(f.Text1.Text()), Lesson::shownText(f.Text1));
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
    Form1 &f = lesson.form();
    f.Check2.setValue(1);
    const QImage initial = formPicture(lesson.window());
    for (int i = 1; i <= 12; ++i) {
        Lesson::click(f.Command4(0));
        verifyAtRest(f, 2 * i);
        QCOMPARE(f.Shape11.Height(), 1.0f);
    }
    // The twelfth click left 進む disabled: one more does nothing.
    Lesson::click(f.Command4(0));
    QCOMPARE(f.Progress, rt::Integer(24));
    for (int i = 11; i >= 0; --i) {
        Lesson::click(f.Command4(1));
        verifyAtRest(f, 2 * i);
        QCOMPARE(f.Shape11.Height(), 1.0f);
    }
    Lesson::click(f.Command4(1));
    QCOMPARE(f.Progress, rt::Integer(0));
    // Back at minute 0 nothing of any figure remains, table band included.
    f.Shape11.setHeight(0);
    QCOMPARE(formPicture(lesson.window()), initial);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::forwardThenBack() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Command4(0));
    verifyAtRest(f, 2);
    Lesson::click(f.Command4(1));
    verifyAtRest(f, 0);
    QVERIFY(!Lesson::widget(f.Command4(1)).isEnabled());
}

void ManualStepTest::nestedInitialScreenDuringForward() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Check2.setValue(1);
    f.Check1.setValue(1);
    Lesson reference;
    reference->Check1.setValue(1);
    const QImage initial = formPicture(reference.window());

    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(0));
    QImage atReset;
    clock.at(clock.now() + 300, [&] {
        Lesson::click(f.Command6);
        atReset = formPicture(lesson.window()); // the reset shows at once, not after the step
    });
    Lesson::click(f.Command4(0));
    QCOMPARE(f.Height(), 7965); // the table is hidden by the reset
    verifyAtRest(f, 0);
    QCOMPARE(atReset, initial);
    QCOMPARE(formPicture(lesson.window()), initial);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::nestedInitialScreenDuringBack() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Command4(0));
    clock.at(clock.now() + 500, [&] { Lesson::click(f.Command6); });
    // At Progress 2 a step back after a reset would address layer −1.
    Lesson::click(f.Command4(1));
    verifyAtRest(f, 0);
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::nestedInitialScreenThenForward() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Check2.setValue(1);
    for (int i = 0; i < 3; ++i)
        Lesson::click(f.Command4(0));
    clock.at(clock.now() + 100, [&] {
        Lesson::click(f.Command6);
        Lesson::click(f.Check2);
        Lesson::click(f.Command4(0)); // a new step, nested inside the old one's wait
    });
    Lesson::click(f.Command4(1));
    verifyAtRest(f, 2);

    Lesson reference;
    reference->Check2.setValue(1);
    Lesson::click(reference->Command4(0));
    QCOMPARE(formPicture(lesson.window()), formPicture(reference.window()));
    QVERIFY(lesson.errors().isEmpty());
}

void ManualStepTest::automaticWaitsForManualStep() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    bool automaticEnabled = true;
    clock.at(clock.now() + 100, [&] {
        automaticEnabled = Lesson::widget(f.Command2).isEnabled();
        Lesson::click(f.Command2);
    });
    Lesson::click(f.Command4(0));
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
    Form1 &f = lesson.form();
    Lesson::typeInto(f.Combo2, QStringLiteral("1000"));
    constexpr int Pairs = 150;
    int pairs = 0;
    clock.onWait([&] {
        if (pairs == Pairs) return;
        // Counted before the clicks, whose steps start at once.
        if (++pairs == Pairs) Lesson::typeInto(f.Combo2, QStringLiteral("1"));
        Lesson::click(f.Command6);
        Lesson::click(f.Command4(0));
    });
    while (pairs < Pairs) {
        Lesson::click(f.Command4(0));
        QVERIFY(!rt::waiting());
    }
    // The last 進む, after the last 初期画面, stepped to minute 1; the lesson goes on as usual.
    verifyAtRest(f, 2);
    Lesson::click(f.Command4(0));
    verifyAtRest(f, 4);
    QVERIFY(lesson.errors().isEmpty());
}

QTEST_MAIN(ManualStepTest)
#include "tst_manualstep.moc"
