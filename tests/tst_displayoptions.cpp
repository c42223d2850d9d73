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
    ProportionLesson &f = lesson.form();
    Lesson::click(f.hint);
    QCOMPARE(f.hint.Value(), 1);
    for (rt::Integer i = 0; i <= 12; ++i) {
        const int level = 135 + 10 * i;
        QCOMPARE(f.layers(i).BackColor(), rt::Colour(level << 8 | level << 16));
        QCOMPARE(f.layers(i).BorderColor(), f.layers(i).BackColor());
    }
    QCOMPARE(f.layers(0).BackColor(), rt::Colour(0x878700));
    QCOMPARE(f.layers(12).BackColor(), rt::Colour(0xFFFF00));
    Lesson::click(f.hint);
    for (rt::Integer i = 0; i <= 12; ++i) {
        QCOMPARE(f.layers(i).BackColor(), rt::Colour(0xFFFF00));
        QCOMPARE(f.layers(i).BorderColor(), rt::Colour(0xFFFF00));
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
    ProportionLesson &f = lesson.form();
    if (table) Lesson::click(f.table);
    if (graph) QTest::keyClick(&lesson.window(), Qt::Key_G);
    QCOMPARE(lesson.window().size(), size);
    QCOMPARE(f.Height(), table ? 11070 : 7965);
    // Closing both gives the window of the start back.
    if (table) QTest::keyClick(&lesson.window(), Qt::Key_T);
    if (graph) Lesson::click(f.graph);
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
    ProportionLesson &f = lesson.form();
    Lesson::click(f.graph);
    if (hint) Lesson::click(f.hint);
    for (int m = 0; m < minutes; ++m)
        Lesson::click(f.forward);
    const QImage image = presented(lesson.window());
    const QColor board = bgr(0x008000);
    for (int m = 1; m <= 12; ++m) {
        const QPoint at = graphPoint(m);
        // A plotted point in its minute's water colour, and the board where none is yet.
        const QColor water = bgr(hint ? f.layers(rt::Integer(m - 1)).BackColor() : 0xFFFF00);
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
    ProportionLesson &f = lesson.form();
    Lesson::click(f.graph);
    Lesson::click(f.forward);
    // Half-way through the second minute: 20 of its 40 frames shown, 20 ms apart.
    QImage image;
    clock.at(clock.now() + 20 * 20 + 10, [&] { image = presented(lesson.window()); });
    Lesson::click(f.forward);
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
        Lesson::click(l->form().graph);
        Lesson::click(l->form().hint); // each minute's point in a colour of its own
        Lesson::click(l->form().forward);
    }
    ProportionLesson &f = lesson.form();
    Lesson::click(f.forward);
    Lesson::click(f.back);
    QCOMPARE(presentedDiffers(lesson.window()), QRect());
    QCOMPARE(formPicture(lesson.window()), formPicture(fresh.window()));
}

void DisplayOptionsTest::graphOpenedLateShowsTheSame() {
    TestClock clock;
    Lesson open;
    Lesson::click(open->graph);
    Lesson late;
    for (Lesson *lesson : {&open, &late}) {
        for (int m = 0; m < 5; ++m)
            Lesson::click(lesson->form().forward);
        Lesson::click(lesson->form().back);
    }
    Lesson::click(late->graph);
    QCOMPARE(formPicture(late.window()), formPicture(open.window()));
    // 初期画面 clears the graph and closes it.
    Lesson::click(late->initialScreen);
    QCOMPARE(late->graph.Value(), 0);
    QCOMPARE(late.window().width(), 810);
    Lesson::click(late->graph);
    Lesson fresh;
    Lesson::click(fresh->graph);
    QCOMPARE(formPicture(late.window()), formPicture(fresh.window()));
}

void DisplayOptionsTest::initialScreenAfterTwelveSteps() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.table);
    const QImage initial = formPicture(lesson.window());
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.forward);
    Lesson::click(f.initialScreen);
    QCOMPARE(f.progress, rt::Integer(0));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("0.00"));
    QCOMPARE(f.time.Text(), "0.00");
    QCOMPARE(f.table.Value(), 0);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
    for (rt::Integer k = 0; k <= 12; ++k)
        QCOMPARE(f.layers(k).Height(), 0.0f);
    QCOMPARE(f.stream.Height(), 0.0f);
    Lesson::click(f.table);
    QCOMPARE(formPicture(lesson.window()), initial);
}

void DisplayOptionsTest::initialScreenKeepsHintAndDelay() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.hint);
    Lesson::click(f.table);
    f.delay.setText("5");
    Lesson::click(f.forward);
    Lesson::click(f.initialScreen);
    QCOMPARE(f.hint.Value(), 1);
    QCOMPARE(f.layers(0).BackColor(), rt::Colour(0x878700));
    QCOMPARE(f.table.Value(), 0);
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("5"));
    QCOMPARE(f.frameDelay(), 5);
    QVERIFY(Lesson::widget(f.initialScreen).isEnabled());
}

void DisplayOptionsTest::initialScreenWithoutTableKeepsHeight() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.initialScreen);
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(f.table.Value(), 0);
}

void DisplayOptionsTest::initialScreenAfterStoppedRun() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    clock.at(clock.now() + 1000, [&] { Lesson::click(f.stop); });
    Lesson::click(f.run);
    QVERIFY(f.stopRequested);
    Lesson::click(f.initialScreen);
    QVERIFY(!f.stopRequested);
    QVERIFY(!Lesson::widget(f.stop).isEnabled());
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
}

QTEST_MAIN(DisplayOptionsTest)
#include "tst_displayoptions.moc"
