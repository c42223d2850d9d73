#pragma once

#include "runtime/core/formdefinition.h"
#include "runtime/core/geometry.h"
#include "runtime/core/input.h"
#include "runtime/core/painter.h"

#include <functional>
#include <string>
#include <vector>

namespace rt {

class Form;

/// What a windowed control shows at a moment: everything a front end renders but its kind,
/// place, font and list, which stay as defined.
struct ControlLook {
    std::string text; // a button's or check box's caption; a box's text
    Colour back = 0;
    Colour fore = 0;
    int value = 0; // a check box: 1 checked, 0 not; a combo box: the entry chosen, or -1
    bool enabled = true;
    bool visible = true;
    bool focused = false;
    bool pressed = false; // a toggle button: the choice it stands for is the one made
    friend bool operator==(const ControlLook &, const ControlLook &) = default;
};

/// A windowed control: a front end shows it as a real control of its toolkit above the board,
/// rendered from its look, and reports the user's input on it to the form.
class Control {
public:
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    /// The form the control belongs to.
    Form &form() const { return *form_; }
    const std::string &Name() const { return name_; }
    Integer Index() const { return index_; }
    ControlKind kind() const { return kind_; }
    /// Its place in the form's controls, which are in tab order: how input names it.
    int handle() const { return handle_; }
    /// Where it stands, in form pixels.
    const RectF &box() const { return box_; }
    const FontSpec &font() const { return font_; }
    int tabIndex() const { return tabIndex_; }
    bool startFocus() const { return startFocus_; }
    const std::string &accessibleName() const { return accessibleName_; }
    const std::string &description() const { return description_; }
    /// The label heading the controls it belongs with, or empty; their heading's text.
    const std::string &group() const { return group_; }
    std::string groupHeading() const;
    /// Whether it shows a pressed state that only the program changes.
    bool toggle() const { return toggle_; }
    /// The entries of its list: a combo box's, else none.
    virtual const std::vector<std::string> &entries() const;
    /// What keys take it for when it has the focus.
    FocusKind focusKind() const;

    /// What it shows now.
    virtual ControlLook look() const = 0;

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool Visible() const { return visible_; }
    void setVisible(bool on);
    /// Whether the keyboard focus can rest on it.
    bool canTakeFocus() const { return enabled_ && visible_; }

    /// The handler run on each click.
    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

    /// What a click of the user, or a key bound to the control, does; nothing while the
    /// control is disabled or hidden, as for a pupil.
    virtual void click();
    /// The user set a check box's value.
    virtual void userChecked(int value);
    /// The user typed into a box: `text` is all it holds now.
    virtual void userTyped(const std::string &text);
    /// The user chose an entry of a list.
    virtual void userChose(Integer index);

protected:
    Control(Form &form, const ControlDef &def, FontSpec font);

    /// Tells the front end that the control's look changed.
    void notify();
    /// Runs the click handler through the dispatcher, then unwinds if it ended the program.
    void runClickHandler() const;

private:
    friend class Form;
    Form *form_;
    std::string name_;
    Integer index_;
    ControlKind kind_;
    int handle_ = -1;
    RectF box_;
    FontSpec font_;
    int tabIndex_;
    bool startFocus_;
    std::string accessibleName_;
    std::string description_;
    std::string group_;
    bool toggle_;
    bool enabled_ = true;
    bool visible_ = true;
    std::function<void()> onClick_;
};

} // namespace rt
