#pragma once

#include "lessons/shared/controls.h"
#include "runtime/core/formdefinition.h"

#include <array>
#include <span>

/// The third lesson's window: the container half full, water added or taken away at a rate
/// the pupil chooses, before and after now; the numbers, the controls of its own by name, and
/// its whole table.
namespace layout::constant {

inline constexpr int RateCount = 10;
// Litres a minute, in the order of the rate buttons' indices and of ↑.
inline constexpr std::array<int, RateCount> Rates = {-5, -4, -3, -2, -1, 1, 2, 3, 4, 5};
inline constexpr int StartRate = 5;
inline constexpr int MinMinute = -6;
inline constexpr int MaxMinute = 6;
inline constexpr int Columns = MaxMinute - MinMinute + 1;
inline constexpr float ZeroLevel = 280; // now: 30 L, the 0 line across the container
inline constexpr float PixelsPerLitre = 6;
// The rate buttons' face, and the faces of the chosen rate's line and of earlier ones.
inline constexpr rt::Colour RateFace = 0xFFFFC0;
inline constexpr rt::Colour ChosenRateFace = 0x00FFFF;
inline constexpr rt::Colour Line = 0x00FFFF;
inline constexpr rt::Colour EarlierLine = 0xA0E0E0;

/// The surface's y on the board, `litres` from now.
constexpr float surface(double litres) {
    return static_cast<float>(ZeroLevel - PixelsPerLitre * litres);
}
/// The graph, its origin level with the 0 line, x from −6 to 6.
constexpr float graphX(double minutes) {
    return static_cast<float>(1010 + 25 * minutes);
}
constexpr int index(int rate) {
    for (int i = 0; i < RateCount; ++i)
        if (Rates[std::size_t(i)] == rate) return i;
    return -1;
}

inline constexpr Named<rt::CommandButton> Run{"run"};
inline constexpr Named<rt::CommandButton> Forward{"forward"};
inline constexpr Named<rt::CommandButton> Back{"back"};
inline constexpr NamedArray<rt::CommandButton> Rate{"rate"}; // in the order of Rates
inline constexpr NamedArray<rt::Line> Segment{"segment"};
inline constexpr NamedArray<rt::Line> RateLine{"rateLine"};    // in the order of Rates
inline constexpr NamedArray<rt::Label> RateLabel{"rateLabel"}; // the lines' formulas
inline constexpr Named<rt::Shape> Drain{"drain"};              // the water running out

/// Every control with its box, colours, caption, font and tab index; lines, rectangles and
/// labels in drawing order, backmost first.
const rt::FormDef &definition();
/// The list of keys F1 shows.
std::span<const rt::NoteRow> keyRows();

} // namespace layout::constant
