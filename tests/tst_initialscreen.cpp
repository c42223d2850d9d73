// The window as the program starts it, probed on what the pupil sees.

#include "lesson.h"
#include "probes.h"
#include "testclock.h"

#include "runtime/core/events.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStyleFactory>
#include <QTest>

namespace {

const QColor Board = bgr(0x008000);

// The caption the pupil reads on a button or check box.
QString caption(rt::Control &control) {
    return qobject_cast<QAbstractButton *>(&Lesson::widget(control))->text();
}

} // namespace

class InitialScreenTest : public QObject {
    Q_OBJECT

private slots:
    void stateAfterStart();
    void captions();
    void probes_data();
    void probes();
    void buttonColours_data();
    void buttonColours();
    void shortWindowHidesTable();
    void tallWindowHoldsTable();
    void resetGivesIdenticalImage();
};

void InitialScreenTest::stateAfterStart() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QCOMPARE(f.progress, rt::Integer(0));
    QVERIFY(!f.stopRequested);
    QCOMPARE(Lesson::shownText(f.time), QStringLiteral("0.00"));
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
    QCOMPARE(f.Height(), 7965);
    QCOMPARE(lesson.window().focusWidget(),
             &Lesson::widget(f.forward)); // not 終了: one Space would end the lesson
    for (rt::Integer i = 0; i <= 12; ++i) {
        QCOMPARE(f.scaleMarks(i).Y1(), 460.0f - 30 * i);
        QCOMPARE(f.scaleMarks(i).Y2(), f.scaleMarks(i).Y1());
        QVERIFY(f.scaleMarks(i).Visible());
        QCOMPARE(f.layers(i).Height(), 0.0f);
        QCOMPARE(f.layers(i).Top(), 460.0f);
        QVERIFY(f.layers(i).Visible());
    }
    QCOMPARE(f.stream.Height(), 0.0f);
    QCOMPARE(Lesson::shownText(f.delay), QStringLiteral("20"));
    QCOMPARE(f.frameDelay(), 20);
    auto *combo = qobject_cast<QComboBox *>(&Lesson::widget(f.delay));
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(f.delay.ListIndex(), rt::Integer(-1));
    QStringList entries;
    for (int i = 0; i < combo->count(); ++i)
        entries << combo->itemText(i);
    QCOMPARE(entries, (QStringList{" 1", " 5", "10", "20", "50", "100"}));
    QCOMPARE(f.hint.Value(), 0);
    QCOMPARE(f.table.Value(), 0);
    QVERIFY(lesson.errors().isEmpty());
}

void InitialScreenTest::captions() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    QCOMPARE(lesson.window().windowTitle(), QStringLiteral("量の変化と比例，反比例　　by Quorvel"));
    QCOMPARE(caption(f.run), QStringLiteral("自　動"));
    QCOMPARE(caption(f.stop), QStringLiteral("停止"));
    QCOMPARE(caption(f.initialScreen), QStringLiteral("初期画面"));
    QCOMPARE(caption(f.forward), QStringLiteral("進む"));
    QCOMPARE(caption(f.back), QStringLiteral("戻る"));
    QCOMPARE(caption(f.quit), QStringLiteral("終了"));
    QCOMPARE(caption(f.hint), QStringLiteral("Hint"));
    QCOMPARE(caption(f.table), QStringLiteral("表"));
    QCOMPARE(qs(f.control<rt::Label>("xHeading").Caption()), QStringLiteral("χ(分)"));
    QCOMPARE(qs(f.control<rt::Label>("yHeading").Caption()), QStringLiteral("ｙ（Ｌ）"));
    QCOMPARE(qs(f.control<rt::Label>("delayNote").Caption()), QStringLiteral("（１秒ごと）"));
    // The tab order starts at 終了 and runs through every windowed control.
    QWidget *const first = &Lesson::widget(f.quit);
    QWidget *w = first;
    QList<QWidget *> order;
    for (rt::Control *c :
         std::initializer_list<rt::Control *>{&f.run, &f.forward, &f.delay, &f.time, &f.back,
                                              &f.stop, &f.initialScreen, &f.table, &f.hint})
        order << &Lesson::widget(*c);
    for (QWidget *next : order) {
        w = w->nextInFocusChain();
        while (!order.contains(w) && w != first)
            w = w->nextInFocusChain(); // the combo box's inner line edit
        QCOMPARE(w, next);
    }
}

// The probes the browser suite also reads: what the pupil sees at start, short and with 表.
void InitialScreenTest::probes_data() {
    QTest::addColumn<bool>("tall");
    QTest::addColumn<QJsonObject>("probe");
    QFile file(QStringLiteral(SCENARIO_PATH));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonObject scenario = QJsonDocument::fromJson(file.readAll()).object();
    for (const char *window : {"short", "tall"}) {
        const QJsonObject probes = scenario[QLatin1String(window)].toObject();
        QVERIFY(!probes.isEmpty());
        for (const char *kind : {"pixels", "areas", "counts"}) {
            for (const QJsonValue &probe : probes[QLatin1String(kind)].toArray()) {
                const QString what = probe[QStringLiteral("what")].toString();
                QTest::addRow("%s: %s", window, qPrintable(what))
                    << (QLatin1String(window) == QLatin1String("tall")) << probe.toObject();
            }
        }
    }
}

