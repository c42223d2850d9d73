// Keys of the keyboard and of presentation remotes do what a click on their control does,
// only when that control is enabled, and leave typing in the text boxes alone.

#include "lesson.h"
#include "testclock.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace {

// The window that shows the lesson.
rt::qt::Window &windowOf(ProportionLesson &f) {
    return *dynamic_cast<rt::qt::Window *>(f.view());
}

// The delay box as the pupil meets it.
QComboBox &delayBox(ProportionLesson &f) {
    return *qobject_cast<QComboBox *>(&Lesson::widget(f.delay));
}

// The key pressed where the focus is, as a keyboard delivers it: to an open list first.
void press(ProportionLesson &f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *popup = QApplication::activePopupWidget();
    QWidget *target = popup ? popup->focusWidget() : QApplication::focusWidget();
    QTest::keyClick(target ? target : &windowOf(f), key, modifiers);
}

// The key as a keyboard with Shift or Caps Lock sends it: the same key, an upper-case letter.
void pressTyping(ProportionLesson &f, Qt::Key key, const QString &text,
                 Qt::KeyboardModifiers modifiers) {
    QWidget *popup = QApplication::activePopupWidget();
    QWidget *target = popup ? popup->focusWidget() : QApplication::focusWidget();
    QTest::sendKeyEvent(QTest::Click, target ? target : &windowOf(f), key, text, modifiers);
}

void type(const QString &text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Where a pupil's mouse or keys can leave the focus before the remote is used.
enum Place {
    StepClicked,
    RunClicked,
    DelayClicked,
    DelayTyped,
    DelayEntered,
    DelayRevisited,
    ListOpen,
    TimeClicked
};

void reach(ProportionLesson &f, TestClock &clock, Place place) {
    QLineEdit *delay = delayBox(f).lineEdit();
    switch (place) {
    case StepClicked:
        Lesson::click(f.forward);
        break;
    case RunClicked:
        clock.at(clock.now() + 1, [&f] { Lesson::click(f.stop); });
        Lesson::click(f.run);
        break;
    case DelayClicked:
        Lesson::click(*delay);
        break;
    case DelayTyped:
    case DelayEntered:
    case DelayRevisited:
        Lesson::click(*delay);
        QTest::keyClick(&delayBox(f), Qt::Key_A, Qt::ControlModifier);
        type(QStringLiteral("2.5")); // the "." is typed, not a stop
        QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("2.5"));
        QCOMPARE(f.delay.Text(), "2.5");
        if (place != DelayTyped) press(f, Qt::Key_Return);
        // Back in the box: nothing typed on this visit yet, so "." is the remote's again.
        if (place == DelayRevisited) Lesson::click(*delay);
        break;
    case ListOpen:
        Lesson::click(*delay);
        press(f, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(delayBox(f).view()->isVisible());
        break;
    case TimeClicked:
        Lesson::click(f.time);
        break;
    }
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void stepKeys_data();
    void stepKeys();
    void keysOnAButton_data();
    void keysOnAButton();
    void automaticAndStop_data();
    void automaticAndStop();
    void delayListPastItsEnds_data();
    void delayListPastItsEnds();
    void homeAndOptions();
    void disabledControlIgnoresItsKey();
    void typingGoesToTheBoxes();
    void remoteActsWhereverTheFocusIs_data();
    void remoteActsWhereverTheFocusIs();
    void f1ListsTheKeys();
};

void KeysTest::stepKeys_data() {
    QTest::addColumn<int>("forward");
    QTest::addColumn<int>("back");
    QTest::newRow("page keys") << int(Qt::Key_PageDown) << int(Qt::Key_PageUp);
    QTest::newRow("arrows") << int(Qt::Key_Right) << int(Qt::Key_Left);
}

void KeysTest::stepKeys() {
    QFETCH(int, forward);
    QFETCH(int, back);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    press(f, Qt::Key(back)); // 戻る is disabled at minute 0
    QCOMPARE(f.progress, rt::Integer(0));
    press(f, Qt::Key(forward));
    press(f, Qt::Key(forward));
    QCOMPARE(f.progress, rt::Integer(4));
    press(f, Qt::Key(back));
    QCOMPARE(f.progress, rt::Integer(2));
    QCOMPARE(f.layers(0).Height(), 30.0f);
    QCOMPARE(f.layers(1).Height(), 0.0f);
}

void KeysTest::keysOnAButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("steps"); // minutes forward
    QTest::newRow("→ steps forward") << int(Qt::Key_Right) << 1;
    QTest::newRow("← steps back") << int(Qt::Key_Left) << -1;
    // The next control in the tab order is the delay box, where the remote's keys would type.
    QTest::newRow("Up moves nothing") << int(Qt::Key_Up) << 0;
    QTest::newRow("Down moves nothing") << int(Qt::Key_Down) << 0;
    QTest::newRow("Enter clicks") << int(Qt::Key_Return) << 1;
    QTest::newRow("keypad Enter clicks") << int(Qt::Key_Enter) << 1;
    QTest::newRow("Space clicks") << int(Qt::Key_Space) << 1;
}

