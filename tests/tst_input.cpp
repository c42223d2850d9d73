// The runtime's own rules of input, on the core alone: which key does what where the focus is,
// where the focus goes, and in which order handlers that wait go on. Every front end follows
// these.

#include "lessons/proportion/proportionlayout.h"
#include "runtime/core/clock.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/task.h"
#include "runtime/core/textbox.h"

#include <QTest>

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace {

using rt::FocusKind;
using rt::Key;
using rt::KeyOutcome;
namespace Modifier = rt::Modifier;

// What a key does with the focus on the board, a button, a check box, the time box, the delay
// box and its open list, in one letter each: T the toolkit's, X the box's, I nothing, A the
// lesson's action, C a click on the focused control, L leaving the box, F full screen.
struct Row {
    Key key;
    const char *outcomes;
};
constexpr std::array<Row, rt::KeyCount> Plain = {{
    {Key::None, "TTTTTT"},
    {Key::Text, "TTTXXX"},
    // The remote's keys act wherever the focus is.
    {Key::PageDown, "AAAAAA"},
    {Key::PageUp, "AAAAAA"},
    {Key::F5, "AAAAAA"},
    {Key::Escape, "AAAAAA"},
    {Key::B, "AAAAAA"},
    {Key::Period, "AAAAAA"}, // typed only into a delay being typed: see below
    // The other keys of the lesson act unless a box takes them for typing.
    {Key::Right, "AAAXXX"},
    {Key::Left, "AAAXXX"},
    {Key::Home, "AAAXXX"},
    {Key::H, "AAAXXX"},
    {Key::T, "AAAXXX"},
    {Key::G, "AAAXXX"},
    {Key::F1, "AAAAAA"},
    {Key::F2, "AAAAAA"}, // the other lesson: no box types it
    // Up and Down move no focus off a button or check box, least of all into a box.
    {Key::Up, "TIIXXX"},
    {Key::Down, "TIIXXX"},
    // Enter and Space click a button; Space toggles a check box; Enter leaves a box, and in
    // the open list picks the entry.
    {Key::Enter, "TCTLLX"},
    {Key::Space, "TCCXXX"},
    {Key::End, "TTTXXX"},
    {Key::Backspace, "TTTXXX"},
    {Key::Delete, "TTTXXX"},
    {Key::Plus, "TTTXXX"},
    {Key::Equal, "TTTXXX"},
    {Key::Minus, "TTTXXX"},
    {Key::Zero, "TTTXXX"},
    {Key::One, "TTTXXX"},
    {Key::Two, "TTTXXX"},
    {Key::Three, "TTTXXX"},
    {Key::Four, "TTTXXX"},
    {Key::Five, "TTTXXX"},
    {Key::Six, "TTTXXX"},
    {Key::Tab, "TTTTTT"},
    {Key::F11, "FFFFFF"},
}};

KeyOutcome outcomeOf(char c) {
    static const std::map<char, KeyOutcome> letters = {
        {'T', KeyOutcome::Toolkit},    {'X', KeyOutcome::Box},    {'I', KeyOutcome::Ignore},
        {'A', KeyOutcome::Action},     {'C', KeyOutcome::Click},  {'L', KeyOutcome::LeaveBox},
        {'F', KeyOutcome::FullScreen}, {'+', KeyOutcome::ZoomIn}, {'-', KeyOutcome::ZoomOut},
        {'0', KeyOutcome::ZoomReset}};
    return letters.at(c);
}

// The lesson's window definition and keys, without a window.
struct Lesson {
    Lesson() {
        form.bindKey(Key::F1, [] {});
    }
    rt::Form form{layout::proportion::definition()};
    rt::Control &control(const char *name, rt::Integer index = -1) {
        return form.control<rt::Control>(name, index);
    }
};

// An event loop in virtual time: each pass runs `onPass`, as input arriving during a pause,
// then moves the time on to the newest task's pause and resumes it.
class ScriptClock final : public rt::Clock {
public:
    ScriptClock() { rt::setClock(this); }
    ~ScriptClock() override { rt::setClock(nullptr); }
    ScriptClock(const ScriptClock &) = delete;
    ScriptClock &operator=(const ScriptClock &) = delete;
    std::uint32_t ticks() override { return now; }
    void wakeIn(std::int32_t ms) override {
        if (looping_) return;
        looping_ = true;
        for (; ms >= 0; ms = rt::msToNextWake()) {
            if (onPass) onPass();
            now += static_cast<std::uint32_t>(ms);
            rt::resumeDue();
        }
        looping_ = false;
    }
    std::uint32_t now = 0;
    std::function<void()> onPass;

private:
    bool looping_ = false;
};

// Where the stack stands in the caller.
[[gnu::noinline]] std::uintptr_t stackDepth() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

// Three frames of 10 ms, as a step's; `depths` gets where the stack stood at each resumption.
rt::Task threeFrames(int id, std::vector<int> &ended, std::set<std::uintptr_t> &depths) {
    for (int frame = 0; frame < 3; ++frame) {
        co_await rt::Pause([] { return rt::Long(10); });
        depths.insert(stackDepth());
    }
    ended.push_back(id);
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void periodTypesOnlyIntoADelayBeingTyped();
    void modifiers_data();
    void modifiers();
    void focusStartsOnTheChosenControl();
    void disabledFocusGoesToTheBoardAndBack();
    void focusMovedMeanwhileStaysPut();
    void enterLeavesABox();
    void typingMakesTheBoxEdited();
    void fullWidthFiguresBecomeAscii_data();
    void fullWidthFiguresBecomeAscii();
    void handlersStartedDuringPausesEndInOrder();
};

void InputTest::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("where");
    QTest::addColumn<int>("outcome");
    static const char *places[] = {"board",    "button",    "check box",
                                   "text box", "combo box", "open list"};
    for (const Row &row : Plain)
        for (int w = 0; w < rt::FocusKindCount; ++w)
            QTest::addRow("key %d on the %s", int(row.key), places[w])
                << int(row.key) << w << int(outcomeOf(row.outcomes[w]));
}

