#pragma once

#include "app/design.h"
#include "runtime/core/formdefinition.h"

#include <array>
#include <cstddef>
#include <string_view>

/// What both lessons' windows share, in twips: the container with its tap and stream, and the
/// controls that stand in the same place and do the same in both.
namespace layout {

using design::Water;
using design::White;
using rt::ControlDef;
using rt::ControlKind;
inline constexpr rt::Colour LightOrange = 0x80C0FF;
inline constexpr rt::Colour Board = design::Board;
namespace Sys = rt::SystemColour;

constexpr int twips(float pixels) {
    return static_cast<int>(pixels * rt::TwipsPerPixel);
}

inline constexpr std::array<std::string_view, 6> DelayChoices = {" 1", " 5", "10",
                                                                 "20", "50", "100"};

/// The container, its scale's first mark, the tap and the stream, backmost first.
inline constexpr std::array<ControlDef, 11> Container = {
    {{.name = "Shape9",
      .index = 0,
      .kind = ControlKind::Shape,
      .twips = {2325, 6900, 5100, 15},
      .back = Water,
      .fore = Water},
     {.name = "Line2",
      .kind = ControlKind::Line,
      .twips = {2280, 6900, 7440, 6900},
      .fore = LightOrange,
      .borderWidth = 5},
     {.name = "Line3",
      .kind = ControlKind::Line,
      .twips = {7440, 1500, 7440, 6900},
      .fore = LightOrange,
      .borderWidth = 5},
     {.name = "Shape1",
      .kind = ControlKind::Shape,
      .twips = {6240, 360, 1455, 255},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "Shape3",
      .kind = ControlKind::Shape,
      .twips = {6600, 240, 255, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "Shape4",
      .kind = ControlKind::Shape,
      .twips = {6480, 120, 495, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "Line4",
      .kind = ControlKind::Line,
      .twips = {7800, 120, 7800, 840},
      .fore = 0x808080,
      .borderWidth = 15},
     {.name = "Line5",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {7440, 6900, 6960, 6900},
      .fore = LightOrange,
      .borderWidth = 3},
     {.name = "Shape11",
      .kind = ControlKind::Shape,
      .twips = {6270, twips(design::StreamTop), 195, 15},
      .back = Water,
      .fore = Water,
      .borderWidth = 0},
     {.name = "Shape2",
      .kind = ControlKind::Shape,
      .twips = {6240, 600, 255, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "Line1",
      .kind = ControlKind::Line,
      .twips = {2280, 1500, 2280, 6900},
      .fore = LightOrange,
      .borderWidth = 5}}};

/// 終了, Hint, 表, グラフ, the time box, the delay box and 初期画面.
/// A point on the graph at (x, y) in the graph's units: a filled circle in the water's colour.
constexpr ControlDef graphPoint(std::string_view name, rt::Integer index, double x, double y) {
    namespace graph = design::graph;
    return {.name = name,
            .index = index,
            .kind = ControlKind::Shape,
            .twips = {twips(graph::x(x) - graph::PointRadius),
                      twips(graph::y(y) - graph::PointRadius), twips(2 * graph::PointRadius),
                      twips(2 * graph::PointRadius)},
            .back = Water,
            .fore = Water,
            .borderWidth = 0,
            .style = rt::ShapeStyle::Circle};
}

/// The graph's axes and the first tick mark of each (Form_Load copies them): the same in both
/// lessons, the vertical one on the container's scale.
inline constexpr std::array<ControlDef, 4> GraphAxes = {
    {{.name = "Line8",
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)), twips(design::graph::x(0)),
                twips(design::graph::y(62))},
      .fore = White,
      .borderWidth = 2},
     {.name = "Line9",
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)),
                twips(design::graph::x(12.3)), twips(design::graph::y(0))},
      .fore = White,
      .borderWidth = 2},
     {.name = "Line10",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0) - design::graph::Tick), twips(design::graph::y(0)),
                twips(design::graph::x(0)), twips(design::graph::y(0))},
      .fore = White},
     {.name = "Line11",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)), twips(design::graph::x(0)),
                twips(design::graph::y(0) + design::graph::Tick)},
      .fore = White}}};

