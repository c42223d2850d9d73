// One minute of filling or emptying, frame by frame, on the test clock.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "runtime/core/events.h"
#include "runtime/core/task.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace {

struct FrameState {
    QString text;
    float top;
    float height;
    float stream;
    rt::Colour streamColour;
};

// Records the picture's state at the start of every frame's wait, that is after the frame
// before it.
class Recorder {
public:
    Recorder(TestClock &clock, ProportionLesson &form, rt::Integer layer) {
        clock.onWait([this, &form, layer] {
            states.push_back({Lesson::shownText(form.time), form.layers(layer).Top(),
                              form.layers(layer).Height(), form.stream.Height(),
                              form.stream.BackColor()});
        });
    }
    std::vector<FrameState> states;
};

void printAt(ProportionLesson &f, float x, float y, const QString &text) {
    f.setForeColor(0xFFFFFF);
    f.setFontSize(20);
    f.setCurrentX(x);
    f.setCurrentY(y);
    f.Print(text.toStdString());
}

QImage tableBand(rt::qt::Window &window) {
    return formPicture(window).copy(QRect(0, 540, 810, 173));
}

// Text an input method commits, as the Japanese one does when the pupil confirms.
void commit(QWidget &box, const QString &text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&box, &event);
}

void stepForward(ProportionLesson &f, rt::Integer progress) {
    f.progress = progress;
    rt::start(f.animateForward());
}

void stepBack(ProportionLesson &f, rt::Integer progress) {
    f.progress = progress;
    rt::start(f.animateBack());
}

} // namespace

class StepTest : public QObject {
    Q_OBJECT

private slots:
    void firstMinuteForward();
    void lastMinuteForward();
    void columnPositions_data();
    void columnPositions();
    void firstMinuteBack();
    void backLeavesLayerEmpty();
    void streamTakesLayerColour();
    void frameDelay_data();
    void frameDelay();
    void runningFrameFollowsTheDelayBox_data();
    void runningFrameFollowsTheDelayBox();
    void typedDelayIsNotCompleted();
    void fullWidthDelayMeansItsFigures();
    void typedTimeDoesNotMisleadTheErase();
    void stepButtonsDisabledDuringStep();
};

void StepTest::firstMinuteForward() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    Recorder rec(clock, f, 0);
    stepForward(f, 0);
    QCOMPARE(rec.states.size(), std::size_t(40));
    // After frame n the water stands 0.75 n px high.
    QCOMPARE(rec.states[1].text, QStringLiteral("0.00")); // n = 1
    QCOMPARE(rec.states[1].top, 459.25f);
    QCOMPARE(rec.states[1].height, 0.75f);
    QCOMPARE(rec.states[1].stream, 414.25f);
    QCOMPARE(rec.states[2].text, QStringLiteral("0.05")); // n = 2
    QCOMPARE(rec.states[3].text, QStringLiteral("0.05")); // n = 3
    QCOMPARE(rec.states[4].text, QStringLiteral("0.10"));
    QCOMPARE(rec.states[39].text, QStringLiteral("0.95"));
    QCOMPARE(rec.states[39].top, 430.75f);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("1.00"));
    QCOMPARE(f.layers(0).Top(), 430.0f);
    QCOMPARE(f.layers(0).Height(), 30.0f);
    QCOMPARE(f.stream.Height(), 385.0f);
    QCOMPARE(f.stream.BackColor(), f.layers(0).BackColor());
    QCOMPARE(f.ForeColor(), rt::Colour(0xFFFFFF));
    QCOMPARE(f.progress, rt::Integer(0));
    QVERIFY(Lesson::widget(f.forward).isEnabled());
    QVERIFY(Lesson::widget(f.back).isEnabled());
    // The pupil sees the new layer and the stream reaching it.
    const QImage s = screen(lesson.window());
    QCOMPARE(pixel(s, 300, 445), bgr(0xFFFF00));
    QCOMPARE(pixel(s, 424, 300), bgr(0xFFFF00));
    QCOMPARE(pixel(s, 300, 425), bgr(0x008000));
    QVERIFY(lesson.errors().isEmpty());
}

void StepTest::lastMinuteForward() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    stepForward(f, 22);
    QCOMPARE(f.layers(11).Top(), 100.0f);
    QCOMPARE(f.layers(11).Height(), 360.0f);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("12.00"));
    QCOMPARE(f.stream.Height(), 55.0f);
}

void StepTest::columnPositions_data() {
    QTest::addColumn<int>("progress");
    QTest::addColumn<QString>("minute");
    QTest::addColumn<int>("minuteX");
    QTest::addColumn<QString>("litres");
    QTest::addColumn<int>("litresX");
    QTest::newRow("1") << 0 << " 1" << 170 << " 5" << 170;
    QTest::newRow("2") << 2 << " 2" << 220 << " 10" << 210;
    QTest::newRow("9") << 16 << " 9" << 570 << " 45" << 560;
    QTest::newRow("10") << 18 << " 10" << 610 << " 50" << 610;
    QTest::newRow("12") << 22 << " 12" << 710 << " 60" << 710;
}

