// 自　動 and 停止 through the real buttons, on the test clock.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QTest>

namespace {

constexpr quint32 Minute = 40 * 20; // ms at the default delay

// Runs 自　動 from where the lesson stands; `during` is called at `offset` ms into the run.
void runAutomatic(TestClock &clock, ProportionLesson &f, quint32 offset = 0,
                  const std::function<void()> &during = {}) {
    if (during) clock.at(clock.now() + offset, during);
    Lesson::click(f.run);
}

void verifyFilled(ProportionLesson &f, int progress) {
    QCOMPARE(f.progress, rt::Integer(progress));
    QVERIFY2(restProblem(f).isEmpty(), qPrintable(restProblem(f)));
    QCOMPARE(f.stream.Height(), 1.0f);
    QCOMPARE(Lesson::shownText(f.time), QString::number(progress / 2.0, 'f', 2));
    QCOMPARE(qs(f.time.Text()), Lesson::shownText(f.time));
}

} // namespace

class AutoRunTest : public QObject {
    Q_OBJECT

private slots:
    void fullRun();
    void stop_data();
    void stop();
    void continuesAfterStop();
    void hugeDelayPutRightThenStop();
    void clearingTheDelayKeepsThePace_data();
    void clearingTheDelayKeepsThePace();
    void restartsWhenFull();
    void hintDuringRun();
    void tableDuringRun();
    void finalPictureEqualsTwelveSteps_data();
    void finalPictureEqualsTwelveSteps();
};

void AutoRunTest::fullRun() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QString during;
    const quint32 start = clock.now();
    runAutomatic(clock, f, 5 * Minute + 10, [&] { during = buttonStates(f); });
    QCOMPARE(during, QStringLiteral("01000"));
    verifyFilled(f, 24);
    QCOMPARE(buttonStates(f), QStringLiteral("10011"));
    QCOMPARE(clock.now() - start, 12 * Minute);
    QVERIFY(lesson.errors().isEmpty());
}

void AutoRunTest::stop_data() {
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("states");
    QTest::newRow("first minute") << 1 << 2 << "10111";
    QTest::newRow("fourth minute") << 4 << 8 << "10111";
    QTest::newRow("twelfth minute") << 12 << 24 << "10011";
}

void AutoRunTest::stop() {
    QFETCH(int, minute);
    QFETCH(int, progress);
    QFETCH(QString, states);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    runAutomatic(clock, f, (minute - 1) * Minute + 300, [&] { Lesson::click(f.stop); });
    verifyFilled(f, progress);
    QCOMPARE(buttonStates(f), states);
    QVERIFY(f.stopRequested);
}

void AutoRunTest::continuesAfterStop() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    runAutomatic(clock, f, 3 * Minute + 300, [&] { Lesson::click(f.stop); });
    verifyFilled(f, 8);
    const quint32 start = clock.now();
    runAutomatic(clock, f);
    verifyFilled(f, 24);
    QCOMPARE(clock.now() - start, 8 * Minute); // minutes 5 to 12 only
    QVERIFY(!f.stopRequested);
}

// A pupil types 25 days into the delay box in the sixteenth frame (300 to 320 ms), puts it
// right five seconds later, then clicks 停止 in the second minute: that frame ends at once,
// the rest run at 10 ms, and the run stops when the second minute is full.
void AutoRunTest::hugeDelayPutRightThenStop() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    const quint32 start = clock.now();
    clock.at(start + 310, [&] { Lesson::typeInto(f.delay, QStringLiteral("99999999999")); });
    clock.at(start + 5310, [&] { Lesson::typeInto(f.delay, QStringLiteral("10")); });
    clock.at(start + 5710, [&] { Lesson::click(f.stop); });
    runAutomatic(clock, f);
    verifyFilled(f, 4);
    QCOMPARE(clock.now() - start, 5310u + 24 * 10 + 40 * 10);
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("10"));
    QVERIFY(lesson.errors().isEmpty());
}

void AutoRunTest::clearingTheDelayKeepsThePace_data() {
    QTest::addColumn<bool>("inverse"); // a fill of the second lesson, else a run of the first
    QTest::addColumn<QString>("typed");
    QTest::addColumn<quint32>("length"); // of the run or fill, in ms
    // Selected and cleared in the third minute's sixteenth frame: the pace stays 20 ms a frame
    // while the text holds no figure; "0" is a real "no pause".
    for (const bool inverse : {false, true}) {
        const char *lesson = inverse ? "fill" : "run";
        for (const char *typed : {"", ".", "-", "xyz"})
            QTest::addRow("%s, \"%s\"", lesson, typed) << inverse << typed << 12 * Minute;
        QTest::addRow("%s, \"0\"", lesson) << inverse << "0" << 2 * Minute + 310;
    }
}

