// Enlarging the whole window for a projector: drawn at the new size, every part in step, and
// never beyond the screen. Runs on a large desk screen and three projector-sized ones.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

namespace {

// Points well inside walls, floor, marks, tap, water, board and labels' backgrounds.
const QList<QPoint> Probes = {
    {152, 300}, {496, 300}, {300, 460}, {480, 430}, {480, 100}, {448, 12},
    {470, 32},  {424, 46},  {520, 30},  {300, 445}, {300, 415}, {300, 300},
    {424, 300}, {10, 10},   {400, 544}, {400, 600}, {96, 620},  {700, 600},
};

const QColor Board = bgr(0x008000);
const QColor Wall = bgr(0x80C0FF);

QScreen *screenNamed(const QString &name) {
    for (QScreen *s : QGuiApplication::screens())
        if (s->name() == name) return s;
    return nullptr;
}

// The window, frame included, lies within the screen's available area.
bool fitsOn(QWidget &w) {
    return w.screen()->availableGeometry().contains(w.frameGeometry());
}

void zoomIn(QWidget &w, int times = 1) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
}

// The first pixel from `at` on, going by `step`, that is (or with `board`, is not) board colour.
QPoint pastBoard(const QImage &s, QPoint at, QPoint step, bool board = false) {
    while (s.rect().contains(at) && (s.pixelColor(at) == Board) != board)
        at += step;
    return at;
}

// The width of the check box's indicator on screen: the first run of other than board colour.
int indicatorWidth(rt::CheckBox &model) {
    QWidget &check = Lesson::widget(model);
    const QImage s = presented(*check.window());
    const QPoint start =
        pastBoard(s, check.geometry().topLeft() + QPoint(0, check.height() / 2), QPoint(1, 0));
    return pastBoard(s, start, QPoint(1, 0), true).x() - start.x();
}

// Edges of the same thing in form pixels and on screen agree to a pixel.
bool near(double expected, int actual) {
    return std::abs(expected - actual) <= 1.0;
}

} // namespace

class ZoomTest : public QObject {
    Q_OBJECT

private slots:
    void keysStepThroughTheZooms();
    void doubledPictureMatchesProbes();
    void controlsScale();
    void erasingAtDoubleSizeLeavesNoTrace();
    void zoomFitsTheScreen_data();
    void zoomFitsTheScreen();
    void fullScreenFitsTheDesign_data();
    void fullScreenFitsTheDesign();
    void checkIndicatorScales();
    void timeBoxShowsWholeTimes_data();
    void timeBoxShowsWholeTimes();
};

void ZoomTest::keysStepThroughTheZooms() {
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    const QList<double> up = {1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 3.0};
    for (double expected : up) {
        QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(w.zoom(), expected);
    }
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 2.5);
    QTest::keyClick(&w, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.zoom(), 3.0);
    QCOMPARE(w.size(), QSize(2430, 1518));
    QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 1.0);
    QCOMPARE(w.size(), QSize(810, 506));
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w.zoom(), 1.0);
    // The lesson itself still works in design pixels and twips.
    QCOMPARE(f.Height(), 7965);
}

void ZoomTest::doubledPictureMatchesProbes() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    f.Check1.setValue(1);
    f.Check2.setValue(1);
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(0));
    const QImage normal = formPicture(w);
    w.setZoom(2.0);
    QCOMPARE(w.size(), QSize(1620, 1426)); // the tall window, doubled
    const QImage doubled = formPicture(w);
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
    rt::qt::Window &w = lesson.window();
    QWidget &automatic = Lesson::widget(f.Command2);
    const QRect normal = automatic.geometry();
    const int fontPixels = automatic.font().pixelSize();
    w.setZoom(1.5);
    QCOMPARE(automatic.geometry(), QRect(864, 216, 194, 50));
    QCOMPARE(automatic.geometry().topLeft(), normal.topLeft() * 1.5);
    QCOMPARE(automatic.font().pixelSize(), qRound(fontPixels * 1.5));
    Lesson::click(f.Check2);
    QCOMPARE(w.height(), qRound(713 * 1.5));
}

void ZoomTest::erasingAtDoubleSizeLeavesNoTrace() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    f.Check2.setValue(1);
    w.setZoom(2.0);
    const QImage initial = formPicture(w);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(0));
    QVERIFY(formPicture(w) != initial);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.Command4(1));
    f.Shape11.setHeight(0);
    QCOMPARE(formPicture(w), initial);
}

