#include "runtime/label.h"

#include "runtime/colours.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace rt {

Label::Label(Form &form, QString name, Integer index, QFont font)
    : Graphic(form, std::move(name), index), font_(std::move(font)) {}

void Label::setBox(float left, float top, float width, float height) {
    const QRectF before = bounds();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    fitCaption();
    changed(before);
}

void Label::setCaption(const QString &caption) {
    if (caption_ == caption) return;
    const QRectF before = bounds();
    caption_ = caption;
    fitCaption();
    changed(before);
}

void Label::setAutoSize(bool on) {
    if (autoSize_ == on) return;
    const QRectF before = bounds();
    autoSize_ = on;
    fitCaption();
    changed(before);
}

void Label::fitCaption() {
    if (!autoSize_) return;
    const QFontMetricsF metrics(font_);
    width_ = static_cast<float>(std::ceil(metrics.horizontalAdvance(caption_)));
    height_ = static_cast<float>(std::ceil(metrics.height()));
}

QRectF Label::bounds() const {
    return QRectF(left_, top_, width_, height_);
}

void Label::paint(QPainter &painter, qreal deviceScale) const {
    const QRectF box = snapToDevice(bounds(), deviceScale);
    painter.fillRect(box, toQColor(back_));
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip); // within whatever clip the form set
    const QFontMetricsF metrics(font_);
    raster_.draw(painter, font_, caption_, QPointF(left_, top_ + metrics.ascent()),
                 toQColor(fore_));
    painter.restore();
}

std::unique_ptr<Graphic> Label::clone() const {
    return std::make_unique<Label>(*this);
}

} // namespace rt
