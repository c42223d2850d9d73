#include "runtime/qt/keyboard.h"

#include "runtime/core/events.h"
#include "runtime/core/keynames.h"
#include "runtime/qt/window.h"

#include <QComboBox>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace rt::qt {

namespace {

// The toolkit's keys of each key the runtime tells apart, read from the runtime's names.
const QHash<int, Key> &toolkitKeys() {
    static const QHash<int, Key> keys = [] {
        QHash<int, Key> t;
        for (const KeyName &k : KeyNames)
            for (const QKeySequence &s : QKeySequence::listFromString(
                     QString::fromUtf8(k.desktop.data(), qsizetype(k.desktop.size())),
                     QKeySequence::PortableText))
                t.insert(s[0].key(), k.key);
        return t;
    }();
    return keys;
}

Key keyOf(int qtKey, const QString &text) {
    if (const auto k = toolkitKeys().constFind(qtKey); k != toolkitKeys().cend()) return *k;
    return !text.isEmpty() && text.at(0).isPrint() ? Key::Text : Key::None;
}

unsigned modifiersOf(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? Modifier::Shift : 0) |
           (m & Qt::ControlModifier ? Modifier::Control : 0) |
           (m & Qt::AltModifier ? Modifier::Alt : 0) | (m & Qt::MetaModifier ? Modifier::Meta : 0);
}

} // namespace

Pressed translate(const QKeyEvent &event) {
    if (event.matches(QKeySequence::ZoomIn)) return {Key::Plus, Modifier::Control};
    if (event.matches(QKeySequence::ZoomOut)) return {Key::Minus, Modifier::Control};
    return {keyOf(event.key(), event.text()), modifiersOf(event.modifiers())};
}

Keyboard::Keyboard(Window &window) : QObject(&window), window_(window) {}

void Keyboard::watch(QWidget &widget) {
    widget.installEventFilter(this);
    for (QWidget *child : widget.findChildren<QWidget *>())
        child->installEventFilter(this);
}

void Keyboard::unwatch(QWidget &widget) {
    widget.removeEventFilter(this);
    for (QWidget *child : widget.findChildren<QWidget *>())
        child->removeEventFilter(this);
}

FocusKind Keyboard::where(QWidget *focus) const {
    ControlWidget *shown = window_.controlWidgetOf(focus);
    if (!shown) return FocusKind::Board;
    if (auto *combo = qobject_cast<const QComboBox *>(&shown->widget());
        combo && combo->view()->isVisible())
        return FocusKind::OpenList;
    return shown->control().focusKind();
}

void Keyboard::focusOn(const QWidget *focus) {
    if (window_.switching()) return;
    // The user moved the focus, or the toolkit followed the form: the form tells apart.
    const ControlWidget *shown = window_.controlWidgetOf(focus);
    window_.form().input(Input(Input::Type::Focus, shown ? shown->control().handle() : -1));
}

bool Keyboard::pressed(QWidget *focus, const QKeyEvent &event) {
    Form &form = window_.form();
    const Pressed key = translate(event);
    const FocusKind at = where(focus);
    const KeyOutcome outcome = form.routeKey(key.key, key.modifiers, at, form.editing());
    switch (outcome) {
    case KeyOutcome::Toolkit:
    case KeyOutcome::Box:
        return false;
    case KeyOutcome::Ignore:
        return true;
    case KeyOutcome::ZoomIn:
        window_.zoomBy(1);
        return true;
    case KeyOutcome::ZoomOut:
        window_.zoomBy(-1);
        return true;
    case KeyOutcome::ZoomReset:
        window_.setZoom(1.0);
        return true;
    case KeyOutcome::FullScreen:
        window_.toggleFullScreen();
        return true;
    case KeyOutcome::Action:
        // The list closes before the action, which may animate for a while.
        if (at == FocusKind::OpenList)
            if (auto *combo = qobject_cast<QComboBox *>(&window_.controlWidgetOf(focus)->widget()))
                combo->hidePopup();
        break;
    case KeyOutcome::Click:
    case KeyOutcome::LeaveBox:
        break;
    }
    form.keyPressed(key.key, key.modifiers, at, form.editing());
    return true;
}

bool Keyboard::eventFilter(QObject *watched, QEvent *event) {
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w) return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        // A key goes to the widget with the focus in its window (the lesson's, the note, or
        // the list of a combo box) and may reach an ancestor after it, with the focus
        // unchanged, where it is routed the same way again.
        QWidget *focus = w->window()->focusWidget();
        if (focus) focusOn(focus);
        return pressed(window_.controlWidgetOf(w) ? w
                       : focus                    ? focus
                                                  : &window_,
                       static_cast<const QKeyEvent &>(*event));
    }
    case QEvent::FocusIn:
        focusOn(w);
        return false;
    default:
        return false;
    }
}

} // namespace rt::qt
