#pragma once

#include "runtime/core/types.h"

#include <QColor>

namespace rt::qt {

/// The QColor of a 0x00BBGGRR value, or of a system colour from the application palette.
QColor toQColor(Colour c);

} // namespace rt::qt
