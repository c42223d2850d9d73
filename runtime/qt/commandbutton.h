#pragma once

#include "runtime/core/types.h"

#include <QPushButton>

namespace rt::qt {

/// A push button painted in its own face colour under every style, with a raised bevel,
/// greyed caption when disabled.
class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget *parent = nullptr);

    Colour BackColor() const { return back_; }
    void setBackColor(Colour c);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Colour back_;
};

} // namespace rt::qt
