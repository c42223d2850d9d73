#pragma once

#include "runtime/core/control.h"

namespace rt {

/// A single-line text box the user can type into.
class TextBox final : public Control {
public:
    TextBox(Form &form, const ControlDef &def, FontSpec font);

    const std::string &Text() const { return text_; }
    void setText(const std::string &text);
    Colour BackColor() const { return back_; }
    Colour ForeColor() const { return fore_; }

    /// Figures typed in full width become ASCII: "１０" stands as 10, and means it.
    void userTyped(const std::string &text) override;
    ControlLook look() const override;

private:
    std::string text_;
    Colour back_;
    Colour fore_;
};

} // namespace rt
