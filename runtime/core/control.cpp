#include "runtime/core/control.h"

#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/label.h"

namespace rt {

Control::Control(Form &form, const ControlDef &def, FontSpec font)
    : form_(&form), name_(def.name), index_(def.index),
      kind_(def.kind), box_{def.twips[0] / double(TwipsPerPixel),
                            def.twips[1] / double(TwipsPerPixel),
                            def.twips[2] / double(TwipsPerPixel),
                            def.twips[3] / double(TwipsPerPixel)},
      font_(std::move(font)), tabIndex_(def.tabIndex), startFocus_(def.startFocus),
      accessibleName_(def.accessibleName), description_(def.description), group_(def.group),
      toggle_(def.toggle) {}

std::string Control::groupHeading() const {
    if (group_.empty()) return {};
    return form().control<Label>(group_).Caption();
}

const std::vector<std::string> &Control::entries() const {
    static const std::vector<std::string> none;
    return none;
}

FocusKind Control::focusKind() const {
    switch (kind_) {
    case ControlKind::CommandButton:
        return FocusKind::Button;
    case ControlKind::CheckBox:
        return FocusKind::CheckBox;
    case ControlKind::TextBox:
        return FocusKind::TextBox;
    case ControlKind::ComboBox:
        return FocusKind::ComboBox;
    default:
        return FocusKind::Board;
    }
}

void Control::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    // The focus leaves before the front end disables the control, so its toolkit never moves
    // the focus on by a rule of its own, and comes back once the control can take it.
    if (!on) form_->handOver(*this);
    notify();
    if (on) form_->handBack(*this);
}

void Control::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    if (!on) form_->handOver(*this);
    notify();
    if (on) form_->handBack(*this);
}

void Control::click() {
    if (enabled_ && visible_) runClickHandler();
}

void Control::userChecked(int) {}

void Control::userTyped(const std::string &) {}

void Control::userChose(Integer) {}

void Control::notify() {
    form_->controlChanged(*this);
}

void Control::runClickHandler() const {
    dispatch(onClick_);
    throwIfEnding(); // the handler may have ended the program
}

} // namespace rt
