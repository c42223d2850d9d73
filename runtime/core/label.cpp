#include "runtime/core/label.h"

#include "runtime/core/form.h"

#include <cmath>

namespace rt {

Label::Label(Form &form, std::string name, Integer index, FontSpec font)
    : Graphic(form, std::move(name), index), font_(std::move(font)) {}

void Label::setBox(float left, float top, float width, float height) {
    const RectF before = bounds();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    refit();
    changed(before);
}

void Label::setCaption(const std::string &caption) {
    if (caption_ == caption) return;
    const RectF before = bounds();
    caption_ = caption;
    refit();
    changed(before);
}

void Label::setAutoSize(bool on) {
    if (autoSize_ == on) return;
    const RectF before = bounds();
    autoSize_ = on;
    refit();
    changed(before);
}

void Label::refit() {
    if (!autoSize_) return;
    const TextMetrics m = form().measure(font_, caption_);
    width_ = static_cast<float>(std::ceil(m.advance));
    height_ = static_cast<float>(std::ceil(m.height));
}

RectF Label::bounds() const {
    return {left_, top_, width_, height_};
}

void Label::paint(Painter &painter, double deviceScale) const {
    const Rect box = snappedDevicePixels(bounds(), deviceScale);
    if (box.isEmpty()) return;
    painter.fill(box, back_);
    const TextMetrics m = form().measure(font_, caption_);
    painter.text(caption_, font_, {left_, top_ + m.ascent}, fore_, box);
}

std::unique_ptr<Graphic> Label::clone() const {
    return std::make_unique<Label>(*this);
}

} // namespace rt
