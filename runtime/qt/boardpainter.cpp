#include "runtime/qt/boardpainter.h"

#include "runtime/qt/colours.h"
#include "runtime/qt/fonts.h"

#include <QPainter>

namespace rt::qt {

// The form's drawing calls carried out with a QPainter in the window's device pixels.
class BoardPainter::Target final : public Painter {
public:
    Target(const BoardPainter &owner, QPainter &painter, qreal dpr, qreal scale)
        : owner_(owner), painter_(painter), device_(painter.transform()),
          form_(painter.transform()) {
        device_.scale(1 / dpr, 1 / dpr);
        form_.scale(scale, scale);
        painter_.setTransform(device_);
    }

    void fill(const Rect &pixels, Colour colour) override {
        painter_.fillRect(QRect(pixels.x, pixels.y, pixels.width, pixels.height), toQColor(colour));
    }

    void text(std::string_view text, const FontSpec &font, PointF baseline, Colour colour,
              const Rect &clip) override {
        painter_.save();
        if (!clip.isEmpty())
            painter_.setClipRect(QRect(clip.x, clip.y, clip.width, clip.height), Qt::IntersectClip);
        painter_.setTransform(form_);
        const RasterKey key{std::string(text), font.family, font.points, font.bold,
                            baseline.x,        baseline.y,  colour};
        owner_.raster(key).draw(painter_, toQFont(font),
                                QString::fromUtf8(text.data(), qsizetype(text.size())),
                                QPointF(baseline.x, baseline.y), toQColor(colour));
        painter_.restore();
    }

private:
    const BoardPainter &owner_;
    QPainter &painter_;
    QTransform device_; // device pixels from the design's top-left
    QTransform form_;   // form pixels
};

void BoardPainter::paint(const Form &form, QPainter &painter, qreal dpr, qreal scale,
                         const Rect &area) const {
    Target target(*this, painter, dpr, scale);
    form.paint(target, scale * dpr, area);
}

TextRaster &BoardPainter::raster(const RasterKey &key) const {
    // A bound on what a pupil's long session can pile up: every text shown at once fits.
    if (rasters_.size() > 512) rasters_.clear();
    return rasters_[key];
}

} // namespace rt::qt
