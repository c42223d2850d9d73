// What a screen reader learns through Qt's accessibility interface.

#include "lesson.h"
#include "testclock.h"

#include "lessons/shared/design.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QTest>

namespace {

QString accessible(QObject *o, QAccessible::Text t) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(t) : QString();
}

// Counts the changes of the enabled state of the objects it watches: each one is an event
// that assistive technology hears.
class EnabledChanges : public QObject {
    Q_OBJECT

public:
    int of(QObject *o) const { return counts_.value(o); }

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() == QEvent::EnabledChange) ++counts_[o];
        return false;
    }

private:
    QMap<QObject *, int> counts_;
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void namesAndDescriptions_data();
    void namesAndDescriptions();
    void stateFollowsTheLesson();
    void runKeepsStepButtonsSteady();
    void chosenRateIsPressed_data();
    void chosenRateIsPressed();
    void delayBoxExpandedOnlyWhileOpen_data();
    void delayBoxExpandedOnlyWhileOpen();
    void descriptionTellsTheLessonShown_data();
    void descriptionTellsTheLessonShown();
};

void AccessibilityTest::namesAndDescriptions_data() {
    QTest::addColumn<bool>("inverse");
    // What グラフ and 初期画面 are said to do in the lesson.
    QTest::addColumn<QString>("graph");
    QTest::addColumn<QString>("reset");
    QTest::newRow("proportion") << false << "水の高さと並べて"
                                << "時間は 0 分に";
    QTest::newRow("inverse proportion") << true << "いっぱいになるまでの時間 (y)"
                                        << "1 分間に入れる水は 5 L に";
}

void AccessibilityTest::namesAndDescriptions() {
    QFETCH(bool, inverse);
    QFETCH(QString, graph);
    QFETCH(QString, reset);
    Lesson lesson;
    rt::Form &f = inverse ? static_cast<rt::Form &>(lesson.inverse()) : lesson.form();
    rt::qt::Window &w = inverse ? lesson.inverseWindow() : lesson.window();
    QCOMPARE(QAccessible::queryAccessibleInterface(&w)->role(), QAccessible::Window);
    QCOMPARE(accessible(&w, QAccessible::Name), w.windowTitle());
    QCOMPARE(w.windowTitle(), qs(f.Caption()));
    // A name holds what the pupil sees on the control, spaced as it is: "自　動".
    for (QAbstractButton *b : w.findChildren<QAbstractButton *>()) {
        const QString caption = b->text();
        QVERIFY2(accessible(b, QAccessible::Name).contains(caption), qPrintable(caption));
        QVERIFY2(!accessible(b, QAccessible::Description).isEmpty(), qPrintable(caption));
    }
    // The boxes say what they are, not what they hold.
    QWidget *combo = &Lesson::widget(f.control<rt::Control>("delay"));
    for (QWidget *box : {&Lesson::widget(f.control<rt::Control>("time")), combo}) {
        QVERIFY(!accessible(box, QAccessible::Description).isEmpty());
        QCOMPARE(accessible(box, QAccessible::Name), box->accessibleName());
    }
    QVERIFY(accessible(combo, QAccessible::Name).contains(QStringLiteral("ミリ秒")));
    QCOMPARE(accessible(combo, QAccessible::Value), QStringLiteral("20"));
    const QString graphSays =
        accessible(&Lesson::widget(f.control<rt::Control>("graph")), QAccessible::Description);
    const QString resetSays = accessible(&Lesson::widget(f.control<rt::Control>("initialScreen")),
                                         QAccessible::Description);
    QVERIFY2(graphSays.contains(graph), qPrintable(graphSays));
    QVERIFY2(resetSays.contains(reset), qPrintable(resetSays));
}

