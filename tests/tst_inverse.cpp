// The second lesson through its real buttons and keys, on the test clock: each rate fills the
// container in 60 ÷ x minutes, the table and the graph hold the rates that filled it, and the
// owner of both lessons switches between them at rest only, each keeping its state.

#include "app/lessons.h"
#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/qt/focusring.h"

#include <QApplication>
#include <QFocusFrame>
#include <QTest>

namespace {

namespace inverse = design::inverse;
namespace graph = design::graph;

constexpr quint32 Minute = 40 * 20; // ms: 40 frames at the default delay
const QColor Water = bgr(design::Water);
const QColor Board = bgr(design::Board);
const QColor Curve = bgr(inverse::Curve);

// Both lessons as the program starts them, the window switched to the second.
class Unit : public Lesson {
public:
    Unit() : second(inverseWindow()) {}
    ProportionLesson &f1() { return form(); }
    InverseLesson &f2() { return inverse(); }
    rt::qt::Window &first = window();
    rt::qt::Window &second;
};

void pour(InverseLesson &f, int rate) {
    Lesson::click(f.rates(rt::Integer(inverse::index(rate))));
    Lesson::click(f.pour);
}

void key(rt::qt::Window &w, Qt::Key k) {
    QTest::keyClick(&w, k);
}

// The point of `rate` on the graph, in the picture presented.
QColor pointOf(const QImage &s, int rate) {
    return pixel(s, int(graph::x(rate)), int(graph::y(double(inverse::Capacity) / rate)));
}

// White figures in the minutes row of the column of rate number `i`.
int minutesShown(const QImage &s, int i) {
    const QRect cell(int(inverse::RateColumnX + inverse::RateColumnSpacing * i) - 12, 605, 60, 36);
    return countNear(s, cell, Qt::white);
}

} // namespace

class InverseTest : public QObject {
    Q_OBJECT

private slots:
    void fillsInWholeMinutes_data();
    void fillsInWholeMinutes();
    void pointsThenCurve();
    void stopThenAgainFromEmpty();
    void initialScreen();
    void hintTellsNeighbouringMinutesApart_data();
    void hintTellsNeighbouringMinutesApart();
    void keys_data();
    void keys();
    void stopKeysEndAFill_data();
    void stopKeysEndAFill();
    void focusComesBackWithItsRing_data();
    void focusComesBackWithItsRing();
    void switchingKeepsEachLesson();
    void noSwitchDuringAFill();
};

void InverseTest::fillsInWholeMinutes_data() {
    QTest::addColumn<int>("rate");
    for (const int rate : inverse::Rates)
        QTest::addRow("%d L a minute", rate) << rate;
}

void InverseTest::fillsInWholeMinutes() {
    QFETCH(int, rate);
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    const int minutes = inverse::Capacity / rate;
    const quint32 start = clock.now();
    pour(f, rate);
    QCOMPARE(clock.now() - start, quint32(minutes) * Minute);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("%1.00").arg(minutes));
    QCOMPARE(f.minutes * f.rate, inverse::Capacity);
    // Full to the top of the scale, one layer a minute, and the tap closed.
    const QImage s = presented(unit.second);
    QCOMPARE(pixel(s, 300, 100), Water);
    QCOMPARE(pixel(s, 300, 98), Board);
    QCOMPARE(pixel(s, 424, 52), Board);
    QCOMPARE(f.layers(rt::Integer(minutes - 1)).Top(), 100.0f);
    QCOMPARE(f.layers(rt::Integer(minutes - 1)).Height(), 6.0f * rate);
    // A screen reader hears the rate, the minutes, the litres and the pair recorded.
    const QString status = qs(f.statusText());
    QVERIFY2(
        status.contains(QStringLiteral("毎分 %1 L。%2 分後、水は 60 L").arg(rate).arg(minutes)) &&
            status.contains(QStringLiteral("毎分 %1 L で %2 分").arg(rate).arg(minutes)),
        qPrintable(status));
    QVERIFY(unit.errors().isEmpty());
}

