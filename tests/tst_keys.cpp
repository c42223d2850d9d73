// Keys of the keyboard and of presentation remotes do what a click on their control does,
// only when that control is enabled, and leave typing in the text boxes alone.

#include "lesson.h"
#include "testclock.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {

// The key pressed where the pupil's focus is, as a keyboard delivers it.
void press(Form1 &f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget *target = f.focusWidget() ? f.focusWidget() : &f;
    QTest::keyClick(target, key, modifiers);
}

} // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    void stepKeys_data();
    void stepKeys();
    void automaticAndStop_data();
    void automaticAndStop();
    void homeAndOptions();
    void disabledControlIgnoresItsKey();
    void typingGoesToTheBoxes();
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
    Form1 &f = lesson.form();
    press(f, Qt::Key(back)); // 戻る is disabled at minute 0
    QCOMPARE(f.Progress, rt::Integer(0));
    press(f, Qt::Key(forward));
    press(f, Qt::Key(forward));
    QCOMPARE(f.Progress, rt::Integer(4));
    press(f, Qt::Key(back));
    QCOMPARE(f.Progress, rt::Integer(2));
    QCOMPARE(f.Shape9(0).Height(), 30.0f);
    QCOMPARE(f.Shape9(1).Height(), 0.0f);
}

void KeysTest::automaticAndStop_data() {
    QTest::addColumn<int>("stopKey");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("B") << int(Qt::Key_B);
    QTest::newRow(".") << int(Qt::Key_Period);
}

void KeysTest::automaticAndStop() {
    QFETCH(int, stopKey);
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    press(f, Qt::Key(stopKey)); // 停止 is disabled at rest: nothing happens
    QCOMPARE(f.StopRequested, rt::Integer(0));
    clock.at(clock.now() + 1000, [&] { press(f, Qt::Key(stopKey)); });
    press(f, Qt::Key_F5);
    QCOMPARE(f.Progress, rt::Integer(4)); // stopped at the end of minute 2
    QCOMPARE(buttonStates(f), QStringLiteral("10111"));
}

void KeysTest::homeAndOptions() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    press(f, Qt::Key_H);
    QCOMPARE(f.Check1.Value(), 1);
    QCOMPARE(f.Shape9(0).BackColor(), rt::Colour(0x878700));
    press(f, Qt::Key_T);
    QCOMPARE(f.Height(), 11070);
    press(f, Qt::Key_PageDown);
    press(f, Qt::Key_Home);
    QCOMPARE(f.Progress, rt::Integer(0));
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(f.Check1.Value(), 1);
}

void KeysTest::disabledControlIgnoresItsKey() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    // During an automatic run 初期画面 and the step buttons are disabled: their keys too.
    clock.at(clock.now() + 500, [&] {
        press(f, Qt::Key_Home);
        press(f, Qt::Key_PageDown);
        press(f, Qt::Key_PageUp);
        press(f, Qt::Key_F5);
    });
    press(f, Qt::Key_F5);
    QCOMPARE(f.Progress, rt::Integer(24));
    for (rt::Integer k = 0; k < 12; ++k)
        QCOMPARE(f.Shape9(k).Height(), 30.0f * (k + 1));
    // The container is full: 進む is disabled, so are its keys.
    press(f, Qt::Key_PageDown);
    press(f, Qt::Key_Right);
    QCOMPARE(f.Progress, rt::Integer(24));
    QCOMPARE(f.Shape9(12).Height(), 0.0f);
    QVERIFY(lesson.errors().isEmpty());
}

void KeysTest::typingGoesToTheBoxes() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    f.Combo2.setFocus();
    f.Combo2.lineEdit()->selectAll();
    QTest::keyClicks(f.Combo2.lineEdit(), QStringLiteral("2.5"));
    QTest::keyClick(f.Combo2.lineEdit(), Qt::Key_Left);
    QTest::keyClick(f.Combo2.lineEdit(), Qt::Key_Home);
    QTest::keyClicks(f.Combo2.lineEdit(), QStringLiteral("bht"));
    QCOMPARE(f.Combo2.Text(), QStringLiteral("bht2.5"));
    QCOMPARE(f.Progress, rt::Integer(0));
    QCOMPARE(f.Check1.Value(), 0);
    QCOMPARE(f.Check2.Value(), 0);
    f.Text1.setFocus();
    f.Text1.selectAll();
    QTest::keyClicks(&f.Text1, QStringLiteral("h."));
    QTest::keyClick(&f.Text1, Qt::Key_PageDown);
    QCOMPARE(f.Text1.Text(), QStringLiteral("h."));
    QCOMPARE(f.Progress, rt::Integer(0));
    // Function keys still work from a text box.
    f.Combo2.setFocus();
    f.Combo2.setText(QStringLiteral("0"));
    QTest::keyClick(f.Combo2.lineEdit(), Qt::Key_F5);
    QCOMPARE(f.Progress, rt::Integer(24));
}

void KeysTest::f1ListsTheKeys() {
    Lesson lesson;
    Form1 &f = lesson.form();
    press(f, Qt::Key_F1);
    QMessageBox *note = f.findChild<QMessageBox *>();
    QVERIFY(note);
    QVERIFY(note->isVisible());
    for (const char *word : {"進む", "戻る", "自動", "停止", "初期画面", "表", "Page Down"})
        QVERIFY2(note->text().contains(QString::fromUtf8(word)), word);
    note->close();
}

QTEST_MAIN(KeysTest)
#include "tst_keys.moc"
