#pragma once

#include "runtime/numeric.h"

#include <QPushButton>

#include <functional>

namespace rt {

/// A push button painted in its own face colour under every style, with a raised bevel,
/// greyed caption when disabled, and its click handler run through the dispatcher.
class CommandButton : public QPushButton {
public:
    explicit CommandButton(QWidget *parent = nullptr);

    Colour BackColor() const { return back_; }
    void setBackColor(Colour c);
    bool Enabled() const { return isEnabled(); }

    /// The handler run on each click.
    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Colour back_;
    std::function<void()> onClick_;
};

} // namespace rt
