// A restless pupil: a seeded random driver clicks, types and picks through the real widgets at
// random moments, many inside the pacing waits of running animations, in both lessons and
// switching between them. Whenever everything is at rest each lesson must be consistent, and
// the screen must show exactly what a fresh drawing of it shows, whatever repaints led there.
//
// RANDOM_SEEDS=first-last (or one seed) and RANDOM_ACTIONS=n choose the work; a failure names
// its seed, and RANDOM_SEEDS=that seed replays it.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <array>
#include <limits>
#include <map>
#include <string>

namespace {

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

// A text with no figure in it keeps the pause of the last one that had one.
constexpr int KeepsPace = std::numeric_limits<int>::min() + 1;

struct Typed {
    QString text;
    int delay;          // the pause between frames it must give, or KeepsPace
    QString shown = {}; // what the box shows, where that is not the text typed
};

const QList<Typed> &delayTexts() {
    static const QList<Typed> texts = {
        {"", KeepsPace},
        {"xyz", KeepsPace},
        {"-5", -5},
        {"0", 0},
        {"0.5", 0},
        {"2.5", 2},
        {" 1", 1},
        {"1", 1},
        {"3", 3},
        {"1e309", IntMax},
        {"99999999999", IntMax},
        {"-99999999999", IntMin},
        {"２０", 20, "20"}, // full-width figures stand as ASCII
        {"20xyz", 20},
        {"&H10", 16},
        {QString(10000, QLatin1Char('7')), IntMax},
        {"x.", KeepsPace}, // "." alone is the remote's 停止 until something is typed
        {"-", KeepsPace},
    };
    return texts;
}

// The list entries, read as delays.
constexpr std::array<int, 6> ListDelays = {1, 5, 10, 20, 50, 100};

// The table band of a picture of the form at the window's zoom.
QImage tableBand(rt::qt::Window &window) {
    const qreal z = window.zoom();
    return formPicture(window).copy(QRectF(0, 540 * z, 810 * z, 173 * z).toAlignedRect());
}

// The delay box as the pupil meets it.
QComboBox &delayBox(ProportionLesson &f) {
    return *qobject_cast<QComboBox *>(&Lesson::widget(f.delay));
}

// The table band as it must look after `minutes` minutes at `zoom`, drawn from scratch.
const QImage &referenceTable(int minutes, double zoom) {
    static std::map<std::pair<int, double>, QImage> cache;
    QImage &band = cache[{minutes, zoom}];
    if (band.isNull()) {
        Lesson reference;
        ProportionLesson &f = reference.form();
        reference.window().setZoom(zoom);
        f.table.setValue(1);
        f.setForeColor(0xFFFFFF);
        f.setFontSize(20);
        for (int m = 1; m <= minutes; ++m) {
            f.setCurrentX(120.0f + 50 * m - (m > 9 ? 10 : 0));
            f.setCurrentY(560);
            f.Print(" " + std::to_string(m));
            f.setCurrentX(120.0f + 50 * m - (m > 1 ? 10 : 0));
            f.setCurrentY(615);
            f.Print(" " + std::to_string(5 * m));
        }
        band = tableBand(reference.window());
    }
    return band;
}

class Pupil {
public:
    Pupil(quint32 seed, int actions) : rng_(seed), remaining_(actions) {}

    // Runs all actions; returns the first broken rule, or an empty string.
    QString run() {
        ProportionLesson &f = lesson_.form();
        setDelay(delayTexts()[5 + int(rng_.bounded(4))]); // 2.5 … 3 ms to start with
        // The other lesson's fills are long: a millisecond a frame.
        lesson_.inverseWindow();
        Lesson::typeInto(lesson_.inverse().delay, QStringLiteral("1"));
        lesson_.proportionWindow();
        while (remaining_ > 0 || clock_.hasPending()) {
            if (!clock_.hasPending()) scheduleNext();
            clock_.runNext();
            const QString broken = checkAtRest(f);
            if (!broken.isEmpty())
                return QStringLiteral("after action %1: %2").arg(done_).arg(broken);
        }
        return {};
    }

private:
    void scheduleNext() {
        if (remaining_ <= 0) return;
        --remaining_;
        clock_.at(clock_.now() + rng_.bounded(150u), [this] { act(); });
    }

