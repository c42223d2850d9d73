#pragma once

#include <QFocusFrame>
#include <QPointer>

namespace rt::qt {

/// A broad ring on the board around the control with the focus, beneath the controls: a black
/// edge against the light button faces, then a yellow band that stands out on the green board,
/// also on a projector. Assistive technology skips it, as it skips every focus frame.
class FocusRing : public QFocusFrame {
    Q_OBJECT

public:
    explicit FocusRing(QWidget *parent);

    /// Surrounds `target` (nullptr: hides) with a ring `width` pixels wide.
    void surround(QWidget *target, int width);
    QWidget *target() const { return target_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<QWidget> target_;
    int width_ = 0;
};

} // namespace rt::qt
