#include "lesson.h"

#include "runtime/events.h"

#include <QCheckBox>
#include <QTest>

Lesson::Lesson() {
    rt::setErrorReporter([this](const rt::RuntimeError &e) {
        errors_ << QStringLiteral("%1 %2").arg(e.number()).arg(e.description());
    });
    rt::dispatch([this] { form_.Form_Load(); });
    form_.show();
    form_.activateWindow();
    if (!QTest::qWaitForWindowActive(&form_)) qWarning("the lesson's window did not become active");
}

Lesson::~Lesson() {
    rt::setErrorReporter(nullptr);
}

void Lesson::click(QWidget &button) {
    // A check box reacts to its box and caption, not to the empty space right of them.
    const QPoint at = qobject_cast<QCheckBox *>(&button) ? QPoint(8, button.height() / 2)
                                                         : button.rect().center();
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, at);
}

QString buttonStates(Form1 &form) {
    auto on = [](const QWidget &w) { return w.isEnabled() ? QLatin1Char('1') : QLatin1Char('0'); };
    return QString() + on(form.Command2) + on(form.Command5) + on(form.Command4(0)) +
           on(form.Command4(1)) + on(form.Command6);
}
