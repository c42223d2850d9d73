#pragma once

#include "runtime/core/input.h"

#include <QObject>

class QKeyEvent;
class QWidget;

namespace rt::qt {

class Window;

/// A key as the runtime knows it.
struct Pressed {
    Key key = Key::None;
    unsigned modifiers = 0;
    friend bool operator==(const Pressed &, const Pressed &) = default;
};

/// The toolkit's key in the runtime's terms; the platform's zoom sequences are Ctrl + "+" and
/// Ctrl + "-" whatever keys make them.
Pressed translate(const QKeyEvent &event);

/// The window's keyboard: it turns the toolkit's keys and focus moves into the runtime's
/// terms and carries out the answers that are the front end's. Which key does what, and where
/// the focus goes, the form decides.
class Keyboard : public QObject {
    Q_OBJECT

public:
    explicit Keyboard(Window &window);

    /// Watches the keys and focus of `widget` and of every widget inside it.
    void watch(QWidget &widget);
    /// Stops watching `widget` and every widget inside it.
    void unwatch(QWidget &widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Whether the key pressed with the focus on `focus` is taken from the toolkit. A window
    /// that is not active hears of no focus moving within it: the key tells the form first.
    bool pressed(QWidget *focus, const QKeyEvent &event);
    FocusKind where(QWidget *focus) const;
    /// Tells the form that `focus`, a control's widget or anything else, has the focus.
    void focusOn(const QWidget *focus);

    Window &window_;
};

} // namespace rt::qt
