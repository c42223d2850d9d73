#include "runtime/core/shape.h"

#include "runtime/core/painter.h"

#include <algorithm>

namespace rt {

Shape::Shape(Form &form, std::string name, Integer index) : Graphic(form, std::move(name), index) {}

RectF Shape::bounds() const {
    return RectF{left_, top_, width_, height_}.adjusted(-1, -1, 1, 1);
}

Region Shape::movedArea(const RectF &before, double deviceScale) const {
    // A moving circle changes pixels where the boxes overlap too.
    if (style_ == ShapeStyle::Circle) return Graphic::movedArea(before, deviceScale);
    // Fill over the same fill changes nothing, so only the device pixels that one rectangle
    // covers and the other does not need repainting: a rising water layer repaints a thin
    // strip. Both are snapped exactly as they are painted; one pixel of margin is spare.
    const RectF was = before.adjusted(1, 1, -1, -1);
    const RectF now{left_, top_, width_, height_};
    const Rect wasPixels = snappedDevicePixels(was, deviceScale);
    const Rect nowPixels = snappedDevicePixels(now, deviceScale);
    Region changed = symmetricDifference(wasPixels, nowPixels);
    if (borderWidth_ > 0 && border_ != back_) {
        // A visible outline moves with the edges: repaint both outlines.
        const double w = borderWidth_ + 1;
        for (const auto &[box, pixels] : {std::pair{was, wasPixels}, std::pair{now, nowPixels}}) {
            const Region ring =
                subtracted(pixels, snappedDevicePixels(box.adjusted(w, w, -w, -w), deviceScale));
            changed.insert(changed.end(), ring.begin(), ring.end());
        }
    }
    for (Rect &r : changed)
        r = r.adjusted(-1, -1, 1, 1);
    return changed;
}

void Shape::paint(Painter &painter, double deviceScale) const {
    if (style_ == ShapeStyle::Circle) {
        const PointF centre{left_ + width_ / 2.0, top_ + height_ / 2.0};
        const double radius = std::min(width_, height_) / 2.0;
        const bool outlined = borderWidth_ > 0 && border_ != back_;
        for (const Rect &row : discRows(centre, radius, deviceScale))
            painter.fill(row, outlined ? border_ : back_);
        if (outlined) {
            for (const Rect &row : discRows(centre, radius - borderWidth_, deviceScale))
                painter.fill(row, back_);
        }
        return;
    }
    const Rect box = snappedDevicePixels({left_, top_, width_, height_}, deviceScale);
    if (box.isEmpty()) return; // a collapsed rectangle shows nothing
    painter.fill(box, back_);
    if (borderWidth_ <= 0) return;
    // The outline's width in device pixels: at least one, never wider than the box.
    const int w =
        std::min({std::max(1, snapEdge(borderWidth_, deviceScale)), box.width, box.height});
    painter.fill({box.x, box.y, box.width, w}, border_);
    painter.fill({box.x, box.bottom() - w, box.width, w}, border_);
    painter.fill({box.x, box.y, w, box.height}, border_);
    painter.fill({box.right() - w, box.y, w, box.height}, border_);
}

std::unique_ptr<Graphic> Shape::clone() const {
    return std::make_unique<Shape>(*this);
}

} // namespace rt
