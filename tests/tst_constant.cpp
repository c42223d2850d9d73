// The third lesson through its real buttons on the test clock: for every rate, each minute
// from −6 to 6 leaves the surface at 6 px a litre from the 0 line, the time box reads the
// minute, the table and the graph hold the minutes reached, and the rates' lines stay.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "lessons/constant/constantlesson.h"
#include "runtime/core/events.h"
#include "runtime/qt/window.h"

#include <QTest>

namespace {

namespace constant = layout::constant;

const QColor Water = bgr(design::Water);
const QColor Board = bgr(design::Board);

// The lesson alone in a window of its own, as the program shows it.
class Board3 {
public:
    Board3() {
        rt::setErrorReporter([this](const rt::RuntimeError &e) {
            errors << QStringLiteral("%1 %2").arg(e.number()).arg(qs(e.description()));
        });
        lesson.load();
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window)) qWarning("the window did not become active");
    }
    ~Board3() { rt::setErrorReporter(nullptr); }
    Board3(const Board3 &) = delete;
    Board3 &operator=(const Board3 &) = delete;

    ConstantLesson lesson;
    rt::qt::Window window{lesson};
    QStringList errors;
};

QString minuteShown(int m) {
    return (m < 0 ? QStringLiteral("−") : QString()) + QString::number(std::abs(m)) + ".00";
}

// Figures in the y row of minute m's column.
int litresShown(const QImage &s, int m) {
    const int centre = 126 + 53 * (m - constant::MinMinute);
    return countNear(s, QRect(centre - 24, 612, 48, 30), Qt::white);
}

QColor pointAt(const QImage &s, int rate, int m) {
    return pixel(s, int(constant::graphX(m)), int(constant::surface(rate * m)));
}

// The water stands at 6 px a litre from the 0 line: water just below the surface, none just
// above it (the water missing shows as an empty band).
QString surfaceProblem(const QImage &s, int rate, int m) {
    const int y = int(constant::surface(rate * m));
    if (y < 458 && pixel(s, 300, y + 2) != Water) return QStringLiteral("no water below %1").arg(y);
    const int above = y >= 458 ? 455 : y - 3;
    if (pixel(s, 300, above) == Water) return QStringLiteral("water above %1").arg(y);
    return {};
}

} // namespace

class ConstantTest : public QObject {
    Q_OBJECT

private slots:
    void everyMinuteOfEveryRate_data();
    void everyMinuteOfEveryRate();
    void waterFallsInOrRunsOut_data();
    void waterFallsInOrRunsOut();
    void keys_data();
    void keys();
    void runStopsAtTheNextMinute();
};

void ConstantTest::everyMinuteOfEveryRate_data() {
    QTest::addColumn<int>("rates"); // how many rates, in the buttons' order, go before
    for (int i = 0; i < constant::RateCount; ++i)
        QTest::addRow("%d L a minute", constant::Rates[std::size_t(i)]) << i;
}

