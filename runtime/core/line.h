#pragma once

#include "runtime/core/graphic.h"

namespace rt {

/// A straight line drawn with a solid round-ended pen, centred on the segment.
class Line final : public Graphic {
public:
    Line(Form &form, std::string name, Integer index);

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    void setX1(float v) { assign(x1_, v); }
    void setY1(float v) { assign(y1_, v); }
    void setX2(float v) { assign(x2_, v); }
    void setY2(float v) { assign(y2_, v); }

    /// Pen width in pixels.
    int BorderWidth() const { return width_; }
    void setBorderWidth(int w) { assignLook(width_, w); }
    Colour BorderColor() const { return colour_; }
    void setBorderColor(Colour c) { assignLook(colour_, c); }

    RectF bounds() const override;
    void paint(Painter &painter, double deviceScale) const override;
    std::unique_ptr<Graphic> clone() const override;

private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int width_ = 1;
    Colour colour_ = 0;
};

} // namespace rt
