#pragma once

#include "runtime/numeric.h"

#include <QColor>

namespace rt {

/// The QColor of a 0x00BBGGRR value, or of a system colour from the application palette.
QColor toQColor(Colour c);

} // namespace rt
