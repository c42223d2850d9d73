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
