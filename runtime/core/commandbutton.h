#pragma once

#include "runtime/core/control.h"

namespace rt {

/// A push button in its own face colour.
class CommandButton final : public Control {
public:
    CommandButton(Form &form, const ControlDef &def, FontSpec font);

    const std::string &Caption() const { return caption_; }
    Colour BackColor() const { return back_; }
    void setBackColor(Colour c);
    /// A toggle button's state: the lesson presses the one chosen.
    bool Pressed() const { return pressed_; }
    void setPressed(bool on);

    ControlLook look() const override;

private:
    std::string caption_;
    Colour back_;
    Colour fore_;
    bool pressed_ = false;
};

} // namespace rt
