// Run-time errors are reported and the program goes on, also when the failing handler runs
// while another handler's task waits.

#include "lesson.h"

#include "runtime/core/events.h"

#include "runtime/core/task.h"

#include <QTest>
#include <QTimer>

namespace {

// Five short pauses, then `finished`.
rt::Task pauseFiveTimes(bool &finished) {
    for (int i = 0; i < 5; ++i)
        co_await rt::Pause([] { return rt::Long(1); });
    finished = true;
}

} // namespace

class ErrorsTest : public QObject {
    Q_OBJECT

private slots:
    void errorInNestedHandlerIsReported();
    void unknownExceptionIsReported();
};

void ErrorsTest::errorInNestedHandlerIsReported() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    bool outerFinished = false;
    bool innerAfterError = false;
    // Hint's handler fails once, asking for a layer that does not exist.
    f.hint.setClickHandler([&] {
        f.layers(13).setHeight(1);
        innerAfterError = true;
    });
    f.initialScreen.setClickHandler([&] {
        QTimer::singleShot(0, &lesson.window(), [&] { Lesson::click(f.hint); });
        rt::start(pauseFiveTimes(outerFinished));
    });
    Lesson::click(f.initialScreen);
    QVERIFY(outerFinished);
    QVERIFY(!innerAfterError);
    QCOMPARE(lesson.errors().size(), 1);
    QVERIFY(lesson.errors().first().startsWith(QStringLiteral("9 ")));
    // The program goes on: a step still works afterwards.
    f.delay.setText("0");
    Lesson::click(f.forward);
    QCOMPARE(f.progress, rt::Integer(2));
}

void ErrorsTest::unknownExceptionIsReported() {
    Lesson lesson;
    ProportionLesson &f = lesson.form();
    f.initialScreen.setClickHandler([] { throw std::runtime_error("boom"); });
    Lesson::click(f.initialScreen);
    QCOMPARE(lesson.errors().size(), 1);
    QVERIFY(lesson.window().isVisible());
}

QTEST_MAIN(ErrorsTest)
#include "tst_errors.moc"
