#pragma once

#include "runtime/core/types.h"

#include <QCheckBox>

namespace rt::qt {

class IndicatorStyle;

/// A check box on the board's colours, its indicator scaled with the window.
class CheckBox : public QCheckBox {
public:
    explicit CheckBox(QWidget *parent = nullptr);

    void setColours(Colour back, Colour fore);
    /// Grows the check indicator with the form's scale (the font is scaled by the form).
    void setScale(double scale);

private:
    IndicatorStyle *style_; // owned by this box
};

} // namespace rt::qt
