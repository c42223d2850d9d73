// Starts the lesson as the program does, starts an action, and ends the program in the middle
// of it with 終了 or the window's close button; then reports what the pupil could have seen.
// Usage: exitprobe idle|auto|step|back [close|queued], queued: a click on 進む waits behind 終了

#include "app/form1.h"

#include "runtime/events.h"

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

    Form1 form;
    rt::dispatch([&form] { form.Form_Load(); });
    form.show();
    PaintCounter counter;
    form.installEventFilter(&counter);
    for (QWidget *child : form.findChildren<QWidget *>())
        child->installEventFilter(&counter);
    form.Combo2.setText(QStringLiteral("5"));

    QTimer::singleShot(0, &form, [&] {
        if (mode == QLatin1String("auto"))
            form.Command2.click();
        else if (mode == QLatin1String("step"))
            form.Command4(0).click();
        else if (mode == QLatin1String("back")) {
            form.Combo2.setText(QStringLiteral("0"));
            form.Command4(0).click();
            form.Combo2.setText(QStringLiteral("5"));
            form.Command4(1).click();
        }
    });
    QTimer::singleShot(100, &form, [&] {
        if (how == QLatin1String("queued"))
            QMetaObject::invokeMethod(&form.Command4(0), "click", Qt::QueuedConnection);
        if (how == QLatin1String("close"))
            form.close();
        else
            form.Command1.click();
    });
    const int status = app.exec();
    QApplication::processEvents();
    std::printf("progress %d\n", form.Progress);
    std::printf("automatic %d\n", form.Command2.isEnabled() ? 1 : 0);
    std::printf("stream %.2f\n", double(form.Shape11.Height()));
    std::printf("visible %d\n", form.isVisible() ? 1 : 0);
    std::printf("paints-after-end %d\n", counter.afterEnd);
    return status;
}
