#pragma once

#include "runtime/core/control.h"

namespace rt {

/// A check box on the board's colours; its click handler runs on every change of its value,
/// by the user or by code.
class CheckBox final : public Control {
public:
    CheckBox(Form &form, const ControlDef &def, FontSpec font);

    const std::string &Caption() const { return caption_; }
    Colour BackColor() const { return back_; }
    Colour ForeColor() const { return fore_; }

    /// 0 unchecked, 1 checked.
    int Value() const { return value_; }
    /// Sets the value; a different value runs the click handler before this returns.
    void setValue(int value);

    /// A click toggles the value.
    void click() override;
    void userChecked(int value) override;
    ControlLook look() const override;

private:
    std::string caption_;
    Colour back_;
    Colour fore_;
    int value_ = 0;
};

} // namespace rt
