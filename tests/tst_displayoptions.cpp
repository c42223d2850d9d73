// Hint, 表, グラフ and 初期画面.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QTest>

class DisplayOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void hintGradient();
    void windowSize_data();
    void windowSize();
    void graphPoints_data();
    void graphPoints();
    void graphPointMovesWithWater();
    void graphStepBackLeavesNoTrace();
    void graphOpenedLateShowsTheSame();
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

void DisplayOptionsTest::windowSize_data() {
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("graph");
    QTest::addColumn<QSize>("size");
    QTest::newRow("neither") << false << false << QSize(810, 506);
    QTest::newRow("表") << true << false << QSize(810, 713);
    QTest::newRow("グラフ") << false << true << QSize(1215, 506);
    QTest::newRow("both") << true << true << QSize(1215, 713);
}

void DisplayOptionsTest::windowSize() {
    QFETCH(bool, table);
    QFETCH(bool, graph);
    QFETCH(QSize, size);
    Lesson lesson;
    Form1 &f = lesson.form();
    if (table) Lesson::click(f.Check2);
    if (graph) QTest::keyClick(&lesson.window(), Qt::Key_G);
    QCOMPARE(lesson.window().size(), size);
    QCOMPARE(f.Height(), table ? 11070 : 7965);
    // Closing both gives the window of the start back.
    if (table) QTest::keyClick(&lesson.window(), Qt::Key_T);
    if (graph) Lesson::click(f.Check3);
    QCOMPARE(lesson.window().size(), QSize(810, 506));
    QCOMPARE(f.Width(), 12270);
}

// Where the graph plots minute m: level with the water's surface at that minute. Between two
// points, the pixel under their segment.
QPoint graphPoint(double minute) {
    return QPoint(int(860 + 25 * minute), int(460 - 30 * minute));
}

void DisplayOptionsTest::graphPoints_data() {
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("hint");
    for (int m : {0, 1, 6, 12})
        QTest::addRow("%d minutes", m) << m << false;
    QTest::newRow("6 minutes, Hint") << 6 << true;
}

void DisplayOptionsTest::graphPoints() {
    QFETCH(int, minutes);
    QFETCH(bool, hint);
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check3);
    if (hint) Lesson::click(f.Check1);
    for (int m = 0; m < minutes; ++m)
        Lesson::click(f.Command4(0));
    const QImage image = presented(lesson.window());
    const QColor board = bgr(0x008000);
    for (int m = 1; m <= 12; ++m) {
        const QPoint at = graphPoint(m);
        // A plotted point in its minute's water colour, and the board where none is yet.
        const QColor water = bgr(hint ? f.Shape9(rt::Integer(m - 1)).BackColor() : 0xFFFF00);
        QCOMPARE(image.pixelColor(at), m <= minutes ? water : board);
        // The segment's middle, on the way from the point before.
        const QPoint middle = graphPoint(m - 0.5);
        QCOMPARE(image.pixelColor(middle), m <= minutes ? water : board);
    }
    QCOMPARE(image.pixelColor(graphPoint(0)), bgr(0xFFFF00));
    // The formula appears once the whole line is drawn.
    QCOMPARE(anyOtherThan(image, QRect(1050, 100, 80, 14), board), minutes == 12);
}

void DisplayOptionsTest::graphPointMovesWithWater() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check3);
    Lesson::click(f.Command4(0));
    // Half-way through the second minute: 20 of its 40 frames shown, 20 ms apart.
    QImage image;
    clock.at(clock.now() + 20 * 20 + 10, [&] { image = presented(lesson.window()); });
    Lesson::click(f.Command4(0));
    const int surface = 460 - 45;
    QCOMPARE(image.pixelColor(graphPoint(1.5)), bgr(0xFFFF00));
    QCOMPARE(image.pixelColor(graphPoint(2)), bgr(0x008000));
    QCOMPARE(image.pixelColor(graphPoint(1.25)), bgr(0xFFFF00));
    // The water's surface stands level with the point.
    QCOMPARE(graphPoint(1.5).y(), surface);
    QCOMPARE(image.pixelColor(300, surface + 1), bgr(0xFFFF00));
    QCOMPARE(image.pixelColor(300, surface - 2), bgr(0x008000));
}

void DisplayOptionsTest::graphStepBackLeavesNoTrace() {
    TestClock clock;
    Lesson fresh;
    Lesson lesson;
    for (Lesson *l : {&fresh, &lesson}) {
        Lesson::click(l->form().Check3);
        Lesson::click(l->form().Check1); // each minute's point in a colour of its own
        Lesson::click(l->form().Command4(0));
    }
    Form1 &f = lesson.form();
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(1));
    QCOMPARE(presentedDiffers(lesson.window()), QRect());
    QCOMPARE(formPicture(lesson.window()), formPicture(fresh.window()));
}

void DisplayOptionsTest::graphOpenedLateShowsTheSame() {
    TestClock clock;
    Lesson open;
    Lesson::click(open->Check3);
    Lesson late;
    for (Lesson *lesson : {&open, &late}) {
        for (int m = 0; m < 5; ++m)
            Lesson::click(lesson->form().Command4(0));
        Lesson::click(lesson->form().Command4(1));
    }
    Lesson::click(late->Check3);
    QCOMPARE(formPicture(late.window()), formPicture(open.window()));
    // 初期画面 clears the graph and closes it.
    Lesson::click(late->Command6);
    QCOMPARE(late->Check3.Value(), 0);
    QCOMPARE(late.window().width(), 810);
    Lesson::click(late->Check3);
    Lesson fresh;
    Lesson::click(fresh->Check3);
    QCOMPARE(formPicture(late.window()), formPicture(fresh.window()));
}

void DisplayOptionsTest::initialScreenAfterTwelveSteps() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check2);
    const QImage initial = formPicture(lesson.window());
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(0));
    Lesson::click(f.Command6);
    QCOMPARE(f.Progress, rt::Integer(0));
    QCOMPARE(Lesson::shownText(f.Text1), QStringLiteral("0.00"));
    QCOMPARE(f.Text1.Text(), "0.00");
    QCOMPARE(f.Check2.Value(), 0);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
    for (rt::Integer k = 0; k <= 12; ++k)
        QCOMPARE(f.Shape9(k).Height(), 0.0f);
    QCOMPARE(f.Shape11.Height(), 0.0f);
    Lesson::click(f.Check2);
    QCOMPARE(formPicture(lesson.window()), initial);
}

void DisplayOptionsTest::initialScreenKeepsHintAndDelay() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    Lesson::click(f.Check1);
    Lesson::click(f.Check2);
    f.Combo2.setText("5");
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command6);
    QCOMPARE(f.Check1.Value(), 1);
    QCOMPARE(f.Shape9(0).BackColor(), rt::Colour(0x878700));
    QCOMPARE(f.Check2.Value(), 0);
    QCOMPARE(Lesson::shownText(f.Combo2), QStringLiteral("5"));
    QCOMPARE(f.FrameDelay(), 5);
    QVERIFY(Lesson::widget(f.Command6).isEnabled());
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
    QVERIFY(!Lesson::widget(f.Command5).isEnabled());
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
}

QTEST_MAIN(DisplayOptionsTest)
#include "tst_displayoptions.moc"