void InputTest::keys() {
    QFETCH(int, key);
    QFETCH(int, where);
    QFETCH(int, outcome);
    Lesson lesson;
    for (const bool editing : {false, true}) {
        if (key == int(Key::Period) && where == int(FocusKind::ComboBox) && editing) continue;
        for (const unsigned shift : {0u, Modifier::Shift}) {
            if (key == int(Key::Tab) && shift) continue; // Shift + Tab goes back: the toolkit's
            QCOMPARE(int(lesson.form.routeKey(Key(key), shift, FocusKind(where), editing)),
                     outcome);
        }
    }
}

void InputTest::periodTypesOnlyIntoADelayBeingTyped() {
    Lesson lesson;
    QCOMPARE(lesson.form.routeKey(Key::Period, 0, FocusKind::ComboBox, true), KeyOutcome::Box);
    QCOMPARE(lesson.form.routeKey(Key::Period, 0, FocusKind::ComboBox, false), KeyOutcome::Action);
    QCOMPARE(lesson.form.routeKey(Key::Period, 0, FocusKind::TextBox, true), KeyOutcome::Action);
    QCOMPARE(lesson.form.routeKey(Key::Period, 0, FocusKind::OpenList, true), KeyOutcome::Action);
}

void InputTest::modifiers_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<unsigned>("modifiers");
    QTest::addColumn<QString>("outcomes"); // on the board ... in the open list
    const unsigned ctrl = Modifier::Control, alt = Modifier::Alt, meta = Modifier::Meta,
                   shift = Modifier::Shift;
    QTest::newRow("Ctrl + +") << int(Key::Plus) << (ctrl | shift) << "++++++";
    QTest::newRow("Ctrl + =") << int(Key::Equal) << ctrl << "++++++";
    QTest::newRow("⌘ + =") << int(Key::Equal) << meta << "++++++";
    QTest::newRow("Ctrl + -") << int(Key::Minus) << ctrl << "------";
    QTest::newRow("Ctrl + 0") << int(Key::Zero) << ctrl << "000000";
    QTest::newRow("Ctrl + Alt + 0") << int(Key::Zero) << (ctrl | alt) << "TTTXXX";
    // A letter alone is the lesson's, not with Ctrl or Alt; a box keeps its own shortcuts.
    QTest::newRow("Alt + H") << int(Key::H) << alt << "TTTXXX";
    QTest::newRow("Ctrl + B") << int(Key::B) << ctrl << "TTTXXX";
    QTest::newRow("Alt + Down") << int(Key::Down) << alt << "TTTXXX";
    QTest::newRow("Ctrl + Page Down") << int(Key::PageDown) << ctrl << "TTTXXX";
    QTest::newRow("Ctrl + Text") << int(Key::Text) << ctrl << "TTTXXX";
    QTest::newRow("Shift + Page Down") << int(Key::PageDown) << shift << "AAAAAA";
}

