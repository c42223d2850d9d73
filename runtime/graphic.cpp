#include "runtime/graphic.h"

#include "runtime/form.h"

#include <cmath>

namespace rt {

Graphic::Graphic(Form &form, QString name, Integer index)
    : form_(&form), name_(std::move(name)), index_(index) {}

void Graphic::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    form_->invalidate(QRegion(bounds().toAlignedRect()));
}

void Graphic::ZOrder(int position) {
    form_->restack(*this, position == 0);
}

void Graphic::changed(const QRectF &before) const {
    repaint(movedArea(before));
}

void Graphic::repaint(const QRegion &area) const {
    if (visible_) form_->invalidate(area);
}

QRegion Graphic::movedArea(const QRectF &before) const {
    return QRegion(before.toAlignedRect()).united(bounds().toAlignedRect());
}

QRectF snapToDevice(const QRectF &r, qreal deviceScale) {
    auto snap = [deviceScale](qreal v) { return std::floor(v * deviceScale + 0.5) / deviceScale; };
    const qreal left = snap(r.left());
    const qreal top = snap(r.top());
    return QRectF(left, top, snap(r.right()) - left, snap(r.bottom()) - top);
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
