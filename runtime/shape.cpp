#include "runtime/shape.h"

#include "runtime/colours.h"

#include <QPainter>

namespace rt {

Shape::Shape(Form &form, QString name, Integer index) : Graphic(form, std::move(name), index) {}

QRectF Shape::bounds() const {
    return QRectF(left_, top_, width_, height_).adjusted(-1, -1, 1, 1);
}

QRegion Shape::movedArea(const QRectF &before) const {
    // A moving circle changes pixels where the boxes overlap too.
    if (style_ == ShapeStyle::Circle) return Graphic::movedArea(before);
    // Fill over the same fill changes nothing, so only the device pixels that one rectangle
    // covers and the other does not need repainting: a rising water layer repaints a thin
    // strip. Both are snapped exactly as they are painted; one pixel of margin is spare.
    const QRectF was = before.adjusted(1, 1, -1, -1);
    const QRectF now(left_, top_, width_, height_);
    auto area = [this](const QRectF &r) { return QRegion(devicePixels(r)); };
    QRegion changed = area(was).xored(area(now));
    if (borderWidth_ > 0 && border_ != back_) {
        // A visible outline moves with the edges: repaint both outlines.
        const qreal w = borderWidth_ + 1;
        changed += area(was) - area(was.adjusted(w, w, -w, -w));
        changed += area(now) - area(now.adjusted(w, w, -w, -w));
    }
    QRegion padded; // device pixels
    for (const QRect &r : changed)
        padded += r.adjusted(-1, -1, 1, 1);
    return padded;
}

void Shape::paint(QPainter &painter, qreal deviceScale) const {
    if (style_ == ShapeStyle::Circle) {
        const QPointF centre(left_ + width_ / 2.0, top_ + height_ / 2.0);
        const qreal radius = std::min(width_, height_) / 2.0;
        const bool outlined = borderWidth_ > 0 && border_ != back_;
        for (const QRectF &row : discRows(centre, radius, deviceScale))
            painter.fillRect(row, toQColor(outlined ? border_ : back_));
        if (outlined) {
            for (const QRectF &row : discRows(centre, radius - borderWidth_, deviceScale))
                painter.fillRect(row, toQColor(back_));
        }
        return;
    }
    const QRectF box = snapToDevice(QRectF(left_, top_, width_, height_), deviceScale);
    if (box.width() <= 0 || box.height() <= 0) return; // a collapsed rectangle shows nothing
    painter.fillRect(box, toQColor(back_));
    if (borderWidth_ <= 0) return;
    const QColor border = toQColor(border_);
    const qreal w = std::min<qreal>(borderWidth_, std::min(box.width(), box.height()));
    painter.fillRect(QRectF(box.left(), box.top(), box.width(), w), border);
    painter.fillRect(QRectF(box.left(), box.bottom() - w, box.width(), w), border);
    painter.fillRect(QRectF(box.left(), box.top(), w, box.height()), border);
    painter.fillRect(QRectF(box.right() - w, box.top(), w, box.height()), border);
}

std::unique_ptr<Graphic> Shape::clone() const {
    return std::make_unique<Shape>(*this);
}

} // namespace rt
