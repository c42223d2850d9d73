#include "runtime/core/graphic.h"

#include "runtime/core/form.h"

namespace rt {

Graphic::Graphic(Form &form, std::string name, Integer index)
    : form_(&form), name_(std::move(name)), index_(index) {}

void Graphic::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    form_->invalidate(bounds());
}

void Graphic::ZOrder(int position) {
    form_->restack(*this, position == 0);
}

void Graphic::changed(const RectF &before) const {
    if (visible_) form_->invalidateDevice(movedArea(before, form_->deviceScale()));
}

void Graphic::repaintAll() const {
    if (visible_) form_->invalidate(bounds());
}

Region Graphic::movedArea(const RectF &before, double deviceScale) const {
    return {snappedDevicePixels(before, deviceScale), snappedDevicePixels(bounds(), deviceScale)};
}

} // namespace rt
