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
    if (visible_) form_->invalidateDevice(movedArea(before));
}

void Graphic::repaintAll() const {
    if (visible_) form_->invalidate(bounds());
}

QRegion Graphic::movedArea(const QRectF &before) const {
    return QRegion(devicePixels(before)).united(devicePixels(bounds()));
}

QRect Graphic::devicePixels(const QRectF &area) const {
    return snappedDevicePixels(area, form_->deviceScale());
}

namespace {

// Device pixel edges round half up, the same for painting and for working out damage.
qreal snapEdge(qreal v, qreal deviceScale) {
    return std::floor(v * deviceScale + 0.5);
}

} // namespace

QRectF snapToDevice(const QRectF &r, qreal deviceScale) {
    const qreal left = snapEdge(r.left(), deviceScale) / deviceScale;
    const qreal top = snapEdge(r.top(), deviceScale) / deviceScale;
    return QRectF(left, top, snapEdge(r.right(), deviceScale) / deviceScale - left,
                  snapEdge(r.bottom(), deviceScale) / deviceScale - top);
}

QRect snappedDevicePixels(const QRectF &r, qreal deviceScale) {
    const int left = int(snapEdge(r.left(), deviceScale));
    const int top = int(snapEdge(r.top(), deviceScale));
    const int right = int(snapEdge(r.right(), deviceScale));
    const int bottom = int(snapEdge(r.bottom(), deviceScale));
    if (right <= left || bottom <= top) return {};
    return QRect(left, top, right - left, bottom - top);
}

std::vector<QRectF> discRows(QPointF centre, qreal radius, qreal deviceScale) {
    std::vector<QRectF> rows;
    if (radius <= 0) return rows;
    auto snap = [deviceScale](qreal v) { return std::floor(v * deviceScale + 0.5) / deviceScale; };
    const auto first = static_cast<long>(std::floor((centre.y() - radius) * deviceScale));
    const auto last = static_cast<long>(std::ceil((centre.y() + radius) * deviceScale));
    for (long row = first; row < last; ++row) {
        // The row's centre decides its width, as it decides whether the row is inked at all.
        const qreal dy = (row + 0.5) / deviceScale - centre.y();
        if (std::abs(dy) >= radius) continue;
        const qreal half = std::sqrt(radius * radius - dy * dy);
        const qreal left = snap(centre.x() - half);
        const qreal right = snap(centre.x() + half);
        if (right > left) rows.emplace_back(left, row / deviceScale, right - left, 1 / deviceScale);
    }
    return rows;
}

} // namespace rt
