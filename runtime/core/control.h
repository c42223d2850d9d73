#pragma once

#include "runtime/core/formdefinition.h"
#include "runtime/core/geometry.h"
#include "runtime/core/painter.h"

#include <functional>
#include <string>

namespace rt {

class Form;

/// A windowed control: the backend shows it as a real control of its toolkit above the board,
/// and reports the user's input back to it.
class Control {
public:
    virtual ~Control() = default;
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    /// What a backend refreshes after a change.
    enum class Change { Enabled, Visible, Value, Text, Colours };

    /// The form the control belongs to.
    Form &form() const { return *form_; }
    const std::string &Name() const { return name_; }
    Integer Index() const { return index_; }
    ControlKind kind() const { return kind_; }
    /// Where it stands, in form pixels.
    const RectF &box() const { return box_; }
    const FontSpec &font() const { return font_; }
    int tabIndex() const { return tabIndex_; }
    bool startFocus() const { return startFocus_; }
    const std::string &accessibleName() const { return accessibleName_; }
    const std::string &description() const { return description_; }

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool Visible() const { return visible_; }
    void setVisible(bool on);

    /// The handler run on each click.
    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

    /// What a click of the user, or a key bound to the control, does; nothing while the
    /// control is disabled or hidden, as for a pupil.
    virtual void click();

protected:
    Control(Form &form, const ControlDef &def, FontSpec font);

    /// Tells the backend about a change.
    void notify(Change what);
    /// Runs the click handler through the dispatcher, then unwinds if it ended the program.
    void runClickHandler() const;

private:
    Form *form_;
    std::string name_;
    Integer index_;
    ControlKind kind_;
    RectF box_;
    FontSpec font_;
    int tabIndex_;
    bool startFocus_;
    std::string accessibleName_;
    std::string description_;
    bool enabled_ = true;
    bool visible_ = true;
    std::function<void()> onClick_;
};

} // namespace rt
