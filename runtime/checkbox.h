#pragma once

#include "runtime/numeric.h"

#include <QCheckBox>

#include <functional>

namespace rt {

class IndicatorStyle;

/// A check box on the board's colours; its click handler runs on every change of its value,
/// by the user or by code.
class CheckBox : public QCheckBox {
public:
    explicit CheckBox(QWidget *parent = nullptr);

    /// 0 unchecked, 1 checked.
    int Value() const { return isChecked() ? 1 : 0; }
    /// Sets the value; a different value runs the click handler before this returns.
    void setValue(int value);

    void setColours(Colour back, Colour fore);
    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    /// Grows the check indicator with the form's scale (the font is scaled by the form).
    void setScale(double scale);

private:
    IndicatorStyle *style_; // owned by this box
    std::function<void()> onClick_;
};

} // namespace rt
