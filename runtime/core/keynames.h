#pragma once

#include "runtime/core/input.h"

#include <array>
#include <string_view>

namespace rt {

/// What the front ends know a key by: the name a browser gives it (KeyboardEvent.key, a
/// letter in lower case), and how a desktop shortcut writes it in portable text, the keys
/// that make it apart by "; " (Return is the main Enter, Enter the keypad's).
struct KeyName {
    Key key = Key::None;
    std::string_view page;
    std::string_view desktop;
};

/// Every key but None and Text, in the order of Key. A key typing another single character is
/// Key::Text; any other is Key::None.
inline constexpr std::array<KeyName, KeyCount - 2> KeyNames = {{
    {Key::PageDown, "PageDown", "PgDown"},
    {Key::PageUp, "PageUp", "PgUp"},
    {Key::Right, "ArrowRight", "Right"},
    {Key::Left, "ArrowLeft", "Left"},
    {Key::Up, "ArrowUp", "Up"},
    {Key::Down, "ArrowDown", "Down"},
    {Key::Home, "Home", "Home"},
    {Key::End, "End", "End"},
    {Key::Enter, "Enter", "Return; Enter"},
    {Key::Space, " ", "Space"},
    {Key::Escape, "Escape", "Esc"},
    {Key::Tab, "Tab", "Tab; Backtab"},
    {Key::Backspace, "Backspace", "Backspace"},
    {Key::Delete, "Delete", "Del"},
    {Key::F1, "F1", "F1"},
    {Key::F2, "F2", "F2"},
    {Key::F5, "F5", "F5"},
    {Key::F11, "F11", "F11"},
    {Key::Period, ".", "."},
    {Key::Plus, "+", "+"},
    {Key::Equal, "=", "="},
    {Key::Minus, "-", "-"},
    {Key::Zero, "0", "0"},
    {Key::B, "b", "B"},
    {Key::G, "g", "G"},
    {Key::H, "h", "H"},
    {Key::T, "t", "T"},
    {Key::One, "1", "1"},
    {Key::Two, "2", "2"},
    {Key::Three, "3", "3"},
    {Key::Four, "4", "4"},
    {Key::Five, "5", "5"},
    {Key::Six, "6", "6"},
}};

namespace detail {
constexpr bool everyKeyNamed() {
    for (std::size_t i = 0; i < KeyNames.size(); ++i)
        if (KeyNames[i].key != static_cast<Key>(i + 2) || KeyNames[i].page.empty() ||
            KeyNames[i].desktop.empty())
            return false;
    return true;
}
} // namespace detail
// A key added to Key needs its names here, in its place, or no front end could press it.
static_assert(static_cast<int>(Key::None) == 0 && static_cast<int>(Key::Text) == 1 &&
                  detail::everyKeyNamed(),
              "every key, in the order of Key, needs its names");

} // namespace rt
