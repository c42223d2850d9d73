#pragma once

#include "lessons/shared/controls.h"
#include "lessons/shared/layout.h"
#include "runtime/core/formdefinition.h"
#include "runtime/core/formview.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

/// The keys both lessons have, after each lesson's own: what they do, and the list F1 shows.
namespace layout {

/// A presentation remote's keys, which act wherever the focus is: Page Down goes on to `next`,
/// Page Up back to `previous`, and F5 starts the water. Some remotes send → and ←, which move
/// the cursor in a box and act elsewhere. With no `previous`, Page Up and ← are taken and do
/// nothing, so that the page neither scrolls nor leaves.
constexpr std::array<rt::KeyDef, 5> remoteKeys(std::string_view next, std::string_view previous,
                                               std::string_view start) {
    return {{{rt::Key::PageDown, next, -1, true},
             {rt::Key::Right, next},
             {rt::Key::PageUp, previous, -1, true},
             {rt::Key::Left, previous},
             {rt::Key::F5, start, -1, true}}};
}

/// The remotes' Esc, B or "." stop, also wherever the focus is.
inline constexpr std::array<rt::KeyDef, 7> CommonKeys = {{
    {rt::Key::Escape, Stop.name, -1, true},
    {rt::Key::B, Stop.name, -1, true},
    {rt::Key::Period, Stop.name, -1, true},
    {rt::Key::Home, InitialScreen.name},
    {rt::Key::H, Hint.name},
    {rt::Key::T, Table.name},
    {rt::Key::G, Graph.name},
}};

/// The remote's keys, a lesson's `own` keys, then the common ones; F2 clicks `nextLesson`,
/// the button of the lesson after this one.
template <std::size_t N = 0>
constexpr std::array<rt::KeyDef, 5 + N + CommonKeys.size() + 1>
keys(const std::array<rt::KeyDef, 5> &remote, std::string_view nextLesson,
     const std::array<rt::KeyDef, N> &own = {}) {
    const auto all = join(remote, own, CommonKeys, std::array{rt::KeyDef{rt::Key::F2, nextLesson}});
    // A size above the entries would bind keys that name no key.
    if (std::any_of(all.begin(), all.end(),
                    [](const rt::KeyDef &k) { return k.key == rt::Key::None; }))
        throw "a key with no name"; // at compile time: the build stops here
    return all;
}

/// The list of keys F1 shows: a lesson's `own` rows, then the common ones, F2 switching to the
/// lesson `nextLesson` names.
template <std::size_t N>
constexpr std::array<rt::NoteRow, N + 10> keyList(const std::array<rt::NoteRow, N> &own,
                                                  std::string_view nextLesson) {
    const std::array<rt::NoteRow, 10> common = {{
        {"Esc、B または .", "停止"},
        {"Home", "初期画面"},
        {"H", "Hint (色分け)"},
        {"T", "表"},
        {"G", "グラフ"},
        {"F2", nextLesson},
        {"Ctrl + + / Ctrl + -", "拡大 / 縮小"},
        {"Ctrl + 0", "元の大きさ"},
        {"F11", "全画面 / 元の画面"},
        {"F1", "この一覧"},
    }};
    return join(own, common);
}

} // namespace layout
