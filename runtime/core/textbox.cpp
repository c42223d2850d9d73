#include "runtime/core/textbox.h"

#include "runtime/core/form.h"
#include "runtime/core/numeric.h"

namespace rt {

TextBox::TextBox(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), text_(def.caption), back_(def.back), fore_(def.fore) {}

void TextBox::setText(const std::string &text) {
    if (text_ == text) return;
    text_ = text;
    notify();
}

void TextBox::userTyped(const std::string &text) {
    setText(asciiFigures(text));
}

ControlLook TextBox::look() const {
    return {text_, back_, fore_, 0, Enabled(), Visible(), form().focus() == this, false};
}

} // namespace rt
