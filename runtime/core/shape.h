#pragma once

#include "runtime/core/formdefinition.h"
#include "runtime/core/graphic.h"

namespace rt {

/// A rectangle, or the circle centred in its box, with an opaque fill and an optional outline
/// inside its edges.
class Shape final : public Graphic {
public:
    Shape(Form &form, std::string name, Integer index);

    ShapeStyle Style() const { return style_; }
    void setStyle(ShapeStyle style) { assignLook(style_, style); }

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setLeft(float v) { assign(left_, v); }
    void setTop(float v) { assign(top_, v); }
    void setWidth(float v) { assign(width_, v); }
    void setHeight(float v) { assign(height_, v); }

    Colour BackColor() const { return back_; }
    void setBackColor(Colour c) { assignLook(back_, c); }
    Colour BorderColor() const { return border_; }
    void setBorderColor(Colour c) { assignLook(border_, c); }
    /// Outline width in pixels; 0 draws no outline.
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int w) { assignLook(borderWidth_, w); }

    RectF bounds() const override;
    void paint(Painter &painter, double deviceScale) const override;
    std::unique_ptr<Graphic> clone() const override;

protected:
    Region movedArea(const RectF &before, double deviceScale) const override;

private:
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Colour back_ = 0, border_ = 0;
    int borderWidth_ = 1;
    ShapeStyle style_ = ShapeStyle::Rectangle;
};

} // namespace rt
