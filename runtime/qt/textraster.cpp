#include "runtime/qt/textraster.h"

#include <QFontMetricsF>
#include <QPainter>

namespace rt::qt {

void TextRaster::draw(QPainter &painter, const QFont &font, const QString &text, QPointF origin,
                      const QColor &colour) const {
    const QTransform device = painter.deviceTransform();
    if (image_.isNull() || device != transform_ || font != font_ || text != text_ ||
        origin != origin_ || colour != colour_) {
        transform_ = device;
        font_ = font;
        text_ = text;
        origin_ = origin;
        colour_ = colour;
        // The ink's extent, with room for synthesised bold and overhanging glyphs.
        const QFontMetricsF metrics(font);
        const qreal pad = metrics.height() * 0.25 + 2;
        const QRectF ink =
            metrics.boundingRect(text).translated(origin).adjusted(-pad, -pad, pad, pad);
        const QRect pixels = device.mapRect(ink).toAlignedRect();
        deviceTopLeft_ = pixels.topLeft();
        image_ = QImage(pixels.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
        QPainter p(&image_);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setTransform(device * QTransform::fromTranslate(-pixels.left(), -pixels.top()));
        p.setFont(font);
        p.setPen(colour);
        p.drawText(origin, text);
    }
    // Copied pixel for pixel to where it was drawn for: undo whatever scale lies between the
    // painter's coordinates and the device's (a screen's pixel ratio, a high-density image).
    const QTransform toDevice = painter.worldTransform().inverted() * device;
    painter.save();
    painter.setWorldTransform(toDevice.inverted());
    painter.drawImage(deviceTopLeft_, image_);
    painter.restore();
}

} // namespace rt::qt
