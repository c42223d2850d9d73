#include "runtime/core/textbox.h"

namespace rt {

TextBox::TextBox(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), text_(def.caption), back_(def.back), fore_(def.fore) {}

void TextBox::setText(const std::string &text) {
    if (text_ == text) return;
    text_ = text;
    notify(Change::Text);
}

} // namespace rt
