#include "runtime/line.h"

#include "runtime/colours.h"

#include <QPainter>

namespace rt {

Line::Line(Form &form, QString name, Integer index) : Graphic(form, std::move(name), index) {}

QRectF Line::bounds() const {
    const qreal half = width_ / 2.0 + 1.0;
    return QRectF(QPointF(x1_, y1_), QPointF(x2_, y2_))
        .normalized()
        .adjusted(-half, -half, half, half);
}

void Line::paint(QPainter &painter, qreal) const {
    QPen pen(toQColor(colour_));
    pen.setWidthF(width_);
    pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawLine(QPointF(x1_, y1_), QPointF(x2_, y2_));
}

std::unique_ptr<Graphic> Line::clone() const {
    return std::make_unique<Line>(*this);
}

} // namespace rt
