// Enlarging the whole window for a projector: drawn at the new size, every part in step, and
// never beyond the screen. Runs on a large desk screen and three projector-sized ones.

#include "lesson.h"
#include "probes.h"
#include "runtime/core/controlmetrics.h"
#include "runtime/qt/focusring.h"
#include "testclock.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

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

// The settings the window keeps its place in, in a test's fresh folder.
std::unique_ptr<QSettings> settingsIn(const QString &file) {
    return std::make_unique<QSettings>(file, QSettings::NativeFormat);
}

// The window shows the design filling `screen`, or as a window on it at `zoom`.
bool showsAt(rt::qt::Window &w, QScreen &screen, bool fullScreen, double zoom) {
    if (w.screen() != &screen || w.isFullScreen() != fullScreen) return false;
    if (fullScreen) return w.geometry() == screen.geometry();
    return w.zoom() == zoom && screen.availableGeometry().contains(w.frameGeometry());
}

QString described(rt::qt::Window &w) {
    return QStringLiteral("on %1 at %2 (%3 chosen) %4, %5 %6")
        .arg(w.screen()->name())
        .arg(w.zoom())
        .arg(w.place().zoom)
        .arg(w.isFullScreen() ? "full screen" : "windowed")
        .arg(w.geometry().x())
        .arg(w.geometry().y());
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
    void nextRunTakesUpThePlace_data();
    void nextRunTakesUpThePlace();
    void keptPlaceIsChecked_data();
    void keptPlaceIsChecked();
};

void ZoomTest::keysStepThroughTheZooms() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
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
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    f.hint.setValue(1);
    f.table.setValue(1);
    Lesson::click(f.forward);
    Lesson::click(f.forward);
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
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    QWidget &automatic = Lesson::widget(f.run);
    const QRect normal = automatic.geometry();
    const int fontPixels = automatic.font().pixelSize();
    // The focus ring around its control, as broad as the zoom makes the design's ring.
    auto ringWidth = [&w] {
        const auto *ring = w.findChild<rt::qt::FocusRing *>();
        if (!ring || !ring->isVisible() || !ring->target()) return -1;
        return ring->target()->geometry().left() - ring->geometry().left();
    };
    QTRY_COMPARE(ringWidth(), int(rt::metrics::FocusRing));
    w.setZoom(1.5);
    QCOMPARE(automatic.geometry(), QRect(864, 216, 194, 50));
    QCOMPARE(automatic.geometry().topLeft(), normal.topLeft() * 1.5);
    QCOMPARE(automatic.font().pixelSize(), qRound(fontPixels * 1.5));
    QCOMPARE(ringWidth(), int(std::lround(rt::metrics::FocusRing * 1.5)));
    Lesson::click(f.table);
    QCOMPARE(w.height(), qRound(713 * 1.5));
}