void ZoomTest::zoomFitsTheScreen_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<double>("shortLimit");
    QTest::addColumn<double>("tallLimit");
    QTest::addColumn<double>("wideLimit");
    // Offscreen windows have a frame of 2 pixels all round.
    QTest::newRow("1024x768") << "1024x768" << 1.25 << 1.0 << 1.0;
    QTest::newRow("1366x768") << "1366x768" << 1.5 << 1.0 << 1.0;
    QTest::newRow("1920x1080") << "1920x1080" << 2.0 << 1.5 << 1.5;    // 1070 + 4 of 1080 rows
    QTest::newRow("frame counts") << "1218x762" << 1.25 << 1.0 << 1.0; // 150 %: 1215x759 + frame
}

void ZoomTest::zoomFitsTheScreen() {
    QFETCH(QString, screen);
    QFETCH(double, shortLimit);
    QFETCH(double, tallLimit);
    QFETCH(double, wideLimit);
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    zoomIn(w, 6);
    QCOMPARE(w.zoom(), 3.0); // the desk has room
    QScreen *projector = screenNamed(screen);
    QVERIFY(projector);
    w.setScreen(projector);
    QTRY_COMPARE(w.screen(), projector);
    // Taken to the projector, the window steps down until it fits.
    QCOMPARE(w.zoom(), shortLimit);
    QVERIFY(fitsOn(w));
    zoomIn(w);
    QCOMPARE(w.zoom(), shortLimit);
    QVERIFY(fitsOn(w));
    Lesson::click(f.Check2);
    QCOMPARE(w.zoom(), tallLimit);
    QVERIFY(fitsOn(w));
    zoomIn(w);
    QCOMPARE(w.zoom(), tallLimit);
    Lesson::click(f.Check2);
    QCOMPARE(w.zoom(), shortLimit); // the zoom chosen before the table came back
    QVERIFY(fitsOn(w));
    // The graph widens the window: 1215 pixels do not fit some screens even at 100 %.
    Lesson::click(f.Check3);
    QCOMPARE(w.zoom(), wideLimit);
    QCOMPARE(fitsOn(w), 1215 + 4 <= projector->availableGeometry().width());
    Lesson::click(f.Check3);
    QCOMPARE(w.zoom(), shortLimit);
    QTest::keyClick(&w, Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(w.zoom() < shortLimit);
}

void ZoomTest::fullScreenFitsTheDesign_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("table");
    QTest::newRow("1024x768") << "1024x768" << false;
    QTest::newRow("1024x768 table") << "1024x768" << true;
    QTest::newRow("1366x768") << "1366x768" << false;
    QTest::newRow("1366x768 table") << "1366x768" << true;
}

