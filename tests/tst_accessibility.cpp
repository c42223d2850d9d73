// What a screen reader learns through Qt's accessibility interface.

#include "lesson.h"
#include "testclock.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

namespace {

QString accessible(QObject *o, QAccessible::Text t) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(t) : QString();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void namesAndDescriptions();
    void stateFollowsTheLesson();
};

void AccessibilityTest::namesAndDescriptions() {
    Lesson lesson;
    Form1 &f = lesson.form();
    const QList<QPair<QWidget *, QString>> names = {
        {&f.Command2, "自動"},       {&f.Command5, "停止"},
        {&f.Command4(0), "進む"},    {&f.Command4(1), "戻る"},
        {&f.Command6, "初期画面"},   {&f.Command1, "終了"},
        {&f.Check1, "ヒント"},       {&f.Check2, "表"},
        {&f.Text1, "経過時間 (分)"}, {f.Combo2.lineEdit(), "こま送りの間隔 (ミリ秒)"},
    };
    for (const auto &[widget, name] : names) {
        QCOMPARE(accessible(widget, QAccessible::Name), name);
        QVERIFY2(!accessible(widget, QAccessible::Description).isEmpty(), qPrintable(name));
    }
    QVERIFY(accessible(&f.Combo2, QAccessible::Description).contains(QStringLiteral("ミリ秒")));
    QCOMPARE(accessible(&f, QAccessible::Name), f.windowTitle());
}

void AccessibilityTest::stateFollowsTheLesson() {
    TestClock clock;
    Lesson lesson;
    Form1 &f = lesson.form();
    QCOMPARE(accessible(&f, QAccessible::Description), QStringLiteral("0 分後、水は 0 L"));
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(0));
    Lesson::click(f.Command4(0));
    QCOMPARE(accessible(&f, QAccessible::Description), QStringLiteral("3 分後、水は 15 L"));
    Lesson::click(f.Command4(1));
    QCOMPARE(accessible(&f, QAccessible::Description), QStringLiteral("2 分後、水は 10 L"));
    // Every completed minute of an automatic run is told.
    QStringList told;
    clock.onWait([&] {
        const QString now = accessible(&f, QAccessible::Description);
        if (told.isEmpty() || told.last() != now) told << now;
    });
    Lesson::click(f.Command2);
    QCOMPARE(told.size(), 10);
    QCOMPARE(told.last(), QStringLiteral("11 分後、水は 55 L"));
    QCOMPARE(accessible(&f, QAccessible::Description), QStringLiteral("12 分後、水は 60 L"));
    Lesson::click(f.Command6);
    QCOMPARE(accessible(&f, QAccessible::Description), QStringLiteral("0 分後、水は 0 L"));
}

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
