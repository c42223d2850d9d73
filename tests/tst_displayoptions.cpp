// Hint, 表 and 初期画面.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QTest>

class DisplayOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void hintGradient();
    void tableHeight();
    void initialScreenAfterTwelveSteps();
    void initialScreenKeepsHintAndDelay();
    void initialScreenWithoutTableKeepsHeight();
    void initialScreenAfterStoppedRun();
};

void DisplayOptionsTest::hintGradient() {
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check1);
    QCOMPARE(f.Check1.Value(), 1);
    for (rt::Integer i = 0; i <= 12; ++i) {
        const int level = 135 + 10 * i;
        QCOMPARE(f.Shape9(i).BackColor(), rt::Colour(level << 8 | level << 16));
        QCOMPARE(f.Shape9(i).BorderColor(), f.Shape9(i).BackColor());
    }
    QCOMPARE(f.Shape9(0).BackColor(), rt::Colour(0x878700));
    QCOMPARE(f.Shape9(12).BackColor(), rt::Colour(0xFFFF00));
    Lesson::click(f.Check1);
    for (rt::Integer i = 0; i <= 12; ++i) {
        QCOMPARE(f.Shape9(i).BackColor(), rt::Colour(0xFFFF00));
        QCOMPARE(f.Shape9(i).BorderColor(), rt::Colour(0xFFFF00));
    }
}

void DisplayOptionsTest::tableHeight() {
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check2);
    QCOMPARE(f.Height(), 11070);
    QCOMPARE(f.height(), 713);
    Lesson::click(f.Check2);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(f.height(), 506);
}

void DisplayOptionsTest::initialScreenAfterTwelveSteps() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check2);
    const QImage initial = formPicture(f);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(0));
    Lesson::click(f.Command6);
    QCOMPARE(f.Progress, rt::Integer(0));
    QCOMPARE(f.Text1.Text(), QStringLiteral("0.00"));
    QCOMPARE(f.Check2.Value(), 0);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
    for (rt::Integer k = 0; k <= 12; ++k)
        QCOMPARE(f.Shape9(k).Height(), 0.0f);
    QCOMPARE(f.Shape11.Height(), 0.0f);
    Lesson::click(f.Check2);
    QCOMPARE(formPicture(f), initial);
}

void DisplayOptionsTest::initialScreenKeepsHintAndDelay() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check1);
    Lesson::click(f.Check2);
    f.Combo2.setText(QStringLiteral("5"));
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command6);
    QCOMPARE(f.Check1.Value(), 1);
    QCOMPARE(f.Shape9(0).BackColor(), rt::Colour(0x878700));
    QCOMPARE(f.Check2.Value(), 0);
    QCOMPARE(f.Combo2.Text(), QStringLiteral("5"));
    QVERIFY(f.Command6.isEnabled());
}

void DisplayOptionsTest::initialScreenWithoutTableKeepsHeight() {
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Command6);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(f.Check2.Value(), 0);
}

void DisplayOptionsTest::initialScreenAfterStoppedRun() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    clock.at(clock.now() + 1000, [&] { Lesson::click(f.Command5); });
    Lesson::click(f.Command2);
    QCOMPARE(f.StopRequested, rt::Integer(1));
    Lesson::click(f.Command6);
    QCOMPARE(f.StopRequested, rt::Integer(0));
    QVERIFY(!f.Command5.isEnabled());
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
}

QTEST_MAIN(DisplayOptionsTest)
#include "tst_displayoptions.moc"