void StepTest::columnPositions() {
    QFETCH(int, progress);
    QFETCH(QString, minute);
    QFETCH(int, minuteX);
    QFETCH(QString, litres);
    QFETCH(int, litresX);
    TestClock clock;
    Lesson stepped;
    stepped->table.setValue(1);
    stepForward(stepped.form(), rt::Integer(progress));

    Lesson reference;
    reference->table.setValue(1);
    printAt(reference.form(), float(minuteX), 560, minute);
    printAt(reference.form(), float(litresX), 615, litres);
    QCOMPARE(tableBand(stepped.window()), tableBand(reference.window()));
}

void StepTest::firstMinuteBack() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    const QImage emptyTable = tableBand(lesson.window());
    stepForward(f, 0);
    QVERIFY(tableBand(lesson.window()) != emptyTable);

    // The column is erased at once, before the first frame.
    bool erasedBeforeFirstFrame = false;
    bool first = true;
    clock.onWait([&] {
        if (first) erasedBeforeFirstFrame = tableBand(lesson.window()) == emptyTable;
        first = false;
    });
    Recorder rec(clock, f, 0);
    stepBack(f, 2);
    QVERIFY(erasedBeforeFirstFrame);
    QCOMPARE(rec.states.size(), std::size_t(41));
    QCOMPARE(rec.states[1].text, QStringLiteral("1.00"));  // n = 40
    QCOMPARE(rec.states[2].text, QStringLiteral("0.95"));  // n = 39
    QCOMPARE(rec.states[3].text, QStringLiteral("0.95"));  // n = 38
    QCOMPARE(rec.states[40].text, QStringLiteral("0.00")); // n = 1
    QCOMPARE(rec.states[1].height, 30.0f);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("0.00"));
    QCOMPARE(f.layers(0).Top(), 460.0f);
    QCOMPARE(f.layers(0).Height(), 0.0f);
    QCOMPARE(f.progress, rt::Integer(2));
    QCOMPARE(f.ForeColor(), rt::Colour(0x008000));
    QCOMPARE(tableBand(lesson.window()), emptyTable);
}

void StepTest::backLeavesLayerEmpty() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    stepForward(f, 0);
    stepForward(f, 2);
    Recorder rec(clock, f, 1);
    stepBack(f, 4);
    // The last frame (n = 40) leaves layer 1 at the height of minute 1, then it is emptied.
    QCOMPARE(f.layers(1).Top(), 460.0f);
    QCOMPARE(f.layers(1).Height(), 0.0f);
    QCOMPARE(rec.states.back().top, 429.25f); // after n = 41
    QCOMPARE(f.layers(0).Height(), 30.0f);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("1.00"));
}

void StepTest::streamTakesLayerColour() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.hint.setValue(1);
    stepForward(f, 0);
    QCOMPARE(f.stream.BackColor(), rt::Colour(0x878700));
    stepForward(f, 2);
    QCOMPARE(f.stream.BackColor(), rt::Colour(0x919100));
    QCOMPARE(pixel(screen(lesson.window()), 424, 200), bgr(0x919100));
}

void StepTest::frameDelay_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("stepMs");
    QTest::addColumn<bool>("eventsProcessed");
    QTest::newRow("default") << "20" << 800u << true;
    QTest::newRow("2.5 rounds to even") << "2.5" << 80u << true;
    QTest::newRow("1.5 rounds to even") << "1.5" << 80u << true;
    QTest::newRow("0.5 is no wait") << "0.5" << 0u << false;
    QTest::newRow("a text with no figure keeps the pace") << "abc" << 800u << true;
    QTest::newRow("a text not led by its figure is no wait") << "abc5" << 0u << false;
    QTest::newRow("negative is no wait") << "-5" << 0u << false;
    QTest::newRow("beyond 32 bits is the longest wait")
        << "99999999999" << quint32(40ull * 2147483647ull % 4294967296ull) << true;
}

void StepTest::frameDelay() {
    QFETCH(QString, text);
    QFETCH(quint32, stepMs);
    QFETCH(bool, eventsProcessed);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.delay.setText(text.toStdString());
    const quint32 start = clock.now();
    const int idlesBefore = clock.idles();
    stepForward(f, 0);
    QCOMPARE(clock.now() - start, stepMs);
    QCOMPARE(clock.idles() > idlesBefore, eventsProcessed);
    QCOMPARE(f.layers(0).Height(), 30.0f);
    QVERIFY(lesson.errors().isEmpty());
}

void StepTest::runningFrameFollowsTheDelayBox_data() {
    QTest::addColumn<QStringList>("texts"); // the delay box's texts, each at its time
    QTest::addColumn<QList<quint32>>("at");
    QTest::addColumn<quint32>("stepMs");
    // During the tenth frame's wait (180 to 200) the pupil picks 5 ms: that frame ends at once,
    // as 5 ms have passed since it began, and the other thirty take 5 ms each.
    QTest::newRow("list entry") << QStringList{" 5"} << QList<quint32>{190} << 340u;
    // A mistyped delay of 25 days, put right five seconds later: the first frame ends there.
    QTest::newRow("huge delay put right")
        << QStringList{"99999999999", "20"} << QList<quint32>{10, 5000} << 5000u + 39 * 20;
    QTest::newRow("longer delay") << QStringList{"100"} << QList<quint32>{10} << 100u + 39 * 100;
    QTest::newRow("no delay any more") << QStringList{"0"} << QList<quint32>{10} << 10u;
    QTest::newRow("cleared: the pace stays")
        << QStringList{"100", ""} << QList<quint32>{10, 150} << 100u + 39 * 100;
}

