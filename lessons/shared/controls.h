#pragma once

#include "lessons/shared/named.h"
#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/label.h"
#include "runtime/core/line.h"
#include "runtime/core/shape.h"
#include "runtime/core/textbox.h"

/// The controls both lessons have and use, by name; each lesson's table places them.
namespace layout {

inline constexpr Named<rt::CommandButton> Quit{"quit"};
inline constexpr Named<rt::CommandButton> Stop{"stop"};
inline constexpr Named<rt::CommandButton> InitialScreen{"initialScreen"};
// The buttons that show another lesson, each named after the lesson it shows.
inline constexpr Named<rt::CommandButton> ToProportion{"toProportion"};
inline constexpr Named<rt::CommandButton> ToInverse{"toInverse"};
inline constexpr Named<rt::CommandButton> ToConstant{"toConstant"};
inline constexpr Named<rt::CheckBox> Hint{"hint"};
inline constexpr Named<rt::CheckBox> Table{"table"};
inline constexpr Named<rt::CheckBox> Graph{"graph"};
inline constexpr Named<rt::TextBox> Time{"time"};
inline constexpr Named<rt::ComboBox> Delay{"delay"};
inline constexpr Named<rt::Shape> Stream{"stream"};
inline constexpr NamedArray<rt::Shape> Layer{"layer"};
inline constexpr NamedArray<rt::Line> ScaleMark{"scaleMark"};
inline constexpr NamedArray<rt::Line> YTick{"yTick"};
inline constexpr NamedArray<rt::Line> XTick{"xTick"};
inline constexpr NamedArray<rt::Shape> Point{"point"};
inline constexpr Named<rt::Label> Formula{"formula"};

} // namespace layout
