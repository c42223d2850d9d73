#pragma once

#include "runtime/core/types.h"

/// The lesson's numbers, in one place: where the container, the table and the graph stand, in
/// form pixels, and their colours. The windows' controls are in each lesson's layout table.
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

// `progress` counts half minutes: the container is full at FullProgress, and a run steps on from
// the last minute's start, LastStart.
inline constexpr rt::Integer FullProgress = 2 * Minutes;
inline constexpr rt::Integer LastStart = FullProgress - 2;

// One minute is animated in 40 frames, 20 for each unit of `progress`; the water rises by a
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
inline constexpr float LabelTop = 70;   // the litre axis's label, the graph's highest item
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

/// The Hint colour of the water poured in minute `layer`: dark to light, so that neighbouring
/// minutes can be told apart.
constexpr rt::Colour hint(int layer) {
    const auto level = static_cast<rt::Colour>(135 + 10 * layer);
    return level << 16 | level << 8;
}

/// The second lesson: the same container filled at a chosen rate, x litres a minute, until it
/// is full after y = 60 ÷ x minutes.
namespace inverse {
inline constexpr int Capacity = 60; // litres, the top of the scale
inline constexpr int RateCount = 8;
// The rates up to 12 that fill the container in whole minutes.
inline constexpr int Rates[RateCount] = {1, 2, 3, 4, 5, 6, 10, 12};
inline constexpr int StartRate = 5;
// The rate buttons' face, yellow for the rate chosen; the curve and its formula.
inline constexpr rt::Colour RateFace = 0xFFFFC0;
inline constexpr rt::Colour ChosenRateFace = 0x00FFFF;
inline constexpr rt::Colour Curve = 0x00FFFF;
inline constexpr int MaxMinutes = Capacity / Rates[0];
// Minutes in the table and on the graph's vertical axis share the litres' scale: 60 at y 100.
inline constexpr float PixelsPerLitre = graph::PixelsPerLitre;

// The table: the rates in one row, the minutes in the other, 80 px apart from x 120.
inline constexpr float RateColumnX = 120;
inline constexpr float RateColumnSpacing = 80;

// The curve through the points, from 1 to 12 litres a minute in quarter steps.
inline constexpr int CurveSteps = 44;
inline constexpr double CurveStep = double(Rates[RateCount - 1] - Rates[0]) / CurveSteps;

/// The Hint colour of the water poured in minute `minute` of a fill. A slow rate pours up to 60
/// thin layers: neighbouring minutes alternate between the dark and the light half of the
/// first lesson's colours, each half growing lighter over six minutes, so that every minute
/// stands out from the ones next to it.
constexpr rt::Colour hint(int minute) {
    const int step = minute / 2 % (design::Minutes / 2);
    return design::hint(minute % 2 == 0 ? step : design::Minutes / 2 + step);
}

constexpr int index(int rate) {
    for (int i = 0; i < RateCount; ++i)
        if (Rates[i] == rate) return i;
    return -1;
}
constexpr float surface(double litres) {
    return static_cast<float>(Floor - PixelsPerLitre * litres);
}
} // namespace inverse

} // namespace design