void ZoomTest::erasingAtDoubleSizeLeavesNoTrace() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    f.table.setValue(1);
    w.setZoom(2.0);
    const QImage initial = formPicture(w);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.forward);
    QVERIFY(formPicture(w) != initial);
    for (int i = 0; i < 12; ++i)
        Lesson::click(f.back);
    f.stream.setHeight(0);
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
    ProportionLesson &f = lesson.form();
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
    Lesson::click(f.table);
    QCOMPARE(w.zoom(), tallLimit);
    QVERIFY(fitsOn(w));
    zoomIn(w);
    QCOMPARE(w.zoom(), tallLimit);
    Lesson::click(f.table);
    QCOMPARE(w.zoom(), shortLimit); // the zoom chosen before the table came back
    QVERIFY(fitsOn(w));
    // The graph widens the window: 1215 pixels do not fit some screens even at 100 %.
    Lesson::click(f.graph);
    QCOMPARE(w.zoom(), wideLimit);
    QCOMPARE(fitsOn(w), 1215 + 4 <= projector->availableGeometry().width());
    Lesson::click(f.graph);
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
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    QWidget &end = Lesson::widget(f.quit);
    const QList<QWidget *> controls = {&end, &Lesson::widget(f.time), &Lesson::widget(f.forward),
                                       &Lesson::widget(f.table)};
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
    const QRect left(0, 0, Lesson::widget(f.time).x(), w.height());
    const QImage windowedPicture = presented(w).copy(left);

    QTest::keyClick(&w, Qt::Key_F11);
    QTRY_COMPARE(w.geometry(), projector->geometry());
    if (table) Lesson::click(f.table);
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
        Lesson::click(f.table);
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
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    const int normal = indicatorWidth(f.table);
    QVERIFY(normal > 8);
    zoomIn(w, 4);
    QCOMPARE(w.zoom(), 2.0);
    const int doubled = indicatorWidth(f.table);
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
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    auto &timeBox = *qobject_cast<QLineEdit *>(&Lesson::widget(f.time));
    w.setZoom(zoom);
    if (typed) {
        // "." in the time box is the remote's stop key; a pupil's digits are no narrower.
        time.replace(QLatin1Char('.'), QLatin1Char('0'));
        QTest::mouseClick(&timeBox, Qt::LeftButton);
        timeBox.selectAll();
        QTest::keyClicks(&timeBox, time);
        QTest::keyClick(&timeBox, Qt::Key_Tab); // on to the next control: no cursor left
    } else {
        f.time.setText(time.toStdString());
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

void ZoomTest::nextRunTakesUpThePlace_data() {
    QTest::addColumn<int>("zoomIns");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QString>("nextLesson");
    QTest::addColumn<double>("chosen");
    QTest::addColumn<double>("shown");
    QTest::newRow("zoom") << 2 << "desk" << false << "" << 1.5 << 1.5;
    QTest::newRow("zoom, the other lesson") << 2 << "desk" << false << "inverse" << 1.5 << 1.5;
    QTest::newRow("full screen") << 0 << "desk" << true << "" << 1.0 << 1.0;
    QTest::newRow("zoom and full screen") << 3 << "desk" << true << "" << 1.75 << 1.75;
    QTest::newRow("zoom and full screen, the other lesson")
        << 3 << "desk" << true << "inverse" << 1.75 << 1.75;
    QTest::newRow("projector") << 1 << "1366x768" << false << "" << 1.25 << 1.25;
    QTest::newRow("projector, full screen, the other lesson")
        << 1 << "1366x768" << true << "inverse" << 1.25 << 1.25;
    // Chosen on the desk, shown on the projector as far as it has room, as when dragged there.
    QTest::newRow("projector, too small") << 6 << "1024x768" << false << "" << 3.0 << 1.25;
}

void ZoomTest::nextRunTakesUpThePlace() {
    QFETCH(int, zoomIns);
    QFETCH(QString, screen);
    QFETCH(bool, fullScreen);
    QFETCH(QString, nextLesson);
    QFETCH(double, chosen);
    QFETCH(double, shown);
    QScreen *projector = screenNamed(screen);
    QVERIFY(projector);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("place.conf"));
    TestClock clock;
    {
        Lesson lesson({}, settingsIn(file));
        ProportionLesson &f = lesson.form();
        rt::qt::Window &w = lesson.window();
        QCOMPARE(w.zoom(), 1.0); // nothing kept yet
        zoomIn(w, zoomIns);
        // The lesson's state is no part of the place: the next run starts afresh. (The table
        // leaves the zoom chosen as it is, whatever it shows.)
        Lesson::click(f.forward);
        Lesson::click(f.table);
        QCOMPARE(f.progress, rt::Integer(2));
        if (w.screen() != projector) {
            w.setScreen(projector);
            QTRY_COMPARE(w.screen(), projector);
        }
        if (fullScreen) {
            QTest::keyClick(&w, Qt::Key_F11);
            QTRY_VERIFY(w.isFullScreen());
        }
        // Kept as it changes, not only when the window closes.
        const rt::qt::Place kept = rt::qt::readPlace(*settingsIn(file));
        QCOMPARE(kept.zoom, chosen);
        QCOMPARE(kept.fullScreen, fullScreen);
        QCOMPARE(kept.screen, screen);
    } // the program ends
    Lesson next(nextLesson.toStdString(), settingsIn(file));
    rt::qt::Window &w = next.window();
    QCOMPARE(&w.form(),
             nextLesson.isEmpty() ? static_cast<rt::Form *>(&next.form()) : &next.inverse());
    QTRY_VERIFY2(showsAt(w, *projector, fullScreen, shown), qPrintable(described(w)));
    QCOMPARE(w.place().zoom, chosen);
    QCOMPARE(next->progress, rt::Integer(0));
    QCOMPARE(next->table.Value(), 0);
    QCOMPARE(next.inverse().minutes, rt::Integer(0));
    if (fullScreen) {
        // Back to the window: at the zoom of the last run, on its screen.
        QTest::keyClick(&w, Qt::Key_F11);
        QTRY_VERIFY2(showsAt(w, *projector, false, shown), qPrintable(described(w)));
    }
}

void ZoomTest::keptPlaceIsChecked_data() {
    QTest::addColumn<QString>("kept");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("fullScreen");
    QTest::addColumn<QString>("screen");
    // Nothing wrong: the hand-written file is read as the program writes it.
    QTest::newRow("all well") << "zoom=1.25\nfullScreen=true\nscreen=1024x768" << 1.25 << true
                              << "1024x768";
    // The desk is where a window opens when told nothing.
    QTest::newRow("nothing kept") << "" << 1.0 << false << "desk";
    // Anything wrong falls back to the default, entry by entry.
    for (const char *zoom : {"abc", "99999", "0", "-1", "133", "1.3", "nan", "inf", "1e400",
                             "1.5, 2", "@Rect(0 0 2 2)"})
        QTest::addRow("zoom %s", zoom)
            << QStringLiteral("zoom=%1\nscreen=1366x768").arg(QLatin1String(zoom)) << 1.0 << false
            << "1366x768";
    QTest::newRow("screen unplugged") << "zoom=2\nscreen=nope" << 2.0 << false << "desk";
    QTest::newRow("screen list") << "zoom=2\nscreen=1024x768, 1366x768" << 2.0 << false << "desk";
    for (const char *flag : {"maybe", "1", "yes", "TRUE", "1.5, 2"})
        QTest::addRow("full screen %s", flag)
            << QStringLiteral("fullScreen=%1\nzoom=1.25").arg(QLatin1String(flag)) << 1.25 << false
            << "desk";
}

void ZoomTest::keptPlaceIsChecked() {
    QFETCH(QString, kept);
    QFETCH(double, zoom);
    QFETCH(bool, fullScreen);
    QFETCH(QString, screen);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("place.conf"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("[window]\n" + kept.toUtf8() + "\n");
    out.close();
    QScreen *expected = screenNamed(screen);
    QVERIFY(expected);
    Lesson lesson({}, settingsIn(file));
    rt::qt::Window &w = lesson.window();
    QTRY_VERIFY2(showsAt(w, *expected, fullScreen, zoom), qPrintable(described(w)));
    QCOMPARE(w.place().zoom, zoom);
}
