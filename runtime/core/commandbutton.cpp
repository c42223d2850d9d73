#include "runtime/core/commandbutton.h"

namespace rt {

CommandButton::CommandButton(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), caption_(def.caption), back_(def.back) {}

void CommandButton::setBackColor(Colour c) {
    if (back_ == c) return;
    back_ = c;
    notify(Change::Colours);
}

} // namespace rt
