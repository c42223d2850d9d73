#include "lesson.h"

#include "runtime/core/clock.h"
#include "runtime/core/events.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTest>

Lesson::Lesson() : Lesson({}, nullptr) {}

Lesson::Lesson(std::string_view first, std::unique_ptr<QSettings> settings) : lessons_(first) {
    rt::setErrorReporter([this](const rt::RuntimeError &e) {
        errors_ << QStringLiteral("%1 %2").arg(e.number()).arg(qs(e.description()));
    });
    rt::setBackendClock(&settling_);
    lessons_.load();
    if (settings) window_.rememberPlaceIn(std::move(settings));
    window_.show();
    window_.activateWindow();
    if (!QTest::qWaitForWindowActive(&window_))
        qWarning("the lesson's window did not become active");
}

rt::qt::Window &Lesson::inverseWindow() {
    lessons_.show(lessons_.inverse());
    return window_;
}

rt::qt::Window &Lesson::proportionWindow() {
    lessons_.show(lessons_.proportion());
    return window_;
}

Lesson::~Lesson() {
    rt::setBackendClock(nullptr);
    rt::setErrorReporter(nullptr);
    if (errors_.size() > errorsSeen_)
        QTest::qFail(qPrintable(QStringLiteral("run-time errors no test looked at: ") +
                                errors_.mid(errorsSeen_).join(QStringLiteral("; "))),
                     __FILE__, __LINE__);
}

void Lesson::click(QWidget &button) {
    // A check box reacts to its box and caption, not to the empty space right of them.
    const QPoint at = qobject_cast<QCheckBox *>(&button) ? QPoint(8, button.height() / 2)
                                                         : button.rect().center();
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, at);
}

void Lesson::click(rt::Control &control) {
    click(widget(control));
}

void Lesson::typeInto(rt::Control &box, const QString &text) {
    QWidget &w = widget(box);
    auto *combo = qobject_cast<QComboBox *>(&w);
    QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(&w);
    if (!edit) qFatal("%s is no box", box.Name().c_str());
    click(*edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

QWidget &Lesson::widget(rt::Control &control) {
    auto *window = dynamic_cast<rt::qt::Window *>(control.form().view());
    QWidget *w = window ? window->widget(control) : nullptr;
    if (!w) qFatal("%s is shown in no window", control.Name().c_str());
    return *w;
}

QString Lesson::shownText(rt::Control &control) {
    QWidget &w = widget(control);
    if (auto *combo = qobject_cast<QComboBox *>(&w)) return combo->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(&w)) return edit->text();
    qFatal("%s shows no text", control.Name().c_str());
}

QString buttonStates(ProportionLesson &form) {
    // What the pupil sees: the widgets' state, which must follow the lesson's.
    auto on = [](rt::Control &c) {
        return Lesson::widget(c).isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    };
    return QString() + on(form.run) + on(form.stop) + on(form.forward) + on(form.back) +
           on(form.initialScreen);
}

QString restProblem(ProportionLesson &f) {
    const int p = f.progress;
    if (p < 0 || p > 24 || p % 2 != 0) return QStringLiteral("progress %1").arg(p);
    for (rt::Integer k = 0; k <= 12; ++k) {
        const bool full = k < p / 2;
        const float top = full ? 430.0f - 30.0f * k : 460.0f;
        const float height = full ? 30.0f * (k + 1) : 0.0f;
        if (f.layers(k).Top() != top || f.layers(k).Height() != height)
            return QStringLiteral("layer %1 at %2 high %3 with progress %4")
                .arg(k)
                .arg(f.layers(k).Top())
                .arg(f.layers(k).Height())
                .arg(p);
    }
    // The graph: a point for every minute shown, joined from the origin, and the formula once
    // all twelve are plotted.
    for (rt::Integer k = 1; k <= 12; ++k) {
        const rt::Shape &point = f.points(k);
        const bool plotted = k <= p / 2;
        if (point.Visible() != plotted ||
            (plotted && (point.Left() != 856.0f + 25 * k || point.Top() != 456.0f - 30 * k)))
            return QStringLiteral("graph point %1 %2 at (%3, %4) with progress %5")
                .arg(k)
                .arg(point.Visible() ? "shown" : "hidden")
                .arg(point.Left())
                .arg(point.Top())
                .arg(p);
        const rt::Line &segment = f.segments(rt::Integer(k - 1));
        // Each segment runs from the point before (the origin for the first) to its own.
        if (segment.Visible() != plotted ||
            (plotted &&
             (segment.X1() != 860.0f + 25 * (k - 1) || segment.Y1() != 460.0f - 30 * (k - 1) ||
              segment.X2() != 860.0f + 25 * k || segment.Y2() != 460.0f - 30 * k)))
            return QStringLiteral("graph segment %1 with progress %2").arg(k).arg(p);
    }
    if (f.formula.Visible() != (p == 24))
        return QStringLiteral("the formula is %1 at progress %2")
            .arg(f.formula.Visible() ? "shown" : "hidden")
            .arg(p);
    if (f.Width() != (f.graph.Value() == 1 ? 18345 : 12270))
        return QStringLiteral("window %1 twips wide with グラフ %2")
            .arg(f.Width())
            .arg(f.graph.Value());
    if (f.stream.Height() != 0.0f && f.stream.Height() != 1.0f)
        return QStringLiteral("stream %1 high").arg(f.stream.Height());
    const QString rest = p == 0 ? "10101" : p == 24 ? "10011" : "10111";
    if (buttonStates(f) != rest)
        return QStringLiteral("buttons %1 at progress %2").arg(buttonStates(f)).arg(p);
    return {};
}
