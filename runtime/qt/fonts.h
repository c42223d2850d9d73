#pragma once

#include <QFont>
#include <QString>

#include "runtime/core/painter.h"

namespace rt::qt {

/// Maps the design's font family onto the Japanese fonts this machine has.
void installFontSubstitutes(const QString &family);

/// Pixel size of a font of `points` at the design resolution of 96 dots per inch.
int fontPixelSize(double points);

/// The font `family` at `points` and weight, scaled by `zoom`.
QFont makeFont(const QString &family, double points, bool bold, double zoom = 1.0);

/// A font of the window as a QFont, scaled by `zoom`.
QFont toQFont(const FontSpec &font, double zoom = 1.0);

} // namespace rt::qt
