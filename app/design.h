#pragma once

#include "runtime/core/types.h"

/// The lesson's numbers, in one place: where the container, the table and the graph stand, in
/// form pixels, and their colours. The window's controls are in layout.cpp.
namespace design {

inline constexpr rt::Colour Board = 0x008000;
inline constexpr rt::Colour White = 0xFFFFFF;
inline constexpr rt::Colour Water = 0xFFFF00;

// The window's outer size in twips: short hides the table, tall shows it; narrow hides the
// graph, wide shows it.
inline constexpr int ShortHeight = 7965;
inline constexpr int TallHeight = 11070;
inline constexpr int NarrowWidth = 12270;
inline constexpr int WideWidth = 18345;

inline constexpr rt::Integer Minutes = 12;
inline constexpr double LitresPerMinute = 5;
inline constexpr float Floor = 460;       // the container's bottom line
inline constexpr float ScaleSpacing = 30; // pixels per minute of water, 5 litres
inline constexpr float LabelLift = 8;     // scale label top above its mark

// Progress counts half minutes: the container is full at FullProgress, and a run steps on from
// the last minute's start, LastStart.
inline constexpr rt::Integer FullProgress = 2 * Minutes;
inline constexpr rt::Integer LastStart = FullProgress - 2;

// One minute is animated in 40 frames, 20 for each unit of Progress; the water rises by a
// fortieth of a minute's band each frame.
inline constexpr rt::Integer FramesPerUnit = 20;
inline constexpr rt::Integer FramesPerMinute = 2 * FramesPerUnit;
inline constexpr double RisePerFrame = double(ScaleSpacing) / FramesPerMinute;

// The stream hangs from inside the spout and ends 2 px below the water's surface.
inline constexpr float StreamTop = 47;
inline constexpr double StreamAtFrameZero = Floor + 2 - StreamTop;

// The table's columns stand 50 px apart from x 120 for minute 0.
inline constexpr float ColumnX = 120;
inline constexpr float ColumnSpacing = 50;

// The table: minutes in one row, litres in the other, the first column at x 130.
inline constexpr float TableX = 130;
inline constexpr float MinutesRowY = 560;
inline constexpr float LitresRowY = 615;

/// The graph of y = 5x, to the right of the controls. Its vertical axis shares the container's
/// scale, so each point stands level with the water's surface at that minute.
namespace graph {
inline constexpr float OriginX = 860;
inline constexpr float OriginY = Floor;
inline constexpr float PixelsPerMinute = 25;
inline constexpr float PixelsPerLitre = ScaleSpacing / 5;
inline constexpr float Tick = 5;        // length of a tick mark
inline constexpr float PointRadius = 4; // of a plotted point
inline constexpr int LitresPerTick = 5;
inline constexpr int LitresPerLabel = 10;
inline constexpr int MinutesPerLabel = 2;

constexpr float x(double minutes) {
    return static_cast<float>(OriginX + PixelsPerMinute * minutes);
}
constexpr float y(double litres) {
    return static_cast<float>(OriginY - PixelsPerLitre * litres);
}
} // namespace graph

} // namespace design
