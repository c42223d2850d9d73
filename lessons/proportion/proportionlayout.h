#pragma once

#include "lessons/shared/controls.h"
#include "runtime/core/formdefinition.h"

/// The first lesson's window: the controls of its own, by name, and its whole table.
namespace layout::proportion {

inline constexpr Named<rt::CommandButton> Run{"run"};
inline constexpr Named<rt::CommandButton> Forward{"forward"};
inline constexpr Named<rt::CommandButton> Back{"back"};
inline constexpr NamedArray<rt::Line> Segment{"segment"};

/// Every control with its box, colours, caption, font and tab index; lines, rectangles and
/// labels in drawing order, backmost first.
const rt::FormDef &definition();

} // namespace layout::proportion
