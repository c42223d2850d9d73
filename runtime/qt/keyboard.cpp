#include "runtime/qt/keyboard.h"

#include "runtime/core/events.h"
#include "runtime/qt/window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QWidget>

namespace rt::qt {

namespace {

Key keyOf(int qtKey, const QString &text) {
    switch (qtKey) {
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Key::Tab;
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Delete:
        return Key::Delete;
    case Qt::Key_F1:
        return Key::F1;
    case Qt::Key_F2:
        return Key::F2;
    case Qt::Key_F5:
        return Key::F5;
    case Qt::Key_F11:
        return Key::F11;
    case Qt::Key_Period:
        return Key::Period;
    case Qt::Key_Plus:
        return Key::Plus;
    case Qt::Key_Equal:
        return Key::Equal;
    case Qt::Key_Minus:
        return Key::Minus;
    case Qt::Key_0:
        return Key::Zero;
    case Qt::Key_B:
        return Key::B;
    case Qt::Key_G:
        return Key::G;
    case Qt::Key_H:
        return Key::H;
    case Qt::Key_T:
        return Key::T;
    case Qt::Key_1:
        return Key::One;
    case Qt::Key_2:
        return Key::Two;
    case Qt::Key_3:
        return Key::Three;
    case Qt::Key_4:
        return Key::Four;
    case Qt::Key_5:
        return Key::Five;
    case Qt::Key_6:
        return Key::Six;
    default:
        return !text.isEmpty() && text.at(0).isPrint() ? Key::Text : Key::None;
    }
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