// With the focus where a click on 進む leaves it: on 進む, which its step disabled a while.
void KeysTest::keysOnAButton() {
    QFETCH(int, key);
    QFETCH(int, steps);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QWidget &forward = Lesson::widget(f.forward);
    Lesson::click(forward);
    QCOMPARE(QApplication::focusWidget(), &forward);
    press(f, Qt::Key(key));
    QCOMPARE(f.progress, rt::Integer(2 + 2 * steps)); // one step, not one for press and release
    QCOMPARE(QApplication::focusWidget(), &forward);
    press(f, Qt::Key_Right);
    QCOMPARE(f.progress, rt::Integer(4 + 2 * steps));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("20"));
    QVERIFY(lesson.errors().isEmpty());
}

void KeysTest::automaticAndStop_data() {
    QTest::addColumn<int>("stopKey");
    QTest::addColumn<QString>("text"); // what the key types, where not its plain character
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << QString() << int(Qt::NoModifier);
    QTest::newRow("B") << int(Qt::Key_B) << QString() << int(Qt::NoModifier);
    QTest::newRow("Shift+B") << int(Qt::Key_B) << QStringLiteral("B") << int(Qt::ShiftModifier);
    QTest::newRow("B with Caps Lock")
        << int(Qt::Key_B) << QStringLiteral("B") << int(Qt::NoModifier);
    QTest::newRow(".") << int(Qt::Key_Period) << QString() << int(Qt::NoModifier);
}

void KeysTest::automaticAndStop() {
    QFETCH(int, stopKey);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    auto stop = [&] {
        if (text.isNull())
            press(f, Qt::Key(stopKey));
        else
            pressTyping(f, Qt::Key(stopKey), text, Qt::KeyboardModifiers(modifiers));
    };
    stop(); // 停止 is disabled at rest: nothing happens
    QVERIFY(!f.stopRequested);
    clock.at(clock.now() + 1000, stop);
    press(f, Qt::Key_F5);
    QCOMPARE(f.progress, rt::Integer(4)); // stopped at the end of minute 2
    QCOMPARE(buttonStates(f), QStringLiteral("10111"));
    QVERIFY(lesson.errors().isEmpty());
}

// The arrows walk the delay list, closed or open, and stop at either end; Enter then leaves
// an entry of the list in the box, and its delay in the lesson.
void KeysTest::delayListPastItsEnds_data() {
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("arrow");
    QTest::addColumn<QString>("entry"); // empty: any entry of the list
    QTest::newRow("↓ past the last") << false << int(Qt::Key_Down) << "100";
    // The closed box starts from no entry of its list: ↑ has none before it.
    QTest::newRow("↑ past the first") << false << int(Qt::Key_Up) << "";
    QTest::newRow("list open, ↓ past the last") << true << int(Qt::Key_Down) << "100";
    QTest::newRow("list open, ↑ past the first") << true << int(Qt::Key_Up) << "1";
}

void KeysTest::delayListPastItsEnds() {
    QFETCH(bool, open);
    QFETCH(int, arrow);
    QFETCH(QString, entry);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QComboBox &combo = delayBox(f);
    Lesson::click(*combo.lineEdit());
    if (open) {
        press(f, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(combo.view()->isVisible());
    }
    for (int i = 0; i < combo.count() + 3; ++i)
        press(f, Qt::Key(arrow));
    press(f, Qt::Key_Return);
    QVERIFY(!combo.view()->isVisible());
    const QString shown = Lesson::shownText(f.delay);
    if (!entry.isEmpty()) QCOMPARE(shown.trimmed(), entry);
    QStringList entries;
    for (int i = 0; i < combo.count(); ++i)
        entries << combo.itemText(i);
    QVERIFY2(entries.contains(shown), qPrintable(shown));
    QCOMPARE(qs(f.delay.Text()), shown);
    QCOMPARE(f.frameDelay(), rt::Long(shown.trimmed().toInt()));
    QVERIFY(lesson.errors().isEmpty());
}

void KeysTest::homeAndOptions() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    // Alt + a letter is no key of the lesson.
    press(f, Qt::Key_H, Qt::AltModifier);
    press(f, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(f.hint.Value() + f.table.Value(), 0);
    press(f, Qt::Key_H);
    QCOMPARE(f.hint.Value(), 1);
    QCOMPARE(f.layers(0).BackColor(), rt::Colour(0x878700));
    press(f, Qt::Key_T);
    QCOMPARE(f.Height(), 11070);
    press(f, Qt::Key_PageDown);
    press(f, Qt::Key_Home);
    QCOMPARE(f.progress, rt::Integer(0));
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(f.hint.Value(), 1);
}

void KeysTest::disabledControlIgnoresItsKey() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    // During an automatic run 初期画面 and the step buttons are disabled: their keys too.
    clock.at(clock.now() + 500, [&] {
        press(f, Qt::Key_Home);
        press(f, Qt::Key_PageDown);
        press(f, Qt::Key_PageUp);
        press(f, Qt::Key_F5);
    });
    press(f, Qt::Key_F5);
    QCOMPARE(f.progress, rt::Integer(24));
    for (rt::Integer k = 0; k < 12; ++k)
        QCOMPARE(f.layers(k).Height(), 30.0f * (k + 1));
    // The container is full: 進む is disabled, so are its keys.
    press(f, Qt::Key_PageDown);
    press(f, Qt::Key_Right);
    QCOMPARE(f.progress, rt::Integer(24));
    QCOMPARE(f.layers(12).Height(), 0.0f);
    QVERIFY(lesson.errors().isEmpty());
}

