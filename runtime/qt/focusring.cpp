#include "runtime/qt/focusring.h"

#include "runtime/core/controlmetrics.h"

#include <QPainter>

namespace rt::qt {

namespace {

constexpr QColor Band(255, 255, 0);
constexpr QColor Edge(0, 0, 0);

} // namespace

FocusRing::FocusRing(QWidget *parent) : QFocusFrame(parent) {
    hide();
}

void FocusRing::surround(QWidget *target, int width) {
    target_ = target;
    width_ = width;
    if (!target) {
        hide();
        return;
    }
    const QRect outer = target->geometry().adjusted(-width, -width, width, width);
    setGeometry(outer);
    // Only the ring is ours: the control's corners and the board inside stay as they are.
    setMask(QRegion(rect()) - QRegion(rect().adjusted(width, width, -width, -width)));
    stackUnder(target);
    show();
}

void FocusRing::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), Band);
    const int edge = metrics::focusRingEdge(width_);
    const QRect inner = rect().adjusted(width_ - edge, width_ - edge, edge - width_, edge - width_);
    p.fillRect(inner, Edge);
}

} // namespace rt::qt
