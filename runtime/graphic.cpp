#include "runtime/graphic.h"

#include "runtime/form.h"

#include <cmath>

namespace rt {

Graphic::Graphic(Form &form, QString name, Integer index)
    : form_(&form), name_(std::move(name)), index_(index) {}

void Graphic::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    form_->invalidate(bounds());
}

void Graphic::ZOrder(int position) {
    form_->restack(*this, position == 0);
}

void Graphic::changed(const QRectF &before) const {
    if (visible_) form_->invalidate(before.united(bounds()));
}

QRectF snapToDevice(const QRectF &r, qreal deviceScale) {
    auto snap = [deviceScale](qreal v) { return std::floor(v * deviceScale + 0.5) / deviceScale; };
    const qreal left = snap(r.left());
    const qreal top = snap(r.top());
    return QRectF(left, top, snap(r.right()) - left, snap(r.bottom()) - top);
}

} // namespace rt
