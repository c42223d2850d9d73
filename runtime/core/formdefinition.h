#pragma once

#include "runtime/core/input.h"
#include "runtime/core/types.h"

#include <cstdint>

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace rt {

/// System colours: they follow the desktop's colour scheme.
namespace SystemColour {
inline constexpr Colour WindowBackground = 0x80000005;
inline constexpr Colour WindowText = 0x80000008;
inline constexpr Colour ButtonFace = 0x8000000F;
inline constexpr Colour ButtonText = 0x80000012;
} // namespace SystemColour

/// What the window's frame adds around the client area, in pixels: the design's borders and
/// title bar. A window's Width and Height are outer sizes.
inline constexpr int FrameWidthPixels = 8;
inline constexpr int FrameHeightPixels = 25;

/// `twips` in whole pixels, to the nearest.
constexpr int wholePixels(int twips) {
    return twips / TwipsPerPixel + (twips % TwipsPerPixel * 2 >= TwipsPerPixel ? 1 : 0);
}
/// The client area's width in pixels of a window `outerTwips` wide.
constexpr int clientWidth(int outerTwips) {
    return std::max(0, wholePixels(outerTwips) - FrameWidthPixels);
}
/// The client area's height in pixels of a window `outerTwips` high.
constexpr int clientHeight(int outerTwips) {
    return std::max(0, wholePixels(outerTwips) - FrameHeightPixels);
}

/// A rectangle of the client area, in form pixels.
struct AreaDef {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// The kinds of item a form holds; the windowed controls come first.
enum class ControlKind : std::uint8_t {
    CommandButton,
    CheckBox,
    TextBox,
    ComboBox,
    Label,
    Line,
    Shape
};
/// How many kinds of windowed control there are: a front end has a widget for each.
inline constexpr int WindowedKindCount = 4;

/// What a shape draws in its box.
enum class ShapeStyle : std::uint8_t { Rectangle, Circle };

/// A font of the design: size in points (0 takes the form's font) and weight.
struct FontDef {
    double points = 0;
    bool bold = false;
};

/// One control of a window definition. Boxes are Left, Top, Width, Height in twips; lines
/// store X1, Y1, X2, Y2 there instead.
struct ControlDef {
    std::string_view name;
    Integer index = -1; // element of a control array; -1 for a plain control
    ControlKind kind = ControlKind::Shape;
    std::array<int, 4> twips = {};
    Colour back = SystemColour::ButtonFace; // fill of shapes, face of buttons, label background
    Colour fore = SystemColour::ButtonText; // text colour; line colour; outline of shapes
    std::string_view caption = {};          // caption, or the text of a text or combo box
    FontDef font = {};
    int tabIndex = -1;
    int borderWidth = 1; // lines: pen width in pixels; shapes: outline width, 0 for none
    bool autoSize = false;
    ShapeStyle style = ShapeStyle::Rectangle;    // shapes only
    std::span<const std::string_view> list = {}; // entries of a combo box
    std::string_view accessibleName = {};        // what a screen reader calls the control
    std::string_view description = {};           // and what it says about it
    bool startFocus = false;                     // has the focus when the window first shows
    // Buttons that belong together name the label that heads them; a toggle button shows
    // pressed or not as the program says, never by itself.
    std::string_view group = {};
    bool toggle = false;
};

/// A key that does what a click on a button or check box does; with no control, a key the
/// lesson takes and does nothing with (a remote's key that must not reach the toolkit).
struct KeyDef {
    Key key = Key::None;
    std::string_view control;
    Integer index = -1;
    bool remote = false; // a presentation remote's key: it acts also while a box has the focus
};

/// A window definition: the form's own settings and its controls. Lightweight items (labels,
/// lines and shapes) are listed in drawing order, backmost first.
struct FormDef {
    std::string_view name;
    std::string_view caption;
    int clientWidthTwips = 0;
    int clientHeightTwips = 0;
    Colour back = 0;
    Colour fore = 0;
    std::string_view fontFamily;
    FontDef font;
    std::span<const ControlDef> controls;
    std::span<const KeyDef> keys = {};
    /// The areas a screen taller than wide shows one below another, in this order: the first
    /// is the form at its smallest; each other shows as far as the form has grown to take it
    /// in. None: the form shows whole.
    std::span<const AreaDef> stacked = {};
};

} // namespace rt