// Each rate from −6 to 6 after the rates before it: its line joins theirs, which stay lighter.
void ConstantTest::everyMinuteOfEveryRate() {
    QFETCH(int, rates);
    TestClock clock;
    Board3 board;
    ConstantLesson &f = board.lesson;
    Lesson::click(f.table);
    Lesson::click(f.graph);
    for (int i = 0; i <= rates; ++i) {
        const int rate = constant::Rates[std::size_t(i)];
        Lesson::click(f.rates(rt::Integer(i)));
        QCOMPARE(f.rate, rt::Integer(rate));
        const auto check = [&](int m, int from, int to) {
            const QImage s = presented(board.window);
            if (qEnvironmentVariableIsSet("SHOT"))
                s.save(QStringLiteral("/tmp/constant_%1_%2.png").arg(rate).arg(m));
            QCOMPARE(f.minute, rt::Integer(m));
            QCOMPARE(Lesson::shownText(f.time), minuteShown(m));
            const QString problem = surfaceProblem(s, rate, m);
            QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("minute %1: ").arg(m) + problem));
            for (int k = constant::MinMinute; k <= constant::MaxMinute; ++k) {
                const bool reached = k >= from && k <= to;
                QVERIFY2((litresShown(s, k) > 10) == reached, qPrintable(QString::number(k)));
                QVERIFY2((pointAt(s, rate, k) == Water) == reached,
                         qPrintable(QStringLiteral("%1 at %2: %3")
                                        .arg(k)
                                        .arg(m)
                                        .arg(pointAt(s, rate, k).name())));
            }
        };
        if (i < rates) {
            for (int m = 0; m < -constant::MinMinute; ++m)
                Lesson::click(f.back);
            for (int m = constant::MinMinute; m < constant::MaxMinute; ++m)
                Lesson::click(f.forward);
            continue;
        }
        check(0, 0, 0);
        if (QTest::currentTestFailed()) return;
        for (int m = -1; m >= constant::MinMinute; --m) {
            Lesson::click(f.back);
            check(m, m, 0);
            if (QTest::currentTestFailed()) return;
        }
        QVERIFY(!Lesson::widget(f.back).isEnabled());
        for (int m = constant::MinMinute + 1; m <= constant::MaxMinute; ++m) {
            Lesson::click(f.forward);
            check(m, constant::MinMinute, std::max(m, 0));
            if (QTest::currentTestFailed()) return;
        }
        QVERIFY(!Lesson::widget(f.forward).isEnabled());
    }
    // Every rate so far has its line through the origin and its formula; the last is the
    // brighter.
    const QImage s = presented(board.window);
    for (int i = 0; i <= rates; ++i) {
        const int rate = constant::Rates[std::size_t(i)];
        const QColor colour = bgr(i == rates ? constant::Line : constant::EarlierLine);
        QVERIFY(f.lines[std::size_t(i)]);
        const rt::Label &label = f.rateLabels(rt::Integer(i));
        QCOMPARE(qs(label.Caption()), qs(ConstantLesson::formulaOf(rate)));
        const QRect box(int(label.Left()), int(label.Top()), int(label.Width()),
                        int(label.Height()));
        QVERIFY2(countNear(s, box, colour, 40) > 20, qPrintable(qs(label.Caption())));
        const double m = -5.5; // between two points
        QCOMPARE(pixel(s, int(constant::graphX(m)), int(constant::surface(rate * m))), colour);
    }
    for (int i = rates + 1; i < constant::RateCount; ++i)
        QVERIFY(!f.rateLabels(rt::Integer(i)).Visible());
    QVERIFY(qs(f.statusText()).contains(QStringLiteral("6 分後")));
    // 初期画面: now at 5 L a minute, with no line and an empty table when shown again.
    Lesson::click(f.initialScreen);
    Lesson::click(f.table);
    Lesson::click(f.graph);
    const QImage again = presented(board.window);
    QCOMPARE(f.rate, rt::Integer(constant::StartRate));
    QCOMPARE(litresShown(again, -1), 0);
    QCOMPARE(pixel(again, int(constant::graphX(-5.5)),
                   int(constant::surface(constant::Rates[std::size_t(rates)] * -5.5))),
             Board);
    QVERIFY(board.errors.isEmpty());
}

void ConstantTest::waterFallsInOrRunsOut_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("rising");
    QTest::newRow("5 L a minute, 進む") << 5 << true << true;
    QTest::newRow("5 L a minute, 戻る") << 5 << false << false;
    QTest::newRow("−2 L a minute, 進む") << -2 << true << false;
    QTest::newRow("−2 L a minute, 戻る") << -2 << false << true;
}

