#pragma once

#include "runtime/core/control.h"

#include <QRect>

class QLineEdit;
class QWidget;

namespace rt::qt {

/// A toolkit widget that shows a windowed control: it renders the control's look, and reports
/// what the user does on it to the form. One class for each kind of control.
class ControlWidget {
public:
    virtual ~ControlWidget() = default;
    ControlWidget(const ControlWidget &) = delete;
    ControlWidget &operator=(const ControlWidget &) = delete;

    /// The widget for `control`, of its kind, as a child of `parent`, which owns it.
    static ControlWidget &make(Control &control, QWidget *parent);

    Control &control() const { return *control_; }
    virtual QWidget &widget() = 0;

    /// Shows the control's look; what the widget already shows stays untouched.
    void render();
    /// Hides the widget for good, its form no longer shown, and deletes it once the event it
    /// may be handling now is done. It reports and renders nothing from then on.
    void retire();
    /// Places the widget on `box` (pixels of the window) with its font at `scale`.
    virtual void place(const QRect &box, double scale);

protected:
    explicit ControlWidget(Control &control);

    /// Names the widget and its parts for tests and assistive technology; call once made.
    void introduce();
    /// Shows what this kind shows of `look`: its text, colours or value.
    virtual void showLook(const ControlLook &look) = 0;
    /// Shows `text` in a box's edit field. Figures typed in full width come back as ASCII, one
    /// character for one: the cursor stays where the pupil is typing.
    static void showText(QLineEdit &edit, const QString &text);
    /// The same, the cursor put back at `cursor` where the field had it before it was emptied.
    static void showText(QLineEdit &edit, const QString &text, int cursor);
    /// Gives a box the colours of `look`: its field and its text.
    static void showColours(QWidget &box, const ControlLook &look);
    /// Tells the form what the user did, then shows the control as the form has it, whatever
    /// the form made of it.
    void report(Input input);

private:
    Control *control_;
    bool retired_ = false;
};

} // namespace rt::qt
