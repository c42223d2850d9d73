#include "runtime/core/checkbox.h"

#include "runtime/core/form.h"

namespace rt {

CheckBox::CheckBox(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), caption_(def.caption), back_(def.back), fore_(def.fore) {
}

void CheckBox::setValue(int value) {
    const int v = value != 0 ? 1 : 0;
    if (v == value_) return;
    value_ = v;
    notify();
    runClickHandler();
}

void CheckBox::click() {
    if (Enabled() && Visible()) setValue(1 - value_);
}

void CheckBox::userChecked(int value) {
    if (Enabled() && Visible()) setValue(value);
}

ControlLook CheckBox::look() const {
    return {caption_, back_, fore_, value_, Enabled(), Visible(), form().focus() == this, false};
}

} // namespace rt