void InverseTest::pointsThenCurve() {
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    Lesson::click(f.table);
    Lesson::click(f.graph);
    // Between the points of 6 and 10 litres a minute, on the curve only.
    const QPoint onCurve(int(graph::x(8)), int(graph::y(7.5)));
    const QRect formula(1010, 260, 120, 24);
    for (int i = 0; i < inverse::RateCount; ++i) {
        const int rate = inverse::Rates[i];
        QImage s = presented(unit.second);
        QVERIFY(pointOf(s, rate) != Water);
        QCOMPARE(minutesShown(s, i), 0);
        pour(f, rate);
        s = presented(unit.second);
        QCOMPARE(pointOf(s, rate), Water);
        QVERIFY(minutesShown(s, i) > 20);
        const bool all = i == inverse::RateCount - 1;
        QCOMPARE(pixel(s, onCurve.x(), onCurve.y()) == Curve, all);
        QCOMPARE(countNear(s, formula, Curve) > 50, all);
    }
    QVERIFY(qs(f.statusText()).contains(QStringLiteral("x × y = 60")));
    // The curve runs from the point of 1 to the point of 12 litres a minute: its drawn pieces
    // join there, and its ink shows just beside each end point, outside the point's disc.
    QCOMPARE(f.curve(0).X1(), graph::x(inverse::Rates[0]));
    QCOMPARE(f.curve(0).Y1(), graph::y(inverse::Capacity / inverse::Rates[0]));
    const rt::Line &last = f.curve(inverse::CurveSteps - 1);
    QCOMPARE(last.X2(), graph::x(inverse::Rates[inverse::RateCount - 1]));
    QCOMPARE(last.Y2(),
             graph::y(double(inverse::Capacity) / inverse::Rates[inverse::RateCount - 1]));
    for (rt::Integer k = 0; k < inverse::CurveSteps; ++k) {
        QVERIFY2(f.curve(k).Visible(), qPrintable(QString::number(k)));
        if (k > 0) QCOMPARE(f.curve(k).X1(), f.curve(k - 1).X2());
    }
    const QImage s = presented(unit.second);
    const QRect nearOne(int(graph::x(1)) - 1, int(graph::y(60)) + 5, 4, 6);
    const QRect nearTwelve(int(graph::x(12)) - 5, int(graph::y(5)) - 4, 1, 8);
    QVERIFY2(countNear(s, nearOne, Curve) > 0, "the curve's end at 1 L a minute");
    QVERIFY2(countNear(s, nearTwelve, Curve) > 0, "the curve's end at 12 L a minute");
    QVERIFY(unit.errors().isEmpty());
}

// The remote's 停止 keys end a fill at the next whole minute, B however the keyboard's Shift and
// Caps Lock stand.
void InverseTest::stopKeysEndAFill_data() {
    QTest::addColumn<int>("stopKey");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << QString() << int(Qt::NoModifier);
    QTest::newRow("B") << int(Qt::Key_B) << QStringLiteral("b") << int(Qt::NoModifier);
    QTest::newRow("Shift+B") << int(Qt::Key_B) << QStringLiteral("B") << int(Qt::ShiftModifier);
    QTest::newRow("B with Caps Lock")
        << int(Qt::Key_B) << QStringLiteral("B") << int(Qt::NoModifier);
    QTest::newRow(".") << int(Qt::Key_Period) << QStringLiteral(".") << int(Qt::NoModifier);
}

void InverseTest::stopKeysEndAFill() {
    QFETCH(int, stopKey);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    clock.at(clock.now() + 3 * Minute + 100, [&] {
        QTest::sendKeyEvent(QTest::Click, &unit.second, Qt::Key(stopKey), text,
                            Qt::KeyboardModifiers(modifiers));
    });
    pour(f, 5);
    QCOMPARE(f.minutes, rt::Integer(4));
    QVERIFY(!f.recorded[4]);
    QVERIFY(Lesson::widget(f.pour).isEnabled());
    QVERIFY(unit.errors().isEmpty());
}

// Back in a lesson, the focus is where it was left, and so is the ring that shows it: Enter
// clicks the control the ring surrounds.
void InverseTest::focusComesBackWithItsRing_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("F2 three times") << true;
    QTest::newRow("反比例へ and 比例へ") << false;
}

void InverseTest::focusComesBackWithItsRing() {
    QFETCH(bool, byKey);
    TestClock clock;
    Unit unit;
    ProportionLesson &f = unit.f1();
    unit.proportionWindow();
    Lesson::click(f.forward);
    if (byKey) {
        key(unit.first, Qt::Key_F2);
        key(unit.second, Qt::Key_F2);
        key(unit.second, Qt::Key_F2);
    } else {
        Lesson::click(f.toInverse);
        Lesson::click(unit.f2().toProportion);
    }
    QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&f));
    rt::Control &left = byKey ? f.forward : static_cast<rt::Control &>(f.toInverse);
    QWidget *focus = QApplication::focusWidget();
    QCOMPARE(focus, &Lesson::widget(left));
    auto *ring = dynamic_cast<rt::qt::FocusRing *>(unit.first.findChild<QFocusFrame *>());
    QVERIFY(ring);
    QVERIFY(ring->isVisible());
    QCOMPARE(ring->target(), focus);
    QTest::keyClick(focus, Qt::Key_Return);
    if (byKey)
        QCOMPARE(f.progress, rt::Integer(4));
    else
        QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&unit.f2()));
    QVERIFY(unit.errors().isEmpty());
}

