#pragma once

#include <QFont>
#include <QString>

namespace rt {

/// Maps the design's font family onto the Japanese fonts this machine has.
void installFontSubstitutes(const QString &family);

/// Pixel size of a font of `points` at the design resolution of 96 dots per inch.
int fontPixelSize(double points);

/// The font `family` at `points` and weight, scaled by `zoom`.
QFont makeFont(const QString &family, double points, bool bold, double zoom = 1.0);

} // namespace rt
