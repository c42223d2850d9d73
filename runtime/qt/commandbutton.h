#pragma once

#include "runtime/qt/controlwidget.h"

#include <QPushButton>

namespace rt::qt {

/// A push button painted in its own face colour under every style, with a raised bevel and a
/// greyed caption when disabled.
class CommandButton : public QPushButton, public ControlWidget {
    Q_OBJECT

public:
    CommandButton(Control &control, QWidget *parent);

    QWidget &widget() override { return *this; }
    Colour BackColor() const { return back_; }

protected:
    void showLook(const ControlLook &look) override;
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override;

private:
    Colour back_;
    Colour fore_;
};

} // namespace rt::qt