void InverseTest::stopThenAgainFromEmpty() {
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    // 停止 in the fourth minute at 5 litres a minute: the fill ends at 4 minutes, 20 L.
    clock.at(clock.now() + 3 * Minute + 100, [&] { Lesson::click(f.stop); });
    Lesson::click(f.pour);
    QCOMPARE(f.minutes, rt::Integer(4));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("4.00"));
    QCOMPARE(f.layers(3).Top(), 460.0f - 6 * 20);
    QCOMPARE(f.layers(4).Height(), 0.0f);
    QCOMPARE(f.stream.Height(), 0.0f);
    QVERIFY(!f.recorded[4]);
    QVERIFY(!f.risingPoint.Visible());
    QVERIFY(Lesson::widget(f.pour).isEnabled());
    // Again: empty at its first frame, then full.
    float firstFrame = -1;
    clock.at(clock.now() + 30, [&] { firstFrame = f.layers(3).Height(); });
    Lesson::click(f.pour);
    QCOMPARE(firstFrame, 0.0f);
    QCOMPARE(f.minutes, rt::Integer(12));
    QVERIFY(f.recorded[4]);
}

void InverseTest::initialScreen() {
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    Lesson::click(f.table);
    Lesson::click(f.graph);
    pour(f, 12);
    Lesson::click(f.initialScreen);
    QCOMPARE(f.rate, rt::Integer(5));
    QCOMPARE(f.minutes, rt::Integer(0));
    QCOMPARE(f.table.Value(), 0);
    QCOMPARE(f.graph.Value(), 0);
    QCOMPARE(f.Width(), design::NarrowWidth);
    QCOMPARE(f.Height(), design::ShortHeight);
    // Opened again, the table and the graph are empty.
    Lesson::click(f.table);
    Lesson::click(f.graph);
    const QImage s = presented(unit.second);
    QCOMPARE(minutesShown(s, 7), 0);
    QVERIFY(pointOf(s, 12) != Water);
    QCOMPARE(pixel(s, 300, 455), Board);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("0.00"));
}

void InverseTest::hintTellsNeighbouringMinutesApart_data() {
    QTest::addColumn<int>("rate");
    for (const int rate : inverse::Rates)
        QTest::addRow("%d L a minute", rate) << rate;
}

// Under Hint each minute's water stands out from the minutes next to it, on screen, also in
// the 6 px layers of 1 L a minute.
void InverseTest::hintTellsNeighbouringMinutesApart() {
    QFETCH(int, rate);
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    Lesson::click(f.hint);
    pour(f, rate);
    const QImage s = presented(unit.second);
    QColor below;
    for (int m = 0; m < inverse::Capacity / rate; ++m) {
        const QColor c = pixel(s, 300, int(inverse::surface(rate * (m + 0.5))));
        if (m > 0) {
            const int apart =
                std::max({std::abs(c.red() - below.red()), std::abs(c.green() - below.green()),
                          std::abs(c.blue() - below.blue())});
            QVERIFY2(apart >= 40, qPrintable(QStringLiteral("minutes %1 and %2: %3 and %4")
                                                 .arg(m)
                                                 .arg(m + 1)
                                                 .arg(below.name(), c.name())));
        }
        below = c;
    }
}

