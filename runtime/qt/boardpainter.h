#pragma once

#include "runtime/core/form.h"
#include "runtime/qt/textraster.h"

#include <QtGlobal>

#include <map>
#include <string>
#include <tuple>

class QPainter;

namespace rt::qt {

/// Paints a form's board with a QPainter: fills on whole device pixels, as the form hands them
/// out, and each text drawn once into a raster and copied from then on, so that every repaint,
/// of the whole window or of a thin strip of it, puts exactly the same pixels on the screen.
class BoardPainter {
public:
    /// Paints `form`'s board within `area` (device pixels from the design's top-left corner).
    /// `painter` stands at that corner in widget pixels; `dpr` device pixels make a widget
    /// pixel and `scale` widget pixels a form pixel.
    void paint(const Form &form, QPainter &painter, qreal dpr, qreal scale, const Rect &area) const;

private:
    class Target;
    // Text, font, baseline and colour of a drawn text, for its raster.
    using RasterKey = std::tuple<std::string, std::string, double, bool, double, double, Colour>;

    TextRaster &raster(const RasterKey &key) const;

    // Rebuilt after a change of scale, as each raster notices.
    mutable std::map<RasterKey, TextRaster> rasters_;
};

} // namespace rt::qt
