#pragma once

#include <cstdint>
#include <string>

namespace rt {

/// The keys the runtime tells apart, whatever the toolkit calls them.
enum class Key : std::uint8_t {
    None, // a key that types nothing and is none of those below
    Text, // a key that types a character other than those below
    PageDown,
    PageUp,
    Right,
    Left,
    Up,
    Down,
    Home,
    End,
    Enter,
    Space,
    Escape,
    Tab,
    Backspace,
    Delete,
    F1,
    F2,
    F5,
    F11,
    Period,
    Plus,
    Equal,
    Minus,
    Zero,
    B,
    G,
    H,
    T,
    // The figures a lesson binds; others type as Key::Text.
    One,
    Two,
    Three,
    Four,
    Five,
    Six,
    Count, // not a key: how many there are
};
inline constexpr int KeyCount = static_cast<int>(Key::Count);

/// Modifier keys held with a key, as bits.
namespace Modifier {
inline constexpr unsigned Shift = 1;
inline constexpr unsigned Control = 2;
inline constexpr unsigned Alt = 4;
inline constexpr unsigned Meta = 8;
inline constexpr unsigned Combinations = 16;
} // namespace Modifier

/// Where the keyboard focus is, as far as keys are concerned: on the board (or on nothing of
/// the form's, such as a note), on a windowed control of a kind, or in a combo box's open list.
enum class FocusKind : std::uint8_t { Board, Button, CheckBox, TextBox, ComboBox, OpenList };
inline constexpr int FocusKindCount = static_cast<int>(FocusKind::OpenList) + 1;

/// What a key does. The front end carries out the last four and leaves the first two to its
/// toolkit; the runtime carries out the rest itself.
enum class KeyOutcome : std::uint8_t {
    Toolkit,  // the toolkit's own handling: Tab moves the focus, shortcuts work
    Box,      // the box with the focus keeps the key: it types, or moves the cursor
    Ignore,   // taken, and nothing happens
    Action,   // the lesson's action bound to the key: a click on its control; an open list closes
    Click,    // a click on the control with the focus
    LeaveBox, // the typed text stands; the focus goes to the board
    ZoomIn,
    ZoomOut,
    ZoomReset,
    FullScreen,
};

/// Whether the runtime carries out `outcome` (the front end then takes the key from its toolkit).
constexpr bool performedByRuntime(KeyOutcome outcome) {
    return outcome == KeyOutcome::Action || outcome == KeyOutcome::Click ||
           outcome == KeyOutcome::LeaveBox;
}

/// One thing the user did, as a front end reports it to the form.
struct Input {
    enum class Type : std::uint8_t {
        Click,  // clicked a control
        Check,  // set a check box to `value`
        Text,   // typed `text` into a box (its whole text now)
        Choose, // chose entry `value` of a combo box's list
        Focus,  // moved the focus to `control`, or to the board (-1)
        Key,    // pressed key `value` with `modifiers`, the focus `where`, `editing` or not
    };
    Input() = default;
    explicit Input(Type type, int control = -1, int value = 0)
        : type(type), control(control), value(value) {}

    Type type = Type::Click;
    int control = -1; // the control's place in Form::controls(); -1 for the board
    int value = 0;
    unsigned modifiers = 0;
    FocusKind where = FocusKind::Board;
    bool editing = false;
    std::string text;
};

} // namespace rt
