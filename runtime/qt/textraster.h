#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;

namespace rt::qt {

/// A line of text drawn once into an image at the painter's device scale and copied to the
/// screen from then on. Large glyphs come from outlines the font engine may return a fraction
/// of a pixel apart from one call to the next; copying one image makes every repaint, of the
/// whole window or of a thin strip of it, put exactly the same pixels on the screen.
class TextRaster {
public:
    /// Draws `text` in `font` and `colour` with its baseline starting at `origin` (form pixels).
    void draw(QPainter &painter, const QFont &font, const QString &text, QPointF origin,
              const QColor &colour) const;

private:
    // The image and what it was drawn for; redrawn when any of them changes.
    mutable QImage image_;
    mutable QPoint deviceTopLeft_;
    mutable QTransform transform_;
    mutable QFont font_;
    mutable QString text_;
    mutable QPointF origin_;
    mutable QColor colour_;
};

} // namespace rt::qt