void InputTest::modifiers() {
    QFETCH(int, key);
    QFETCH(unsigned, modifiers);
    QFETCH(QString, outcomes);
    Lesson lesson;
    for (int w = 0; w < rt::FocusKindCount; ++w)
        QCOMPARE(int(lesson.form.routeKey(Key(key), modifiers, FocusKind(w), false)),
                 int(outcomeOf(outcomes.at(w).toLatin1())));
}

void InputTest::focusStartsOnTheChosenControl() {
    Lesson lesson;
    QCOMPARE(lesson.form.focus(), nullptr);
    lesson.form.takeStartFocus();
    QCOMPARE(lesson.form.focus(), &lesson.control("forward"));
    // Where the chosen control is disabled, the first in the tab order that can take it.
    Lesson other;
    other.control("forward").setEnabled(false);
    other.control("quit").setEnabled(false);
    other.form.takeStartFocus();
    QCOMPARE(other.form.focus(), &other.control("run"));
}

void InputTest::disabledFocusGoesToTheBoardAndBack() {
    Lesson lesson;
    rt::Control &forward = lesson.control("forward");
    lesson.form.takeStartFocus();
    forward.setEnabled(false);
    // Never into a box, where the remote's keys would be typed: to the board.
    QCOMPARE(lesson.form.focus(), nullptr);
    QCOMPARE(forward.look().focused, false);
    forward.setEnabled(true);
    QCOMPARE(lesson.form.focus(), &forward);
    QCOMPARE(forward.look().focused, true);
    forward.setVisible(false);
    QCOMPARE(lesson.form.focus(), nullptr);
    forward.setVisible(true);
    QCOMPARE(lesson.form.focus(), &forward);
}

void InputTest::focusMovedMeanwhileStaysPut() {
    Lesson lesson;
    rt::Control &forward = lesson.control("forward");
    rt::Control &delay = lesson.control("delay");
    lesson.form.takeStartFocus();
    forward.setEnabled(false);
    // Telling the board it has the focus it has changes nothing.
    lesson.form.input(rt::Input(rt::Input::Type::Focus, -1));
    lesson.form.input(rt::Input(rt::Input::Type::Focus, delay.handle()));
    forward.setEnabled(true);
    QCOMPARE(lesson.form.focus(), &delay);
    // A disabled control cannot take the focus from the user either.
    forward.setEnabled(false);
    lesson.form.input(rt::Input(rt::Input::Type::Focus, forward.handle()));
    QCOMPARE(lesson.form.focus(), &delay);
}

