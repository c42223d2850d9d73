#pragma once

#include "runtime/qt/controlwidget.h"

#include <QCheckBox>

namespace rt::qt {

class IndicatorStyle;

/// A check box on the board's colours, its indicator scaled with the window.
class CheckBox : public QCheckBox, public ControlWidget {
    Q_OBJECT

public:
    CheckBox(Control &control, QWidget *parent);

    QWidget &widget() override { return *this; }
    /// Also grows the check indicator with the window's scale.
    void place(const QRect &box, double scale) override;

protected:
    void showLook(const ControlLook &look) override;

private:
    IndicatorStyle *style_; // owned by this box
    Colour back_ = 0;
    Colour fore_ = 0;
};

} // namespace rt::qt
