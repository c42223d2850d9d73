#include "runtime/core/control.h"

#include "runtime/core/events.h"
#include "runtime/core/form.h"

namespace rt {

Control::Control(Form &form, const ControlDef &def, FontSpec font)
    : form_(&form), name_(def.name), index_(def.index),
      kind_(def.kind), box_{def.twips[0] / double(TwipsPerPixel),
                            def.twips[1] / double(TwipsPerPixel),
                            def.twips[2] / double(TwipsPerPixel),
                            def.twips[3] / double(TwipsPerPixel)},
      font_(std::move(font)), tabIndex_(def.tabIndex), startFocus_(def.startFocus),
      accessibleName_(def.accessibleName), description_(def.description) {}

void Control::setEnabled(bool on) {
    if (enabled_ == on) return;
    enabled_ = on;
    notify(Change::Enabled);
}

void Control::setVisible(bool on) {
    if (visible_ == on) return;
    visible_ = on;
    notify(Change::Visible);
}

void Control::click() {
    if (enabled_ && visible_) runClickHandler();
}

void Control::notify(Change what) {
    form_->controlChanged(*this, what);
}

void Control::runClickHandler() const {
    dispatch(onClick_);
    throwIfEnding(); // the handler may have ended the program
}

} // namespace rt
