// Enlarging the whole window for a projector: drawn at the new size, every part in step.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QTest>

namespace {

// Points well inside walls, floor, marks, tap, water, board and labels' backgrounds.
const QList<QPoint> Probes = {
    {152, 300}, {496, 300}, {300, 460}, {480, 430}, {480, 100}, {448, 12},
    {470, 32},  {424, 46},  {520, 30},  {300, 445}, {300, 415}, {300, 300},
    {424, 300}, {10, 10},   {400, 544}, {400, 600}, {96, 620},  {700, 600},
};

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void keysStepThroughTheZooms();
    void doubledPictureMatchesProbes();
    void controlsScale();
    void erasingAtDoubleSizeLeavesNoTrace();
    void timeBoxShowsWholeTimes_data();
    void timeBoxShowsWholeTimes();
};

void ZoomTest::keysStepThroughTheZooms() {
    Lesson lesson;
    Form1 &f = lesson.form();
    const QList<double> up = {1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 3.0};
    for (double expected : up) {
        QTest::keyClick(&f, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.zoom(), expected);
    }
    QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(f.zoom(), 2.5);
    QTest::keyClick(&f, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.zoom(), 3.0);
    QCOMPARE(f.size(), QSize(2430, 1518));
    QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(f.zoom(), 1.0);
    QCOMPARE(f.size(), QSize(810, 506));
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(f.zoom(), 1.0);
    // The lesson itself still works in design pixels and twips.
    QCOMPARE(f.Height(), 7965);
}

void ZoomTest::doubledPictureMatchesProbes() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Check1.setValue(1);
    f.Check2.setValue(1);
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(0));
    const QImage normal = formPicture(f);
    f.setZoom(2.0);
    QCOMPARE(f.size(), QSize(1620, 1426)); // the tall window, doubled
    const QImage doubled = formPicture(f);
    for (const QPoint &p : Probes) {
        const QColor expected = normal.pixelColor(p);
        for (const QPoint &d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
            QVERIFY2(doubled.pixelColor(2 * p + d) == expected,
                     qPrintable(QStringLiteral("at %1,%2").arg(p.x()).arg(p.y())));
    }
    // The table's figures are drawn at the new size: there is white in their doubled place.
    QVERIFY(countNear(doubled, QRect(340, 1120, 60, 60), bgr(0xFFFFFF)) > 40);
}

void ZoomTest::controlsScale() {
    Lesson lesson;
    Form1 &f = lesson.form();
    const QRect normal = f.Command2.geometry();
    const int fontPixels = f.Command2.font().pixelSize();
    f.setZoom(1.5);
    QCOMPARE(f.Command2.geometry(), QRect(864, 216, 194, 50));
    QCOMPARE(f.Command2.geometry().topLeft(), normal.topLeft() * 1.5);
    QCOMPARE(f.Command2.font().pixelSize(), qRound(fontPixels * 1.5));
    Lesson::click(f.Check2);
    QCOMPARE(f.height(), qRound(713 * 1.5));
}

void ZoomTest::erasingAtDoubleSizeLeavesNoTrace() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Check2.setValue(1);
    f.setZoom(2.0);
    const QImage initial = formPicture(f);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(0));
    QVERIFY(formPicture(f) != initial);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(1));
    f.Shape11.setHeight(0);
    QCOMPARE(formPicture(f), initial);
}

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"

void ZoomTest::timeBoxShowsWholeTimes_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("typed");
    for (double zoom : rt::Form::ZoomSteps)
        for (const char *time : {"0.00", "1.05", "9.95", "10.00", "11.00", "12.00"})
            for (bool typed : {false, true})
                QTest::addRow("%g %s%s", zoom, time, typed ? " typed" : "")
                    << zoom << QString::fromLatin1(time) << typed;
}

void ZoomTest::timeBoxShowsWholeTimes() {
    QFETCH(double, zoom);
    QFETCH(QString, time);
    QFETCH(bool, typed);
    Lesson lesson;
    Form1 &f = lesson.form();
    f.setZoom(zoom);
    if (typed) {
        QTest::mouseClick(&f.Text1, Qt::LeftButton);
        f.Text1.selectAll();
        QTest::keyClicks(&f.Text1, time);
        QTest::keyClick(&f.Text1, Qt::Key_Tab); // on to the next control: no cursor left
    } else {
        f.Text1.setText(time);
    }
    const QImage s = presented(f);
    const qreal dpr = f.devicePixelRatioF();
    const QRect box(f.Text1.geometry().topLeft() * dpr, f.Text1.geometry().size() * dpr);
    const QRect inner = box.adjusted(int(2 * dpr), int(2 * dpr), int(-2 * dpr), int(-2 * dpr));
    // Each character is a separate run of inked columns: all of them show.
    int runs = 0, first = -1, last = -1;
    bool inRun = false;
    for (int x = inner.left(); x <= inner.right(); ++x) {
        const bool ink = countNear(s, QRect(x, inner.top(), 1, inner.height()), Qt::black, 100) > 0;
        if (ink && !inRun) ++runs;
        if (ink && first < 0) first = x;
        if (ink) last = x;
        inRun = ink;
    }
    QCOMPARE(runs, int(time.size()));
    // The first figure starts near the left edge and the last ends clear of the right one.
    QVERIFY2(first > inner.left() + 1 && first - inner.left() < 12 * zoom * dpr,
             qPrintable(QString::number(first - inner.left())));
    QVERIFY2(last < inner.right() - 1, qPrintable(QString::number(last)));
    // Bold: across the middle of the figures, strokes are some 8 px wide at 100 %, where the
    // regular face has 6.
    int widest = 0, run = 0;
    const int row = inner.center().y();
    for (int x = inner.left(); x <= inner.right(); ++x) {
        run = countNear(s, QRect(x, row, 1, 1), Qt::black, 100) ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    QVERIFY2(widest >= 7 * zoom * dpr, qPrintable(QString::number(widest)));
}