// Each key as a pupil presses it on the board, from the initial screen at 5 litres a minute.
void InverseTest::keys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("table"); // 表 checked
    QTest::addColumn<int>("graph");
    QTest::addRow("↑") << QList<int>{Qt::Key_Up} << 6 << 0 << 0 << 0;
    QTest::addRow("↑ ↑") << QList<int>{Qt::Key_Up, Qt::Key_Up} << 10 << 0 << 0 << 0;
    QTest::addRow("↓") << QList<int>{Qt::Key_Down} << 4 << 0 << 0 << 0;
    QTest::addRow("↑ past 12") << QList<int>{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up} << 12
                               << 0 << 0 << 0;
    QTest::addRow("↓ down to 1") << QList<int>(5, Qt::Key_Down) << 1 << 0 << 0 << 0;
    QTest::addRow("↓ past 1") << QList<int>(6, Qt::Key_Down) << 1 << 0 << 0 << 0;
    QTest::addRow("1 ↑") << QList<int>{Qt::Key_1, Qt::Key_Up} << 2 << 0 << 0 << 0;
    QTest::addRow("2") << QList<int>{Qt::Key_2} << 2 << 0 << 0 << 0;
    QTest::addRow("6 →") << QList<int>{Qt::Key_6, Qt::Key_Right} << 6 << 10 << 0 << 0;
    QTest::addRow("Page Down") << QList<int>{Qt::Key_PageDown} << 5 << 12 << 0 << 0;
    QTest::addRow("F5, the remote's start") << QList<int>{Qt::Key_F5} << 5 << 12 << 0 << 0;
    QTest::addRow("→ ← Page Up: nothing goes back")
        << QList<int>{Qt::Key_Right, Qt::Key_Left, Qt::Key_PageUp} << 5 << 12 << 0 << 0;
    QTest::addRow("↑ →") << QList<int>{Qt::Key_Up, Qt::Key_Right} << 6 << 10 << 0 << 0;
    QTest::addRow("→ ↑: a new rate empties the container")
        << QList<int>{Qt::Key_Right, Qt::Key_Up} << 6 << 0 << 0 << 0;
    QTest::addRow("T G") << QList<int>{Qt::Key_T, Qt::Key_G} << 5 << 0 << 1 << 1;
    QTest::addRow("↓ → T Home") << QList<int>{Qt::Key_Down, Qt::Key_Right, Qt::Key_T, Qt::Key_Home}
                                << 5 << 0 << 0 << 0;
}

void InverseTest::keys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, rate);
    QFETCH(int, minutes);
    QFETCH(int, table);
    QFETCH(int, graph);
    TestClock clock;
    Unit unit;
    InverseLesson &f = unit.f2();
    unit.second.setFocus();
    for (const int k : keys)
        key(unit.second, Qt::Key(k));
    QCOMPARE(f.rate, rt::Integer(rate));
    QCOMPARE(f.minutes, rt::Integer(minutes));
    QCOMPARE(f.table.Value(), table);
    QCOMPARE(f.graph.Value(), graph);
}

void InverseTest::switchingKeepsEachLesson() {
    TestClock clock;
    Unit unit;
    unit.proportionWindow();
    Lesson::click(unit.f1().forward);
    Lesson::click(unit.f1().hint);
    Lesson::click(unit.f1().toInverse);
    QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&unit.f2()));
    pour(unit.f2(), 10);
    Lesson::click(unit.f2().table);
    key(unit.second, Qt::Key_F2);
    QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&unit.lessons().constant()));
    key(unit.second, Qt::Key_F2);
    QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&unit.f1()));
    QCOMPARE(unit.f1().progress, rt::Integer(2));
    QCOMPARE(unit.f1().hint.Value(), 1);
    QVERIFY2(restProblem(unit.f1()).isEmpty(), qPrintable(restProblem(unit.f1())));
    key(unit.first, Qt::Key_F2);
    QCOMPARE(&unit.lessons().shown(), static_cast<rt::Form *>(&unit.f2()));
    QCOMPARE(unit.f2().rate, rt::Integer(10));
    QCOMPARE(unit.f2().minutes, rt::Integer(6));
    QVERIFY(unit.f2().recorded[6]);
    QCOMPARE(unit.f2().table.Value(), 1);
    QVERIFY(unit.errors().isEmpty());
}

// Neither the button nor F2 switches while a lesson animates: during the first lesson's step and
// run, and the second's fill.
void InverseTest::noSwitchDuringAFill() {
    TestClock clock;
    Unit unit;
    // Each attempt: the button is off, and neither it nor F2 changes the lesson shown.
    unit.proportionWindow();
    QList<bool> refused;
    auto attempt = [&](rt::qt::Window &w, rt::Control &button) {
        const rt::Form *before = &unit.lessons().shown();
        const bool off = !Lesson::widget(button).isEnabled();
        Lesson::click(button);
        key(w, Qt::Key_F2);
        refused << (off && &unit.lessons().shown() == before);
    };
    clock.at(clock.now() + 300, [&] { attempt(unit.first, unit.f1().toInverse); });
    Lesson::click(unit.f1().forward);
    clock.at(clock.now() + Minute + 300, [&] { attempt(unit.first, unit.f1().toInverse); });
    Lesson::click(unit.f1().run);
    unit.lessons().show(unit.f2());
    clock.at(clock.now() + 3 * Minute, [&] { attempt(unit.second, unit.f2().toProportion); });
    Lesson::click(unit.f2().pour);
    QCOMPARE(refused, (QList<bool>{true, true, true}));
    QVERIFY(Lesson::widget(unit.f2().toProportion).isEnabled());
    unit.proportionWindow();
    QVERIFY(Lesson::widget(unit.f1().toInverse).isEnabled());
}

QTEST_MAIN(InverseTest)
#include "tst_inverse.moc"