void KeysTest::typingGoesToTheBoxes() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    press(f, Qt::Key_PageDown); // 戻る is enabled: Left on the board would step back
    Lesson::click(*delayBox(f).lineEdit());
    press(f, Qt::Key_End);
    press(f, Qt::Key_Left);
    press(f, Qt::Key_Left);
    type(QStringLiteral("ht"));
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("ht20"));
    QCOMPARE(f.delay.Text(), "ht20");
    Lesson::click(f.time);
    press(f, Qt::Key_Home);
    press(f, Qt::Key_Right);
    type(QStringLiteral("h"));
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("1h.00"));
    QCOMPARE(f.time.Text(), "1h.00");
    QCOMPARE(f.progress, rt::Integer(2));
    QCOMPARE(f.hint.Value() + f.table.Value(), 0);
}

void KeysTest::remoteActsWhereverTheFocusIs_data() {
    QTest::addColumn<int>("place");
    QTest::addColumn<int>("stopKey");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("focus");
    QTest::newRow("after a click on 進む") << int(StepClicked) << int(Qt::Key_Period) << "20"
                                           << "forward";
    QTest::newRow("after clicks on 自　動, 停止") // the board: 停止 had the focus
        << int(RunClicked) << int(Qt::Key_B) << "20"
        << "proportion";
    QTest::newRow("delay box clicked") << int(DelayClicked) << int(Qt::Key_Period) << "20"
                                       << "delay";
    QTest::newRow("delay box typed into") << int(DelayTyped) << int(Qt::Key_B) << "2.5"
                                          << "delay";
    QTest::newRow("delay typed, Enter") << int(DelayEntered) << int(Qt::Key_Period) << "2.5"
                                        << "proportion";
    QTest::newRow("delay typed, Enter, clicked again")
        << int(DelayRevisited) << int(Qt::Key_Period) << "2.5"
        << "delay";
    QTest::newRow("delay list open") << int(ListOpen) << int(Qt::Key_Escape) << "20"
                                     << "delay";
    QTest::newRow("time box clicked") << int(TimeClicked) << int(Qt::Key_B) << "20"
                                      << "time";
}

void KeysTest::remoteActsWhereverTheFocusIs() {
    QFETCH(int, place);
    QFETCH(int, stopKey);
    QFETCH(QString, delay);
    QFETCH(QString, focus);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    reach(f, clock, Place(place));
    // A button disabled by its own click hands the focus to the board, never into a box,
    // and takes it back when enabled again.
    QCOMPARE(lesson.window().focusWidget()->objectName(), focus);
    const rt::Integer start = f.progress;
    press(f, Qt::Key_PageDown);
    QVERIFY(!delayBox(f).view()->isVisible());
    QCOMPARE(f.progress, start + 2);
    press(f, Qt::Key_PageUp);
    QCOMPARE(f.progress, start);
    clock.at(clock.now() + 1, [&] { press(f, Qt::Key(stopKey)); });
    press(f, Qt::Key_F5);
    QCOMPARE(f.progress, start + 2); // stopped after one minute
    QCOMPARE(Lesson::shownText(f.delay), delay);
    QCOMPARE(qs(f.delay.Text()), delay);
    QVERIFY(lesson.errors().isEmpty());
}

void KeysTest::f1ListsTheKeys() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    press(f, Qt::Key_F1);
    QMessageBox *note = lesson.window().findChild<QMessageBox *>();
    QVERIFY(note);
    QVERIFY(note->isVisible());
    for (const char *word : {"進む", "戻る", "自動", "停止", "初期画面", "表", "Page Down"})
        QVERIFY2(note->text().contains(QString::fromUtf8(word)), word);
    QCOMPARE(note->findChild<QPushButton *>()->text(), QStringLiteral("閉じる"));
    // Brought to the front by a click, the list still leaves the remote's keys to the lesson.
    note->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(note));
    press(f, Qt::Key_PageDown);
    press(f, Qt::Key_Escape);
    QCOMPARE(f.progress, rt::Integer(2));
    QVERIFY(note->isVisible());
    note->close();
}

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
