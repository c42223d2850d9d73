#include "runtime/core/commandbutton.h"

#include "runtime/core/form.h"

namespace rt {

CommandButton::CommandButton(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), caption_(def.caption), back_(def.back), fore_(def.fore) {
}

void CommandButton::setBackColor(Colour c) {
    if (back_ == c) return;
    back_ = c;
    notify();
}

void CommandButton::setPressed(bool on) {
    if (pressed_ == on || !toggle()) return;
    pressed_ = on;
    notify();
}

ControlLook CommandButton::look() const {
    return {caption_, back_, fore_, 0, Enabled(), Visible(), form().focus() == this, pressed_};
}

} // namespace rt