    void act() {
        ++done_;
        ++depth_;
        scheduleNext(); // the next one lands inside this action's animation, if it animates
        ProportionLesson &f = lesson_.form();
        const bool mayAnimate = depth_ < 4; // a pupil nests only so deep
        if (&lesson_.lessons().shown() == &lesson_.inverse()) {
            actInverse(mayAnimate);
            --depth_;
            return;
        }
        if (&lesson_.lessons().shown() == &lesson_.lessons().constant()) {
            actConstant(mayAnimate);
            --depth_;
            return;
        }
        const quint32 choice = rng_.bounded(14);
        switch (choice) {
        case 0:
        case 1:
            if (mayAnimate) Lesson::click(f.forward);
            break;
        case 2:
            if (mayAnimate) Lesson::click(f.back);
            break;
        case 3:
            if (mayAnimate && rng_.bounded(3) == 0) Lesson::click(f.run);
            break;
        case 4:
            Lesson::click(f.stop);
            break;
        case 5:
            Lesson::click(f.initialScreen);
            break;
        case 6:
            Lesson::click(f.hint);
            break;
        case 7:
            Lesson::click(rng_.bounded(2) ? f.table : f.graph);
            break;
        case 8:
            setDelay(delayTexts()[int(rng_.bounded(quint32(delayTexts().size())))]);
            break;
        case 9: {
            // Picks a list entry with the keyboard; past either end nothing changes.
            QComboBox &combo = delayBox(f);
            const int before = combo.currentIndex();
            QTest::keyClick(&combo, rng_.bounded(2) ? Qt::Key_Down : Qt::Key_Up);
            const int index = combo.currentIndex();
            if (index != before && index >= 0) {
                expectedText_ = combo.itemText(index);
                expectedDelay_ = ListDelays[std::size_t(index)];
            }
            break;
        }
        case 10: {
            static const QStringList times = {"3", "xyz", "", "99999999999", "-1", "12"};
            auto &timeBox = *qobject_cast<QLineEdit *>(&Lesson::widget(f.time));
            timeBox.setFocus();
            timeBox.selectAll();
            QTest::keyClicks(&timeBox, times[int(rng_.bounded(quint32(times.size())))]);
            break;
        }
        case 11: {
            // Enlarges or shrinks the window by one zoom step, as on a projector, as far as the
            // screen has room.
            rt::qt::Window &window = lesson_.window();
            const bool up = window.zoom() == 1.0 || rng_.bounded(2) == 0;
            QTest::keyClick(&window, up ? Qt::Key_Equal : Qt::Key_Minus, Qt::ControlModifier);
            break;
        }
        case 12:
            // To the other lesson, by its button or F2: only at rest.
            if (rng_.bounded(2))
                Lesson::click(f.toInverse);
            else
                QTest::keyClick(&lesson_.window(), Qt::Key_F2);
            break;
        default:
            // Keeps runs short: the delay box back to a short pause.
            setDelay(delayTexts()[5 + int(rng_.bounded(4))]);
            break;
        }
        --depth_;
    }

