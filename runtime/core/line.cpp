#include "runtime/core/line.h"

#include "runtime/core/painter.h"

namespace rt {

Line::Line(Form &form, std::string name, Integer index) : Graphic(form, std::move(name), index) {}

RectF Line::bounds() const {
    const double half = width_ / 2.0 + 1.0;
    return RectF::spanning({x1_, y1_}, {x2_, y2_}).adjusted(-half, -half, half, half);
}

void Line::paint(Painter &painter, double deviceScale) const {
    const double half = width_ / 2.0;
    if (x1_ == x2_ || y1_ == y2_) {
        // Upright lines, most of this window: a band snapped like any rectangle, and round
        // ends when the pen is wider than a pixel.
        const RectF band = RectF::spanning({x1_, y1_}, {x2_, y2_})
                               .adjusted(x1_ == x2_ ? -half : 0, y1_ == y2_ ? -half : 0,
                                         x1_ == x2_ ? half : 0, y1_ == y2_ ? half : 0);
        const Rect pixels = snappedDevicePixels(band, deviceScale);
        if (!pixels.isEmpty()) painter.fill(pixels, colour_);
        if (width_ > 1) {
            for (const PointF end : {PointF{x1_, y1_}, PointF{x2_, y2_}})
                for (const Rect &row : discRows(end, half, deviceScale))
                    painter.fill(row, colour_);
        }
        return;
    }
    for (const Rect &row : roundLineRows({x1_, y1_}, {x2_, y2_}, width_, deviceScale))
        painter.fill(row, colour_);
}

std::unique_ptr<Graphic> Line::clone() const {
    return std::make_unique<Line>(*this);
}

} // namespace rt