void InputTest::enterLeavesABox() {
    Lesson lesson;
    rt::Control &delay = lesson.control("delay");
    lesson.form.input(rt::Input(rt::Input::Type::Focus, delay.handle()));
    QCOMPARE(lesson.form.keyPressed(Key::Enter, 0, FocusKind::ComboBox, false),
             KeyOutcome::LeaveBox);
    QCOMPARE(lesson.form.focus(), nullptr);
    // Left for the board: a control disabled later does not take it back.
    rt::Control &forward = lesson.control("forward");
    forward.setEnabled(false);
    forward.setEnabled(true);
    QCOMPARE(lesson.form.focus(), nullptr);
}

void InputTest::typingMakesTheBoxEdited() {
    Lesson lesson;
    rt::Control &delay = lesson.control("delay");
    rt::Control &time = lesson.control("time");
    lesson.form.input(rt::Input(rt::Input::Type::Focus, delay.handle()));
    QVERIFY(!lesson.form.editing());
    rt::Input typed(rt::Input::Type::Text, delay.handle());
    typed.text = "2";
    lesson.form.input(typed);
    QVERIFY(lesson.form.editing());
    // A new visit to a box starts with nothing typed.
    lesson.form.input(rt::Input(rt::Input::Type::Focus, time.handle()));
    QVERIFY(!lesson.form.editing());
    lesson.form.input(rt::Input(rt::Input::Type::Focus, delay.handle()));
    QVERIFY(!lesson.form.editing());
}

void InputTest::fullWidthFiguresBecomeAscii_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stands");
    QTest::newRow("ten") << "１０"
                         << "10";
    QTest::newRow("decimal point") << "２．５"
                                   << "2.5";
    QTest::newRow("mixed") << "1０ms"
                           << "10ms";
    QTest::newRow("other full-width stays") << "ａ－１"
                                            << "ａ－1";
    QTest::newRow("ASCII stays") << " 20"
                                 << " 20";
    QTest::newRow("ideographic full stop stays") << "１。５"
                                                 << "1。5";
}

void InputTest::fullWidthFiguresBecomeAscii() {
    QFETCH(QString, typed);
    QFETCH(QString, stands);
    Lesson lesson;
    for (const char *name : {"delay", "time"}) {
        rt::Input in(rt::Input::Type::Text, lesson.control(name).handle());
        in.text = typed.toStdString();
        lesson.form.input(in);
        QCOMPARE(QString::fromStdString(lesson.control(name).look().text), stands);
    }
}

// A click arrives during every pause, and each click's handler starts a task that pauses in
// turn: 1,000 of them, each started while the one before waits. None waits for its turn: it
// starts at once. The newest goes on to its end before the one it interrupted, so they end
// newest first. And the stack does not grow: every task goes on from the event loop itself.
void InputTest::handlersStartedDuringPausesEndInOrder() {
    rt::Form form(layout::proportion::definition());
    auto &button = form.control<rt::CommandButton>("forward");
    constexpr int Clicks = 1000;
    int sent = 0, started = 0;
    std::vector<int> ended;
    std::set<std::uintptr_t> depths;
    button.setClickHandler([&] { rt::start(threeFrames(started++, ended, depths)); });
    ScriptClock clock;
    clock.onPass = [&] {
        if (sent == Clicks) return;
        ++sent;
        form.input(rt::Input(rt::Input::Type::Click, button.handle()));
        QCOMPARE(started, sent + 1);
    };
    form.input(rt::Input(rt::Input::Type::Click, button.handle()));
    QCOMPARE(started, Clicks + 1);
    QCOMPARE(int(ended.size()), Clicks + 1);
    for (int k = 0; k <= Clicks; ++k)
        QCOMPARE(ended[std::size_t(k)], Clicks - k);
    QCOMPARE(depths.size(), std::size_t(1));
    QVERIFY(!rt::waiting());
    // A click at rest starts its task at once again.
    clock.onPass = nullptr;
    form.input(rt::Input(rt::Input::Type::Click, button.handle()));
    QCOMPARE(started, Clicks + 2);
}

QTEST_APPLESS_MAIN(InputTest)
#include "tst_input.moc"