void ZoomTest::fullScreenFitsTheDesign() {
    QFETCH(QString, screen);
    QFETCH(bool, table);
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    QWidget &end = Lesson::widget(f.Command1);
    const QList<QWidget *> controls = {&end, &Lesson::widget(f.Text1),
                                       &Lesson::widget(f.Command4(0)), &Lesson::widget(f.Check2)};
    QList<QRect> designBoxes;
    for (QWidget *w : controls)
        designBoxes << w->geometry();
    const int fontPixels = end.font().pixelSize();
    QScreen *projector = screenNamed(screen);
    QVERIFY(projector);
    w.setScreen(projector);
    QTRY_COMPARE(w.screen(), projector);
    zoomIn(w);
    w.move(projector->availableGeometry().topLeft() + QPoint(5, 7)); // not in the corner
    const double windowedZoom = w.zoom();
    const QRect windowed = w.geometry();
    // Left of the time box: the container, its scale and the labels.
    const QRect left(0, 0, Lesson::widget(f.Text1).x(), w.height());
    const QImage windowedPicture = presented(w).copy(left);

    QTest::keyClick(&w, Qt::Key_F11);
    QTRY_COMPARE(w.geometry(), projector->geometry());
    if (table) Lesson::click(f.Check2);
    const QSizeF design(810, table ? 713 : 506);
    const QSize room = projector->geometry().size();
    const double scale = std::min(room.width() / design.width(), room.height() / design.height());
    const QPointF origin((room.width() - design.width() * scale) / 2,
                         (room.height() - design.height() * scale) / 2);
    const QImage s = presented(w);
    QCOMPARE(s.size(), room);

    // Board colour all round the design.
    const QRect drawn = QRectF(origin, design * scale).toAlignedRect().adjusted(-2, -2, 2, 2);
    const QList<QRect> surround = {
        QRect(0, 0, room.width(), drawn.top()),
        QRect(0, drawn.bottom() + 1, room.width(), room.height() - drawn.bottom() - 1),
        QRect(0, 0, drawn.left(), room.height()),
        QRect(drawn.right() + 1, 0, room.width() - drawn.right() - 1, room.height()),
    };
    for (const QRect &strip : surround)
        if (!strip.isEmpty()) QVERIFY(!anyOtherThan(s, strip, Board));

    // The container scaled and centred: left wall from x 149.5, floor from y 457.5. Crisp:
    // across a wall and the floor there are only the wall's and the board's colours.
    const int row = qRound(origin.y() + 300 * scale);
    const QPoint wall = pastBoard(s, QPoint(qRound(origin.x() + 140 * scale), row), QPoint(1, 0));
    QVERIFY(near(origin.x() + 149.5 * scale, wall.x()));
    const int column = qRound(origin.x() + 300 * scale);
    const QPoint floor =
        pastBoard(s, QPoint(column, qRound(origin.y() + 440 * scale)), QPoint(0, 1));
    QVERIFY(near(origin.y() + 457.5 * scale, floor.y()));
    const QList<QColor> crisp = {Board, Wall};
    for (int i = qRound(origin.x() + 140 * scale); i < qRound(origin.x() + 490 * scale); ++i)
        QVERIFY(crisp.contains(s.pixelColor(i, row)));
    for (int i = qRound(origin.y() + 440 * scale); i < qRound(origin.y() + 475 * scale); ++i)
        QVERIFY(crisp.contains(s.pixelColor(column, i)));

    // The controls in their scaled places, all on the screen, and drawn there.
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect box = controls[i]->geometry();
        const QRectF expected(origin + designBoxes[i].topLeft() * scale,
                              QSizeF(designBoxes[i].size()) * scale);
        QVERIFY2(near(expected.left(), box.left()) && near(expected.top(), box.top()) &&
                     near(expected.width(), box.width()) && near(expected.height(), box.height()),
                 qPrintable(controls[i]->objectName()));
        QVERIFY(QRect(QPoint(), room).contains(box));
    }
    QVERIFY(near(fontPixels * scale, end.font().pixelSize()));
    QCOMPARE(pixel(s, end.x() + 3, end.geometry().center().y()), bgr(0xFF8080));
    if (table) {
        // The table's last line, below the litres row, is on the screen.
        const QPointF end = origin + QPointF(400, 656) * scale;
        QCOMPARE(pixel(s, qRound(end.x()), qRound(end.y())), bgr(0xFFFFFF));
        Lesson::click(f.Check2);
    }

    // Back to the window as it was.
    QTest::keyClick(&w, Qt::Key_F11);
    QTRY_COMPARE(w.geometry(), windowed);
    QCOMPARE(w.zoom(), windowedZoom);
    QVERIFY(fitsOn(w));
    QTRY_COMPARE(presented(w).copy(left), windowedPicture); // once repainted
}

void ZoomTest::checkIndicatorScales() {
    Lesson lesson;
    Form1 &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    const int normal = indicatorWidth(f.Check2);
    QVERIFY(normal > 8);
    zoomIn(w, 4);
    QCOMPARE(w.zoom(), 2.0);
    const int doubled = indicatorWidth(f.Check2);
    QVERIFY2(std::abs(doubled - 2 * normal) <= 2,
             qPrintable(QString("%1 %2").arg(normal).arg(doubled)));
}

QTEST_MAIN(ZoomTest)
#include "tst_zoom.moc"

void ZoomTest::timeBoxShowsWholeTimes_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("typed");
    for (double zoom : rt::qt::Window::ZoomSteps)
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
    rt::qt::Window &w = lesson.window();
    auto &timeBox = *qobject_cast<QLineEdit *>(&Lesson::widget(f.Text1));
    w.setZoom(zoom);
    if (typed) {
        // "." in the time box is the remote's stop key; a pupil's digits are no narrower.
        time.replace(QLatin1Char('.'), QLatin1Char('0'));
        QTest::mouseClick(&timeBox, Qt::LeftButton);
        timeBox.selectAll();
        QTest::keyClicks(&timeBox, time);
        QTest::keyClick(&timeBox, Qt::Key_Tab); // on to the next control: no cursor left
    } else {
        f.Text1.setText(time.toStdString());
    }
    const QImage s = presented(w);
    const qreal dpr = w.devicePixelRatioF();
    const QRect box(timeBox.geometry().topLeft() * dpr, timeBox.geometry().size() * dpr);
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
