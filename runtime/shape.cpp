#include "runtime/shape.h"

#include "runtime/colours.h"

#include <QPainter>

namespace rt {

Shape::Shape(Form &form, QString name, Integer index) : Graphic(form, std::move(name), index) {}

QRectF Shape::bounds() const {
    return QRectF(left_, top_, width_, height_).adjusted(-1, -1, 1, 1);
}

void Shape::paint(QPainter &painter, qreal deviceScale) const {
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