void AccessibilityTest::stateFollowsTheLesson() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    auto told = [&lesson] { return accessible(&lesson.window(), QAccessible::Description); };
    QCOMPARE(told(), QStringLiteral("0 分後、水は 0 L。表: 0 分 0 L"));
    Lesson::click(f.forward);
    Lesson::click(f.forward);
    Lesson::click(f.forward);
    Lesson::click(f.back);
    QCOMPARE(told(), QStringLiteral("2 分後、水は 10 L。表: 0 分 0 L、1 分 5 L、2 分 10 L"));
    // Every completed minute of an automatic run is told, the minute it stopped at too.
    QStringList heard;
    clock.onWait([&] {
        if (heard.isEmpty() || heard.last() != told()) heard << told();
    });
    clock.at(clock.now() + 2000, [&] { Lesson::click(f.stop); });
    Lesson::click(f.run);
    QCOMPARE(heard.size(), 3);
    QCOMPARE(told(), QStringLiteral("5 分後、水は 25 L。表: 0 分 0 L、1 分 5 L、2 分 10 L、"
                                    "3 分 15 L、4 分 20 L、5 分 25 L"));
    Lesson::click(f.initialScreen);
    QCOMPARE(told(), QStringLiteral("0 分後、水は 0 L。表: 0 分 0 L"));
    // With the graph open its points are told too, and the formula once the line is complete.
    Lesson::click(f.graph);
    QCOMPARE(told(), QStringLiteral("0 分後、水は 0 L。表: 0 分 0 L。グラフの点: (0, 0)"));
    Lesson::click(f.run);
    QVERIFY2(told().endsWith(QStringLiteral("(11, 55)、(12, 60)。y = 5 × x")), qPrintable(told()));
}

void AccessibilityTest::runKeepsStepButtonsSteady() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    Lesson::click(f.forward);
    EnabledChanges changes;
    QWidget &forward = Lesson::widget(f.forward);
    QWidget &back = Lesson::widget(f.back);
    forward.installEventFilter(&changes);
    back.installEventFilter(&changes);
    Lesson::click(f.run);
    QCOMPARE(f.progress, rt::Integer(24));
    // Off when the run starts, 戻る on again when it ends: no flicker at every minute.
    QCOMPARE(changes.of(&forward), 1);
    QCOMPARE(changes.of(&back), 2);
}

void AccessibilityTest::chosenRateIsPressed_data() {
    // "rate N" clicks a rate button, "key K" presses a key, "press N" is a screen reader's
    // action on a rate button.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("rate");
    QTest::newRow("at the start") << QStringList() << 5;
    QTest::newRow("a click on 2") << QStringList{"rate 2"} << 2;
    QTest::newRow("a click on the chosen rate") << QStringList{"rate 5"} << 5;
    QTest::newRow("twice on 12") << QStringList{"rate 12", "rate 12"} << 12;
    QTest::newRow("key 3") << QStringList{"key 3"} << 3;
    QTest::newRow("key 1, then up") << QStringList{"key 1", "key Up"} << 2;
    QTest::newRow("10, then 初期画面") << QStringList{"rate 10", "key Home"} << 5;
    QTest::newRow("a screen reader presses 4") << QStringList{"press 4"} << 4;
    QTest::newRow("a screen reader presses the chosen rate") << QStringList{"press 5"} << 5;
}

// A screen reader hears the rate buttons as toggles, the chosen one pressed: not its colour
// alone. The lesson decides, and a click on the chosen rate leaves it chosen.
void AccessibilityTest::chosenRateIsPressed() {
    QFETCH(QStringList, steps);
    QFETCH(int, rate);
    Lesson lesson;
    rt::qt::Window &w = lesson.inverseWindow();
    InverseLesson &f = lesson.inverse();
    const QMap<QString, Qt::Key> keys = {
        {"1", Qt::Key_1}, {"3", Qt::Key_3}, {"Up", Qt::Key_Up}, {"Home", Qt::Key_Home}};
    for (const QString &step : steps) {
        const QString what = step.section(' ', 1);
        auto button = [&]() -> rt::Control & {
            return f.rates(rt::Integer(design::inverse::index(what.toInt())));
        };
        if (step.startsWith("rate")) {
            Lesson::click(button());
        } else if (step.startsWith("press")) {
            QAccessibleActionInterface *act =
                QAccessible::queryAccessibleInterface(&Lesson::widget(button()))->actionInterface();
            QVERIFY(act);
            // Pressed, not toggled behind the lesson's back.
            QVERIFY(!act->actionNames().contains(QAccessibleActionInterface::toggleAction()));
            act->doAction(QAccessibleActionInterface::pressAction());
        } else {
            QTest::keyClick(&w, keys.value(what));
        }
    }
    QStringList pressed;
    for (rt::Integer i = 0; i < design::inverse::RateCount; ++i) {
        auto *b = qobject_cast<QAbstractButton *>(&Lesson::widget(f.rates(i)));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(b);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY2(iface->state().checkable, qPrintable(b->text()));
        if (iface->state().checked) pressed << iface->text(QAccessible::Name);
    }
    QCOMPARE(pressed, QStringList{QStringLiteral("毎分 %1 L").arg(rate)});
}

