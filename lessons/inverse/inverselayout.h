#pragma once

#include "lessons/shared/controls.h"
#include "runtime/core/formdefinition.h"

/// The second lesson's window: the same container as the first, the rates to choose from, and
/// the table and graph of the minutes each rate needs. The controls of its own, by name, and
/// its whole table.
namespace layout::inverse {

inline constexpr Named<rt::CommandButton> Pour{"pour"};
inline constexpr NamedArray<rt::CommandButton> Rate{"rate"}; // in the order of design's Rates
inline constexpr NamedArray<rt::Line> Curve{"curve"};
inline constexpr Named<rt::Line> RisingLine{"risingLine"};
inline constexpr Named<rt::Shape> RisingPoint{"risingPoint"};

/// Every control with its box, colours, caption, font and tab index; lines, rectangles and
/// labels in drawing order, backmost first.
const rt::FormDef &definition();

} // namespace layout::inverse