inline constexpr std::array<ControlDef, 8> Common = {
    {// Under the delay box, over nothing else.
     {.name = "Label5",
      .kind = ControlKind::Label,
      .twips = {9720, 3270, 780, 180},
      .back = Board,
      .fore = White,
      .caption = "（１秒ごと）",
      .font = {9, false},
      .tabIndex = 15,
      .autoSize = true},
     {.name = "Command1",
      .kind = ControlKind::CommandButton,
      .twips = {10320, 6720, 1575, 495},
      .back = 0xFF8080,
      .caption = "終了",
      .tabIndex = 1,
      .accessibleName = "終了",
      .description = "プログラムを終わります。"},
     {.name = "Check1",
      .kind = ControlKind::CheckBox,
      .twips = {8760, 5280, 1455, 375},
      .back = Board,
      .fore = White,
      .caption = "Hint",
      .tabIndex = 14,
      .accessibleName = "Hint",
      .description = "1 分ごとの水の色を変えて、区別できるようにします。"},
     {.name = "Check2",
      .kind = ControlKind::CheckBox,
      .twips = {8760, 5880, 1815, 615},
      .back = Board,
      .fore = White,
      .caption = "表",
      .tabIndex = 12,
      .accessibleName = "表",
      .description = "x と y の表を見せます。"},
     {.name = "Check3",
      .kind = ControlKind::CheckBox,
      .twips = {8760, 6600, 1455, 375},
      .back = Board,
      .fore = White,
      .caption = "グラフ",
      .tabIndex = 13,
      .accessibleName = "グラフ",
      .description = "x と y の関係を、水の高さと並べてグラフで見せます。"},
     {.name = "Text1",
      .kind = ControlKind::TextBox,
      .twips = {8640, 600, 2415, 1095},
      .back = Sys::WindowBackground,
      .fore = Sys::WindowText,
      .font = {48, true},
      .tabIndex = 5,
      .accessibleName = "経過時間 (分)",
      .description = "水を入れはじめてからの時間を分で示します。"},
     {.name = "Combo2",
      .kind = ControlKind::ComboBox,
      .twips = {10800, 2925, 735, 315},
      .back = Sys::WindowBackground,
      .fore = Sys::WindowText,
      .caption = "20",
      .font = {9.75, false},
      .tabIndex = 4,
      .list = DelayChoices,
      .accessibleName = "こま送りの間隔 (ミリ秒)",
      .description = "アニメーションのこまとこまの間の時間をミリ秒で選びます。"},
     {.name = "Command6",
      .kind = ControlKind::CommandButton,
      .twips = {600, 840, 1335, 495},
      .back = 0x80FFFF,
      .caption = "初期画面",
      .font = {12, false},
      .tabIndex = 9,
      .accessibleName = "初期画面",
      .description = "はじめの画面にもどします。容器は空になり、時間は 0 分にもどります。"}}};

/// `controls` with the description of `name` replaced: a lesson's own words for a shared control.
template <std::size_t N>
constexpr std::array<ControlDef, N> described(std::array<ControlDef, N> controls,
                                              std::string_view name, std::string_view description) {
    bool found = false;
    for (ControlDef &c : controls)
        if (c.name == name) {
            c.description = description;
            found = true;
        }
    if (!found) throw "no such control"; // at compile time: the build stops here
    return controls;
}

/// `a`, then `b`.
template <std::size_t A, std::size_t B>
constexpr std::array<ControlDef, A + B> join(const std::array<ControlDef, A> &a,
                                             const std::array<ControlDef, B> &b) {
    std::array<ControlDef, A + B> all{};
    for (std::size_t i = 0; i < A; ++i)
        all[i] = a[i];
    for (std::size_t i = 0; i < B; ++i)
        all[A + i] = b[i];
    return all;
}

/// Where a screen taller than wide puts the areas of both windows, one below another: the
/// board (the window at its smallest, narrow and short), the table the tall window adds below
/// it, then the graph the wide window adds beside it, without the empty strip above it but
/// for a margin over its highest label.
inline constexpr int BoardWidth = rt::clientWidth(design::NarrowWidth);
inline constexpr int BoardHeight = rt::clientHeight(design::ShortHeight);
inline constexpr int GraphMargin = 30;
inline constexpr int GraphTop = static_cast<int>(design::graph::LabelTop) - GraphMargin;
inline constexpr std::array<rt::AreaDef, 3> Stacked = {{
    {0, 0, BoardWidth, BoardHeight},
    {0, BoardHeight, BoardWidth, rt::clientHeight(design::TallHeight) - BoardHeight},
    {BoardWidth, GraphTop, rt::clientWidth(design::WideWidth) - BoardWidth, BoardHeight - GraphTop},
}};
static_assert(GraphTop >= 0 && GraphTop < BoardHeight, "the graph's area starts on the board");

} // namespace layout
