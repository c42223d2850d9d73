// The window on a real X server (Xvfb): what the window system shows, not only what the
// widgets paint.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

class RealWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void showsTheInitialScreen();
    void stepShowsOnScreen();
    void japaneseFont();
};

void RealWindowTest::initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
}

void RealWindowTest::showsTheInitialScreen() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::qt::Window &w = lesson.window();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), &Lesson::widget(f.forward));
    QTRY_COMPARE(w.windowHandle()->height(), 506);
    const QImage s = presented(w);
    // The focus shows as a yellow ring on the board around its control; Tab moves it on.
    const QColor ring(255, 255, 0);
    const QRect forward = Lesson::widget(f.forward).geometry();
    const QRect delay = Lesson::widget(f.delay).geometry();
    QCOMPARE(pixel(s, forward.left() - 5, forward.center().y()), ring);
    QCOMPARE(pixel(s, forward.center().x(), forward.bottom() + 5), ring);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QImage tabbed = presented(w);
    QCOMPARE(pixel(tabbed, forward.left() - 5, forward.center().y()), bgr(0x008000));
    QCOMPARE(pixel(tabbed, delay.right() + 5, delay.center().y()), ring);
    QCOMPARE(s.height(), 506);
    QCOMPARE(pixel(s, 152, 300), bgr(0x80C0FF));
    QCOMPARE(pixel(s, 300, 300), bgr(0x008000));
    const QRect automatic = Lesson::widget(f.run).geometry();
    QCOMPARE(pixel(s, automatic.left() + 3, automatic.center().y()), bgr(0x0080FF));
    f.table.setValue(1);
    QTRY_COMPARE(w.windowHandle()->height(), 713);
    QVERIFY(countColour(presented(w), QRect(130, 560, 30, 30), bgr(0xFFFFFF)) > 20);
}

void RealWindowTest::stepShowsOnScreen() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QVERIFY(QTest::qWaitForWindowExposed(&lesson.window()));
    Lesson::click(f.forward);
    QCOMPARE(pixel(presented(lesson.window()), 300, 445), bgr(0xFFFF00));
}

void RealWindowTest::japaneseFont() {
    Lesson lesson;
    const QFont font = Lesson::widget(lesson->run).font();
    const QFontInfo info(font);
    QVERIFY2(QStringList({"IPAPGothic", "Noto Sans CJK JP", "IPAGothic"}).contains(info.family()),
             qPrintable(info.family()));
    QVERIFY(QFontMetrics(font).inFont(QChar(u'動')));
}

QTEST_MAIN(RealWindowTest)
#include "tst_realwindow.moc"