void InitialScreenTest::probes() {
    QFETCH(bool, tall);
    QFETCH(QJsonObject, probe);
    Lesson lesson;
    if (tall) lesson->table.setValue(1);
    const QImage s = presented(lesson.window()); // what the screen shows
    const QColor colour(probe[QStringLiteral("colour")].toString());
    const QJsonArray at = probe[QStringLiteral("at")].toArray();
    const QJsonArray box = probe[QStringLiteral("rect")].toArray();
    if (!at.isEmpty()) {
        QCOMPARE(pixel(s, at[0].toInt(), at[1].toInt()), colour);
        return;
    }
    const QRect area(box[0].toInt(), box[1].toInt(), box[2].toInt(), box[3].toInt());
    if (!probe.contains(QStringLiteral("min")) && !probe.contains(QStringLiteral("max"))) {
        QVERIFY(!anyOtherThan(s, area, colour));
        return;
    }
    const int tolerance = probe[QStringLiteral("tolerance")].toInt(0);
    const int n = countNear(s, area, colour, tolerance);
    if (probe.contains(QStringLiteral("min")))
        QVERIFY2(n >= probe[QStringLiteral("min")].toInt(), qPrintable(QString::number(n)));
    if (probe.contains(QStringLiteral("max")))
        QVERIFY2(n <= probe[QStringLiteral("max")].toInt(), qPrintable(QString::number(n)));
}

void InitialScreenTest::buttonColours_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("dark");
    for (const QString &key : QStyleFactory::keys()) {
        QTest::newRow(qPrintable(key)) << key << false;
        QTest::newRow(qPrintable(key + QStringLiteral(" dark"))) << key << true;
    }
}

void InitialScreenTest::buttonColours() {
    QFETCH(QString, style);
    QFETCH(bool, dark);
    QApplication::setStyle(style);
    const QPalette themed = QApplication::palette();
    if (dark) {
        // A dark desktop theme: light text on dark faces.
        QPalette night(QColor(53, 53, 53));
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            night.setColor(role, QColor(240, 240, 240));
        night.setColor(QPalette::Base, QColor(35, 35, 35));
        QApplication::setPalette(night);
    }
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    const QImage s = presented(lesson.window());
    struct Probe {
        rt::Control *button;
        quint32 colour;
    };
    const Probe probes[] = {{&f.initialScreen, 0x80FFFF}, {&f.run, 0x0080FF},
                            {&f.stop, 0x80C0FF},          {&f.back, 0xFFFFC0},
                            {&f.forward, 0xFFFFC0},       {&f.quit, 0xFF8080}};
    for (const Probe &p : probes) {
        const QRect g = Lesson::widget(*p.button).geometry();
        QCOMPARE(pixel(s, g.left() + 3, g.center().y()), bgr(p.colour));
        QCOMPARE(pixel(s, g.right() - 3, g.top() + 3), bgr(p.colour));
    }
    // A disabled button's caption is greyed, an enabled one's is black.
    const QRect stop = Lesson::widget(f.stop).geometry().adjusted(3, 3, -3, -3);
    QVERIFY(countColour(s, stop, bgr(0x808080)) > 10);
    QCOMPARE(countColour(s, stop, bgr(0x000000)), 0);
    // Enabled captions are dark on every pale face, whatever the theme's button text.
    for (QWidget *button : {&Lesson::widget(f.run), &Lesson::widget(f.initialScreen),
                            &Lesson::widget(f.forward), &Lesson::widget(f.quit)}) {
        const QRect inside = button->geometry().adjusted(3, 3, -3, -3);
        QVERIFY2(countColour(s, inside, bgr(0x000000)) > 10, qPrintable(button->objectName()));
        QVERIFY2(countNear(s, inside, bgr(0xFFFFFF), 40) == 0, qPrintable(button->objectName()));
    }
    // Check boxes sit on the board in its green.
    const QRect hint = Lesson::widget(f.hint).geometry();
    const QRect table = Lesson::widget(f.table).geometry();
    QCOMPARE(pixel(s, hint.right() - 2, hint.top() + 2), Board);
    QCOMPARE(pixel(s, table.right() - 2, table.bottom() - 2), Board);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(themed);
}

void InitialScreenTest::shortWindowHidesTable() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    rt::qt::Window &window = lesson.window();
    QCOMPARE(window.height(), 506);
    QCOMPARE(window.width(), 810);
    // Every control lies inside the short window, the lowest ending at y 481.
    for (QWidget *w : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY(w->geometry().bottom() < 506);
    QCOMPARE(Lesson::widget(f.quit).geometry().bottom() + 1, 481);
}

void InitialScreenTest::tallWindowHoldsTable() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    QCOMPARE(f.Height(), 11070);
    QCOMPARE(lesson.window().height(), 713); // the table's probes are in probes()
}

void InitialScreenTest::resetGivesIdenticalImage() {
    TestClock clock;
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.table.setValue(1);
    rt::qt::Window &window = lesson.window();
    const QImage first = formPicture(window);
    rt::dispatch([&f] { f.resetScreen(); });
    QCOMPARE(formPicture(window), first);
    for (int i = 0; i < 3; ++i)
        Lesson::click(f.forward);
    QCOMPARE(f.progress, rt::Integer(6));
    QVERIFY(formPicture(window) != first);
    f.progress = 0;
    f.time.setText("0.00");
    rt::dispatch([&f] { f.resetScreen(); });
    QCOMPARE(formPicture(window), first);
    QCOMPARE(buttonStates(f), QStringLiteral("10101"));
    QVERIFY(lesson.errors().isEmpty());
}

QTEST_MAIN(InitialScreenTest)
#include "tst_initialscreen.moc"
