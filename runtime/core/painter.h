#pragma once

#include "runtime/core/geometry.h"
#include "runtime/core/types.h"

#include <string>
#include <string_view>

namespace rt {

/// A font of the window: the family the design names, its size and weight.
struct FontSpec {
    std::string family;
    double points = 0;
    bool bold = false;

    /// Pixels per em at the design size: 96 pixels to the inch.
    int pixelSize() const;
    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

/// What a backend's font engine says about a line of text, in form pixels.
struct TextMetrics {
    double advance = 0;
    double ascent = 0;
    double height = 0;
};

/// Measures text as the backend will draw it.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual TextMetrics measure(const FontSpec &font, std::string_view text) const = 0;
};

/// What a backend draws the board with. Geometry arrives in device pixels already snapped,
/// so every backend puts the same shapes on the same pixels.
class Painter {
public:
    virtual ~Painter() = default;

    /// Fills whole device pixels with `colour` (0x00BBGGRR or a system colour).
    virtual void fill(const Rect &pixels, Colour colour) = 0;

    /// Draws `text` in `font` with its baseline starting at `baseline` (form pixels), clipped
    /// to `clip` (device pixels) unless that is empty.
    virtual void text(std::string_view text, const FontSpec &font, PointF baseline, Colour colour,
                      const Rect &clip) = 0;
};

} // namespace rt