    // The same pupil in the second lesson.
    void actInverse(bool mayAnimate) {
        InverseLesson &f = lesson_.inverse();
        rt::qt::Window &window = lesson_.window();
        switch (rng_.bounded(10)) {
        case 0:
            Lesson::click(f.rates(rt::Integer(rng_.bounded(8))));
            break;
        case 1: {
            // The rate keys, and the remote's 停止 with or without Shift.
            static const QList<QPair<Qt::Key, Qt::KeyboardModifiers>> keys = {
                {Qt::Key_Up, Qt::NoModifier},     {Qt::Key_Down, Qt::NoModifier},
                {Qt::Key_1, Qt::NoModifier},      {Qt::Key_4, Qt::NoModifier},
                {Qt::Key_6, Qt::NoModifier},      {Qt::Key_B, Qt::NoModifier},
                {Qt::Key_B, Qt::ShiftModifier},   {Qt::Key_Period, Qt::NoModifier},
                {Qt::Key_Escape, Qt::NoModifier}, {Qt::Key_Up, Qt::NoModifier}};
            const auto &[k, modifiers] = keys[int(rng_.bounded(quint32(keys.size())))];
            QTest::keyClick(&window, k, modifiers);
            break;
        }
        case 2:
            if (mayAnimate) Lesson::click(f.pour);
            break;
        case 3:
            Lesson::click(f.stop);
            break;
        case 4:
            if (Lesson::widget(f.initialScreen).isEnabled()) completed_.clear();
            Lesson::click(f.initialScreen);
            break;
        case 5:
            Lesson::click(f.hint);
            break;
        case 6:
            Lesson::click(rng_.bounded(2) ? f.table : f.graph);
            break;
        case 7:
            QTest::keyClick(&window, rng_.bounded(2) ? Qt::Key_Equal : Qt::Key_Minus,
                            Qt::ControlModifier);
            break;
        default:
            if (rng_.bounded(2))
                Lesson::click(f.toProportion);
            else
                QTest::keyClick(&window, Qt::Key_F2);
            break;
        }
    }

    void actConstant(bool mayAnimate) {
        ConstantLesson &f = lesson_.lessons().constant();
        rt::qt::Window &window = lesson_.window();
        switch (rng_.bounded(10)) {
        case 0:
            Lesson::click(f.rates(rt::Integer(rng_.bounded(10))));
            break;
        case 1: {
            // The rate keys, the sign, and the remote's keys.
            static const QList<Qt::Key> keys = {Qt::Key_Up,       Qt::Key_Down,   Qt::Key_1,
                                                Qt::Key_5,        Qt::Key_Minus,  Qt::Key_B,
                                                Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Escape};
            QTest::keyClick(&window, keys[int(rng_.bounded(quint32(keys.size())))]);
            break;
        }
        case 2:
        case 3:
            if (mayAnimate) Lesson::click(rng_.bounded(2) ? f.forward : f.back);
            break;
        case 4:
            if (mayAnimate) Lesson::click(f.run);
            break;
        case 5:
            Lesson::click(rng_.bounded(2) ? f.stop : f.initialScreen);
            break;
        case 6:
            Lesson::click(rng_.bounded(3) == 0 ? f.hint : rng_.bounded(2) ? f.table : f.graph);
            break;
        default:
            if (rng_.bounded(2))
                Lesson::click(rng_.bounded(2) ? f.toProportion : f.toInverse);
            else
                QTest::keyClick(&window, Qt::Key_F2);
            break;
        }
    }

    // At rest the third lesson's water stands at 30 + a·x litres: water just below that level
    // unless the container is empty, and above it the board while the water is above now.
    QString constantProblem() {
        ConstantLesson &f = lesson_.lessons().constant();
        if (f.minute < f.reachedFrom || f.minute > f.reachedTo || f.reachedFrom > 0 ||
            f.reachedTo < 0)
            return QStringLiteral("constant: minute %1 outside %2 to %3")
                .arg(f.minute)
                .arg(f.reachedFrom)
                .arg(f.reachedTo);
        if (&lesson_.lessons().shown() != &f) return {};
        if (Lesson::shownText(f.time) != qs(ConstantLesson::timeText(f.minute * 40)))
            return QStringLiteral("constant: the time box shows %1 at minute %2")
                .arg(Lesson::shownText(f.time))
                .arg(f.minute);
        rt::qt::Window &window = lesson_.window();
        const qreal z = window.zoom();
        const QImage picture = formPicture(window);
        const int y = 280 - 6 * int(f.rate * f.minute);
        const QColor board = bgr(design::Board);
        const QColor below = picture.pixelColor(QPointF(300 * z, (y + 3) * z).toPoint());
        const QColor above = picture.pixelColor(QPointF(300 * z, (y - 3) * z).toPoint());
        if ((y < 457 && below == board) || (f.rate * f.minute >= 0 && y > 103 && above != board))
            return QStringLiteral("constant: no surface at %1 px for %2 L a minute at minute %3")
                .arg(y)
                .arg(f.rate)
                .arg(f.minute);
        return {};
    }