void AutoRunTest::clearingTheDelayKeepsThePace() {
    QFETCH(bool, inverse);
    QFETCH(QString, typed);
    QFETCH(quint32, length);
    TestClock clock;
    Lesson lesson;
    if (inverse) lesson.inverseWindow();
    rt::Control &delay =
        inverse ? static_cast<rt::Control &>(lesson.inverse().delay) : lesson.form().delay;
    const quint32 start = clock.now();
    clock.at(start + 2 * Minute + 310, [&] {
        Lesson::typeInto(delay, {});
        QTest::keyClick(&Lesson::widget(delay), Qt::Key_Backspace);
        QTest::keyClicks(&Lesson::widget(delay), typed);
    });
    Lesson::click(inverse ? lesson.inverse().pour : lesson.form().run);
    QCOMPARE(clock.now() - start, length);
    QCOMPARE(Lesson::shownText(delay), typed);
    if (inverse) {
        QCOMPARE(lesson.inverse().minutes, rt::Integer(12));
    } else {
        verifyFilled(lesson.form(), 24);
    }
    QVERIFY(lesson.errors().isEmpty());
}

void AutoRunTest::restartsWhenFull() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    const QImage initial = formPicture(lesson.window());
    runAutomatic(clock, f);
    QCOMPARE(f.progress, rt::Integer(24));

    // The empty container shows for one frame with nothing clickable but the options.
    QString statesInEmptyFrame;
    QImage emptyFrame;
    bool first = true;
    clock.onWait([&] {
        if (!first) return;
        first = false;
        statesInEmptyFrame = buttonStates(f);
        emptyFrame = formPicture(lesson.window());
        Lesson::click(f.run); // must not start a second run
        Lesson::click(f.forward);
        Lesson::click(f.initialScreen);
    });
    const quint32 start = clock.now();
    runAutomatic(clock, f);
    QCOMPARE(statesInEmptyFrame, QStringLiteral("00000"));
    QCOMPARE(emptyFrame, initial);
    verifyFilled(f, 24);
    QCOMPARE(buttonStates(f), QStringLiteral("10011"));
    QCOMPARE(clock.now() - start, 20 + 12 * Minute);
    QVERIFY(lesson.errors().isEmpty());
}

void AutoRunTest::hintDuringRun() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::Colour afterClick = 0;
    QColor onScreen;
    runAutomatic(clock, f, 3 * Minute + 100, [&] {
        Lesson::click(f.hint);
        afterClick = f.layers(0).BackColor();
        onScreen = pixel(screen(lesson.window()), 300, 450);
    });
    QCOMPARE(afterClick, rt::Colour(0x878700));
    QCOMPARE(onScreen, bgr(0x878700));
    verifyFilled(f, 24);
    QCOMPARE(f.layers(11).BackColor(), rt::Colour(0xF5F500));
    QCOMPARE(f.stream.BackColor(), rt::Colour(0xF5F500)); // the last layer's colour
}

void AutoRunTest::tableDuringRun() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    runAutomatic(clock, f, 2 * Minute + 100, [&] { Lesson::click(f.table); });
    QCOMPARE(f.Height(), 11070);
    verifyFilled(f, 24);
}

void AutoRunTest::finalPictureEqualsTwelveSteps_data() {
    QTest::addColumn<QString>("delay");
    QTest::newRow("0") << "0";
    QTest::newRow("1") << "1";
}

void AutoRunTest::finalPictureEqualsTwelveSteps() {
    QFETCH(QString, delay);
    TestClock clock;
    Lesson stepped;
    stepped->table.setValue(1);
    stepped->delay.setText(delay.toStdString());
    for (int i = 0; i < 12; ++i)
        Lesson::click(stepped->forward);

    Lesson automatic;
    automatic->table.setValue(1);
    automatic->delay.setText(delay.toStdString());
    runAutomatic(clock, automatic.form());
    verifyFilled(automatic.form(), 24);
    QCOMPARE(formPicture(automatic.window()), formPicture(stepped.window()));
}

QTEST_MAIN(AutoRunTest)
#include "tst_autorun.moc"
