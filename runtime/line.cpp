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

void Line::paint(QPainter &painter, qreal deviceScale) const {
    const QColor colour = toQColor(colour_);
    const qreal half = width_ / 2.0;
    if (x1_ == x2_ || y1_ == y2_) {
        // Upright lines, all this window has: a filled band and two round ends, far cheaper
        // than stroking a path on every repaint.
        const QRectF band = QRectF(QPointF(x1_, y1_), QPointF(x2_, y2_))
                                .normalized()
                                .adjusted(x1_ == x2_ ? -half : 0, y1_ == y2_ ? -half : 0,
                                          x1_ == x2_ ? half : 0, y1_ == y2_ ? half : 0);
        painter.fillRect(snapToDevice(band, deviceScale), colour);
        if (width_ > 1) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(x1_, y1_), half, half);
            painter.drawEllipse(QPointF(x2_, y2_), half, half);
        }
        return;
    }
    QPen pen(colour);
    pen.setWidthF(width_);
    pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(x1_, y1_), QPointF(x2_, y2_));
}

std::unique_ptr<Graphic> Line::clone() const {
    return std::make_unique<Line>(*this);
}

} // namespace rt