    // At rest the second lesson holds rate × minutes litres, and its table and graph exactly
    // the rates that have filled the container since the last 初期画面.
    QString inverseProblem() {
        InverseLesson &f = lesson_.inverse();
        namespace inverse = design::inverse;
        if (f.rate * f.minutes == inverse::Capacity) completed_.insert(f.rate);
        for (rt::Integer k = 0; k < inverse::MaxMinutes; ++k) {
            const bool full = k < f.minutes;
            const float top = full ? 460.0f - 6.0f * f.rate * (k + 1) : 460.0f;
            const float height = full ? 6.0f * f.rate : 0.0f;
            if (f.layers(k).Top() != top || f.layers(k).Height() != height)
                return QStringLiteral("inverse: layer %1 at %2 high %3 for %4 minutes at %5 L")
                    .arg(k)
                    .arg(f.layers(k).Top())
                    .arg(f.layers(k).Height())
                    .arg(f.minutes)
                    .arg(f.rate);
        }
        if (f.formula.Visible() != (completed_.size() == inverse::RateCount))
            return QStringLiteral("inverse: the curve with %1 rates").arg(completed_.size());
        // The rest is on the screen, while the window shows this lesson.
        if (&lesson_.lessons().shown() != &f) return {};
        if (Lesson::shownText(f.time) != QStringLiteral("%1.00").arg(f.minutes))
            return QStringLiteral("inverse: the time box shows %1 after %2 minutes")
                .arg(Lesson::shownText(f.time))
                .arg(f.minutes);
        // A screen reader hears the rate chosen as the one rate button checked.
        for (int i = 0; i < inverse::RateCount; ++i) {
            QAccessibleInterface *button =
                QAccessible::queryAccessibleInterface(&Lesson::widget(f.rates(rt::Integer(i))));
            if (button->state().checked != (inverse::Rates[i] == f.rate))
                return QStringLiteral("inverse: %1 L a minute %2 to a screen reader at %3")
                    .arg(inverse::Rates[i])
                    .arg(button->state().checked ? "checked" : "unchecked")
                    .arg(f.rate);
        }
        rt::qt::Window &window = lesson_.window();
        if (const QRect differs = presentedDiffers(window); !differs.isEmpty())
            return QStringLiteral("inverse: at zoom %1 the screen differs from a fresh drawing")
                .arg(window.zoom());
        // The whole board, the table and the graph shown for the look.
        const int table = f.table.Value(), graph = f.graph.Value();
        f.table.setValue(1);
        f.graph.setValue(1);
        const qreal z = window.zoom();
        const QImage picture = formPicture(window);
        f.table.setValue(table);
        f.graph.setValue(graph);
        for (int i = 0; i < inverse::RateCount; ++i) {
            const int rate = inverse::Rates[i];
            const bool done = completed_.contains(rate);
            const QRect cell = QRectF((108 + 80 * i) * z, 605 * z, 60 * z, 36 * z).toAlignedRect();
            const QPointF point(design::graph::x(rate) * z,
                                design::graph::y(double(inverse::Capacity) / rate) * z);
            if ((countNear(picture, cell, Qt::white) > 0) != done ||
                (picture.pixelColor(point.toPoint()) == bgr(design::Water)) != done)
                return QStringLiteral("inverse: %1 L a minute %2 in the table or on the graph")
                    .arg(rate)
                    .arg(done ? "missing" : "shown");
        }
        return {};
    }

    void setDelay(const Typed &typed) {
        QComboBox &combo = delayBox(lesson_.form());
        QLineEdit *edit = combo.lineEdit();
        combo.setFocus(); // the pupil clicks into the box first
        edit->selectAll();
        const bool plainAscii = std::all_of(typed.text.begin(), typed.text.end(),
                                            [](QChar c) { return c.unicode() < 128; });
        if (typed.text.size() > 100 || !plainAscii) {
            QApplication::clipboard()->setText(typed.text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier); // pasted
        } else if (typed.text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, typed.text);
        }
        expectedText_ = typed.shown.isNull() ? typed.text : typed.shown;
        if (typed.delay != KeepsPace) expectedDelay_ = typed.delay;
    }

