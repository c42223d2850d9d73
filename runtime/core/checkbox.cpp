#include "runtime/core/checkbox.h"

namespace rt {

CheckBox::CheckBox(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), caption_(def.caption), back_(def.back), fore_(def.fore) {
}

void CheckBox::setValue(int value) {
    const int v = value != 0 ? 1 : 0;
    if (v == value_) return;
    value_ = v;
    notify(Change::Value);
    runClickHandler();
}

void CheckBox::click() {
    if (Enabled() && Visible()) setValue(1 - value_);
}

} // namespace rt