// Halfway through a minute: rising water falls from the tap, sinking water runs out through
// the outlet under the floor.
void ConstantTest::waterFallsInOrRunsOut() {
    QFETCH(int, rate);
    QFETCH(bool, forward);
    QFETCH(bool, rising);
    TestClock clock;
    Board3 board;
    ConstantLesson &f = board.lesson;
    if (rate != f.rate) Lesson::click(f.rates(rt::Integer(constant::index(rate))));
    QImage half;
    clock.at(clock.now() + 20 * 20 + 10, [&] { half = presented(board.window); });
    Lesson::click(forward ? f.forward : f.back);
    const double litres = rate * (forward ? 0.5 : -0.5);
    QCOMPARE(pixel(half, 424, 60) == Water, rising);   // under the spout
    QCOMPARE(pixel(half, 424, 495) == Water, !rising); // under the outlet
    QCOMPARE(pixel(half, 300, int(constant::surface(litres)) + 2), Water);
    // At rest, neither.
    const QImage s = presented(board.window);
    QVERIFY(pixel(s, 424, 60) != Water);
    QVERIFY(pixel(s, 424, 495) != Water);
}

// Each key as a pupil presses it, from now at 5 litres a minute.
void ConstantTest::keys_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("minute");
    QTest::addRow("→ →") << QList<int>{Qt::Key_Right, Qt::Key_Right} << 5 << 2;
    QTest::addRow("Page Up ←") << QList<int>{Qt::Key_PageUp, Qt::Key_Left} << 5 << -2;
    QTest::addRow("← past −6") << QList<int>(8, Qt::Key_Left) << 5 << -6;
    QTest::addRow("F5") << QList<int>{Qt::Key_F5} << 5 << 6;
    QTest::addRow("-") << QList<int>{Qt::Key_Minus} << -5 << 0;
    QTest::addRow("3 -") << QList<int>{Qt::Key_3, Qt::Key_Minus} << -3 << 0;
    QTest::addRow("1 ↓: −1") << QList<int>{Qt::Key_1, Qt::Key_Down} << -1 << 0;
    QTest::addRow("- ↑: −4") << QList<int>{Qt::Key_Minus, Qt::Key_Up} << -4 << 0;
    QTest::addRow("↑ at 5") << QList<int>{Qt::Key_Up} << 5 << 0;
    QTest::addRow("→ 2: back to now") << QList<int>{Qt::Key_Right, Qt::Key_2} << 2 << 0;
    QTest::addRow("- ← Home") << QList<int>{Qt::Key_Minus, Qt::Key_Left, Qt::Key_Home} << 5 << 0;
}

void ConstantTest::keys() {
    QFETCH(QList<int>, keys);
    QFETCH(int, rate);
    QFETCH(int, minute);
    TestClock clock;
    Board3 board;
    board.window.setFocus();
    for (const int k : keys)
        QTest::keyClick(&board.window, Qt::Key(k));
    QCOMPARE(board.lesson.rate, rt::Integer(rate));
    QCOMPARE(board.lesson.minute, rt::Integer(minute));
    QCOMPARE(board.lesson.Width(), design::NarrowWidth);
    QCOMPARE(Lesson::shownText(board.lesson.time), minuteShown(minute));
}

// 自　動 from 3 minutes ago; 停止 during the second minute ends it at −1, where the buttons
// are back as at rest.
void ConstantTest::runStopsAtTheNextMinute() {
    TestClock clock;
    Board3 board;
    ConstantLesson &f = board.lesson;
    for (int i = 0; i < 3; ++i)
        Lesson::click(f.back);
    bool rateDuringRun = true;
    clock.at(clock.now() + 40 * 20 + 100, [&] {
        rateDuringRun = Lesson::widget(f.rates(0)).isEnabled();
        Lesson::click(f.stop);
    });
    Lesson::click(f.run);
    QCOMPARE(f.minute, rt::Integer(-1));
    QVERIFY(!rateDuringRun);
    QVERIFY(Lesson::widget(f.forward).isEnabled());
    QVERIFY(Lesson::widget(f.back).isEnabled());
    QVERIFY(Lesson::widget(f.rates(0)).isEnabled());
    QVERIFY(!Lesson::widget(f.stop).isEnabled());
    QVERIFY(qs(f.statusText()).contains(QStringLiteral("1 分前")));
    Lesson::click(f.run);
    QCOMPARE(f.minute, rt::Integer(6));
    QVERIFY(!Lesson::widget(f.run).isEnabled());
    QVERIFY(board.errors.isEmpty());
}

QTEST_MAIN(ConstantTest)
#include "tst_constant.moc"
