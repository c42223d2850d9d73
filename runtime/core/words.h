#pragma once

#include <string_view>

/// The runtime's own words that users read, in one place for every front end; the lesson's
/// words are in its definitions.
namespace rt::words {

/// The button that closes a note.
inline constexpr std::string_view Close = "閉じる";
/// Where the program cannot close its window (a page), what stands after End...
inline constexpr std::string_view Ended = "授業は終わりました";
/// ...and the button that starts the lesson again.
inline constexpr std::string_view Again = "もう一度";
/// The button beside a combo box's field that opens its list, where it is a widget of its own.
inline constexpr std::string_view OpenList = "一覧を開く";

} // namespace rt::words
