#include "runtime/core/combobox.h"

#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/numeric.h"
#include "runtime/core/runtimeerror.h"

namespace rt {

ComboBox::ComboBox(Form &form, const ControlDef &def, FontSpec font)
    : Control(form, def, std::move(font)), list_(def.list.begin(), def.list.end()),
      text_(def.caption), back_(def.back), fore_(def.fore) {}

void ComboBox::setText(const std::string &text) {
    // Text typed or set over the entry it matches is no longer that entry: a box that still
    // had it chosen would go on showing the text as the pupil typed it, "２０" for 20.
    if (text_ == text && listIndex_ < 0) return;
    const bool textChanged = text_ != text;
    text_ = text;
    listIndex_ = -1;
    changed(textChanged);
}

void ComboBox::setListIndex(Integer index) {
    if (index < -1 || index >= ListCount()) raise(ErrorCode::InvalidCall, "ListIndex");
    if (index == listIndex_) return;
    listIndex_ = index;
    const bool textChanged = index >= 0 && text_ != list_[static_cast<std::size_t>(index)];
    if (textChanged) text_ = list_[static_cast<std::size_t>(index)];
    changed(textChanged);
}

void ComboBox::changed(bool textChanged) {
    notify();
    if (textChanged && onChange_) dispatch(onChange_);
}

void ComboBox::userTyped(const std::string &text) {
    setText(asciiFigures(text));
}

void ComboBox::userChose(Integer index) {
    if (index >= 0 && index < ListCount()) setListIndex(index);
}

ControlLook ComboBox::look() const {
    return {text_, back_, fore_, listIndex_, Enabled(), Visible(), form().focus() == this, false};
}

} // namespace rt