void StepTest::runningFrameFollowsTheDelayBox() {
    QFETCH(QStringList, texts);
    QFETCH(QList<quint32>, at);
    QFETCH(quint32, stepMs);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    const quint32 start = clock.now();
    for (int i = 0; i < texts.size(); ++i) {
        clock.at(start + at[i], [&f, text = texts[i]] {
            if (text == QStringLiteral(" 5"))
                f.delay.setListIndex(1);
            else
                f.delay.setText(text.toStdString());
        });
    }
    stepForward(f, 0);
    QCOMPARE(Lesson::shownText(f.delay), texts.last());
    QCOMPARE(clock.now() - start, stepMs);
    QCOMPARE(f.layers(0).Height(), 30.0f);
}

void StepTest::typedDelayIsNotCompleted() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    // "2" must not be completed to the list entry "20".
    QVERIFY(lesson.window().isActiveWindow());
    auto &combo = *qobject_cast<QComboBox *>(&Lesson::widget(f.delay));
    combo.setFocus();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), QStringLiteral("2"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("2"));
    QCOMPARE(f.delay.Text(), "2");
    const quint32 start = clock.now();
    stepForward(f, 0);
    QCOMPARE(clock.now() - start, 80u);
}

// With the Japanese input method on, pupils type figures in full width: they stand as ASCII
// in the box, and the box means them.
void StepTest::fullWidthDelayMeansItsFigures() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    auto &combo = *qobject_cast<QComboBox *>(&Lesson::widget(f.delay));
    combo.setFocus();
    combo.lineEdit()->selectAll();
    commit(*combo.lineEdit(), QStringLiteral("１０．５"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("10.5"));
    QCOMPARE(f.delay.Text(), "10.5");
    // Typed over the entry of the same figures: the box shows them in ASCII all the same.
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&combo, Qt::Key_Down);
    QCOMPARE(f.delay.ListIndex(), rt::Integer(3));
    combo.lineEdit()->selectAll();
    commit(*combo.lineEdit(), QStringLiteral("２０"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("20"));
    QCOMPARE(f.delay.Text(), "20");
    // A figure at a time, as the input method commits each: the cursor stays behind it.
    combo.lineEdit()->selectAll();
    commit(*combo.lineEdit(), QStringLiteral("１"));
    commit(*combo.lineEdit(), QStringLiteral("０"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("10"));
    // Typed in front of the figures: the cursor stays behind what was typed, not at the end.
    combo.lineEdit()->setCursorPosition(0);
    commit(*combo.lineEdit(), QStringLiteral("５"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("510"));
    QCOMPARE(combo.lineEdit()->cursorPosition(), 1);
    commit(*combo.lineEdit(), QStringLiteral("０"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("5010"));
    combo.lineEdit()->selectAll();
    commit(*combo.lineEdit(), QStringLiteral("１０．５")); // the delay of the step below
    auto &timeBox = *qobject_cast<QLineEdit *>(&Lesson::widget(f.time));
    timeBox.setFocus();
    timeBox.selectAll();
    commit(timeBox, QStringLiteral("１"));
    commit(timeBox, QStringLiteral("２"));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("12"));
    timeBox.selectAll();
    commit(timeBox, QStringLiteral("３"));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("3"));
    const quint32 start = clock.now();
    stepForward(f, 0);
    QCOMPARE(clock.now() - start, 400u);
}

void StepTest::typedTimeDoesNotMisleadTheErase() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    stepForward(f, 0);
    const QImage oneColumn = tableBand(lesson.window());
    stepForward(f, 2);
    // A pupil types 3 into the time box; the step back must still take away minute 2.
    auto &timeBox = *qobject_cast<QLineEdit *>(&Lesson::widget(f.time));
    timeBox.selectAll();
    QTest::keyClicks(&timeBox, QStringLiteral("3"));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("3"));
    QCOMPARE(f.time.Text(), "3");
    stepBack(f, 4);
    QCOMPARE(tableBand(lesson.window()), oneColumn);
    QVERIFY(lesson.errors().isEmpty());
}

void StepTest::stepButtonsDisabledDuringStep() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QString during;
    clock.at(clock.now() + 100, [&] {
        during = buttonStates(f);
        Lesson::click(f.forward);
        Lesson::click(f.back);
    });
    stepForward(f, 2);
    QCOMPARE(during.mid(2, 2), QStringLiteral("00"));
    QCOMPARE(f.progress, rt::Integer(2));
    QCOMPARE(f.layers(1).Height(), 60.0f); // every layer reaches down to the floor
    QCOMPARE(f.layers(2).Height(), 0.0f);
}

QTEST_MAIN(StepTest)
#include "tst_step.moc"