    QString checkAtRest(ProportionLesson &f) {
        if (const QString problem = inverseProblem(); !problem.isEmpty()) return problem;
        if (const QString problem = constantProblem(); !problem.isEmpty()) return problem;
        if (!lesson_.errors().isEmpty())
            return QStringLiteral("run-time error: ") + lesson_.errors().first();
        // A screen reader hears the lesson shown, whatever the switches.
        rt::qt::Window &shownWindow = lesson_.window();
        const QString told = shownWindow.accessibleDescription();
        if (told != qs(lesson_.lessons().shown().statusText()))
            return QStringLiteral("the window tells [%1], not the lesson shown").arg(told);
        // The first lesson's checks read its widgets, there while the window shows it.
        if (&lesson_.lessons().shown() != &f) return {};
        const QString problem = restProblem(f);
        if (!problem.isEmpty()) return problem;
        const int p = f.progress;
        const QString shown = Lesson::shownText(f.delay);
        if (shown != expectedText_)
            return QStringLiteral("delay box shows [%1], typed [%2]")
                .arg(shown.left(20), expectedText_.left(20));
        if (qs(f.delay.Text()) != shown)
            return QStringLiteral("delay box holds [%1], shows [%2]")
                .arg(qs(f.delay.Text()).left(20), shown.left(20));
        if (f.frameDelay() != expectedDelay_)
            return QStringLiteral("delay %1 for %2")
                .arg(f.frameDelay())
                .arg(expectedText_.left(20));

        // Before the table is shown for its check below, which repaints the whole window.
        rt::qt::Window &window = lesson_.window();
        if (const QRect differs = presentedDiffers(window); !differs.isEmpty())
            return QStringLiteral(
                       "at zoom %1 the screen differs from a fresh drawing in %2,%3 %4x%5")
                .arg(window.zoom())
                .arg(differs.x())
                .arg(differs.y())
                .arg(differs.width())
                .arg(differs.height());

        const bool shortWindow = f.table.Value() == 0;
        if (shortWindow) f.table.setValue(1);
        const QImage band = tableBand(window);
        if (shortWindow) f.table.setValue(0);
        if (band != referenceTable(p / 2, window.zoom()))
            return QStringLiteral("the table does not show exactly minutes 1 to %1").arg(p / 2);
        return {};
    }

    TestClock clock_;
    Lesson lesson_;
    QRandomGenerator rng_;
    int remaining_;
    int done_ = 0;
    int depth_ = 0;
    QString expectedText_;
    int expectedDelay_ = 0;
    QSet<int> completed_; // rates that filled the second lesson's container
};

QPair<int, int> seedRange() {
    const QString range = qEnvironmentVariable("RANDOM_SEEDS", QStringLiteral("1-20"));
    const QStringList parts = range.split(QLatin1Char('-'));
    const int first = parts.value(0).toInt();
    return {first, parts.size() > 1 ? parts[1].toInt() : first};
}

} // namespace

class RandomTest : public QObject {
    Q_OBJECT

private slots:
    void restlessPupil_data();
    void restlessPupil();
};

void RandomTest::restlessPupil_data() {
    QTest::addColumn<quint32>("seed");
    const auto [first, last] = seedRange();
    for (int seed = first; seed <= last; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << quint32(seed);
}

void RandomTest::restlessPupil() {
    QFETCH(quint32, seed);
    const int actions = qEnvironmentVariableIntValue("RANDOM_ACTIONS");
    Pupil pupil(seed, actions > 0 ? actions : 2000);
    const QString broken = pupil.run();
    QVERIFY2(
        broken.isEmpty(),
        qPrintable(QStringLiteral("seed %1 %2 (replay: RANDOM_SEEDS=%1)").arg(seed).arg(broken)));
}

QTEST_MAIN(RandomTest)
#include "tst_random.moc"
