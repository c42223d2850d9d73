#pragma once

#include "runtime/core/graphic.h"
#include "runtime/core/painter.h"

namespace rt {

/// A one-line, left-aligned caption on its own background, painted by the form.
class Label final : public Graphic {
public:
    Label(Form &form, std::string name, Integer index, FontSpec font);

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void setBox(float left, float top, float width, float height);

    const std::string &Caption() const { return caption_; }
    void setCaption(const std::string &caption);
    /// When on, the label takes the size its caption needs in its font.
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    Colour BackColor() const { return back_; }
    void setBackColor(Colour c) { assignLook(back_, c); }
    Colour ForeColor() const { return fore_; }
    void setForeColor(Colour c) { assignLook(fore_, c); }

    RectF bounds() const override;
    void paint(Painter &painter, double deviceScale) const override;
    std::unique_ptr<Graphic> clone() const override;

    /// Takes the size the caption needs again: the backend's fonts are known from now on.
    void refit();

private:
    FontSpec font_;
    std::string caption_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    Colour back_ = 0, fore_ = 0;
    bool autoSize_ = false;
};

} // namespace rt