// The delay box is told as expanded while its list shows, and only then, however the list
// opens and closes.
void AccessibilityTest::delayBoxExpandedOnlyWhileOpen_data() {
    QTest::addColumn<bool>("inverse");
    QTest::addColumn<int>("closeKey");
    QTest::newRow("Enter picks") << false << int(Qt::Key_Return);
    QTest::newRow("Esc, the remote's 停止") << false << int(Qt::Key_Escape);
    QTest::newRow("the second lesson, Enter") << true << int(Qt::Key_Return);
}

void AccessibilityTest::delayBoxExpandedOnlyWhileOpen() {
    QFETCH(bool, inverse);
    QFETCH(int, closeKey);
    TestClock clock;
    Lesson lesson;
    rt::Form &f = inverse ? static_cast<rt::Form &>(lesson.inverse()) : lesson.form();
    if (inverse) lesson.inverseWindow();
    auto &combo = *qobject_cast<QComboBox *>(&Lesson::widget(f.control<rt::Control>("delay")));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&combo);
    QVERIFY(iface);
    QVERIFY(iface->state().expandable);
    QVERIFY(!iface->state().expanded);
    Lesson::click(*combo.lineEdit());
    QVERIFY(!iface->state().expanded);
    QTest::keyClick(combo.lineEdit(), Qt::Key_Down, Qt::AltModifier);
    QVERIFY(combo.view()->isVisible());
    QVERIFY(iface->state().expanded);
    QWidget *popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup->focusWidget() : static_cast<QWidget *>(combo.view()),
                    Qt::Key(closeKey));
    QVERIFY(!combo.view()->isVisible());
    QVERIFY(!iface->state().expanded);
    QVERIFY(lesson.errors().isEmpty());
}

// After each switch the window's description tells the lesson it shows, never the other's.
void AccessibilityTest::descriptionTellsTheLessonShown_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("F2") << true;
    QTest::newRow("the buttons") << false;
}

void AccessibilityTest::descriptionTellsTheLessonShown() {
    QFETCH(bool, byKey);
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f1 = lesson.form();
    InverseLesson &f2 = lesson.inverse();
    rt::qt::Window &w = lesson.window();
    auto told = [&w] { return accessible(&w, QAccessible::Description); };
    auto toSecond = [&] { byKey ? QTest::keyClick(&w, Qt::Key_F2) : Lesson::click(f1.toInverse); };
    // F2 goes on through the third lesson.
    auto toFirst = [&] {
        if (!byKey) return Lesson::click(f2.toProportion);
        QTest::keyClick(&w, Qt::Key_F2);
        QCOMPARE(&lesson.lessons().shown(), static_cast<rt::Form *>(&lesson.lessons().constant()));
        QTest::keyClick(&w, Qt::Key_F2);
    };
    Lesson::click(f1.forward);
    const QString first = QStringLiteral("1 分後、水は 5 L。表: 0 分 0 L、1 分 5 L");
    QCOMPARE(told(), first);
    toSecond();
    QCOMPARE(&lesson.lessons().shown(), static_cast<rt::Form *>(&f2));
    QCOMPARE(told(), QStringLiteral("毎分 5 L。0 分後、水は 0 L。表: まだありません"));
    Lesson::click(f2.rates(rt::Integer(6)));
    const QString second = QStringLiteral("毎分 10 L。0 分後、水は 0 L。表: まだありません");
    QCOMPARE(told(), second);
    toFirst();
    QCOMPARE(told(), first);
    toSecond();
    QCOMPARE(told(), second);
    QVERIFY(lesson.errors().isEmpty());
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
