// Starts the lesson as the program does, starts an action, and ends the program in the middle
// of it with 終了 or the window's close button; then reports what the pupil could have seen.
// Usage: exitprobe idle|auto|step|back [close|queued], queued: a click on 進む waits behind 終了

#include "lessons/proportion/proportionlesson.h"

#include "runtime/core/events.h"
#include "runtime/qt/window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <cstdio>

namespace {

// Counts paints of the window once the program is ending.
class PaintCounter : public QObject {
public:
    int afterEnd = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && rt::ending()) ++afterEnd;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QStringLiteral("idle");
    const QString how = argc > 2 ? QString::fromLatin1(argv[2]) : QString();

    ProportionLesson form;
    rt::qt::Window window(form);
    rt::dispatch([&form] { form.load(); });
    window.show();
    PaintCounter counter;
    window.installEventFilter(&counter);
    for (QWidget *child : window.findChildren<QWidget *>())
        child->installEventFilter(&counter);
    form.delay.setText("5");
    // The buttons' own widgets, clicked as a pupil's click reaches them.
    auto button = [&window](rt::Control &c) {
        return qobject_cast<QAbstractButton *>(window.widget(c));
    };

    QTimer::singleShot(0, &window, [&] {
        if (mode == QLatin1String("auto"))
            button(form.run)->click();
        else if (mode == QLatin1String("step"))
            button(form.forward)->click();
        else if (mode == QLatin1String("back")) {
            form.delay.setText("0");
            button(form.forward)->click();
            form.delay.setText("5");
            button(form.back)->click();
        }
    });
    QTimer::singleShot(100, &window, [&] {
        if (how == QLatin1String("queued"))
            QMetaObject::invokeMethod(button(form.forward), "click", Qt::QueuedConnection);
        if (how == QLatin1String("close"))
            window.close();
        else
            button(form.quit)->click();
    });
    const int status = app.exec();
    QApplication::processEvents();
    std::printf("progress %d\n", form.progress);
    std::printf("automatic %d\n", window.widget(form.run)->isEnabled() ? 1 : 0);
    std::printf("stream %.2f\n", double(form.stream.Height()));
    std::printf("visible %d\n", window.isVisible() ? 1 : 0);
    std::printf("paints-after-end %d\n", counter.afterEnd);
    return status;
}
