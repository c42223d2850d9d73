#pragma once

#include "lessons/shared/controls.h"
#include "lessons/shared/design.h"
#include "runtime/core/formdefinition.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

/// What both lessons' windows share, in twips: the container with its tap and stream, the
/// frames of the table and the graph, and the controls that stand in the same place in both.
/// Each lesson's table puts these parts together with its own, backmost first.
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
    {{.name = Layer.name,
      .index = 0,
      .kind = ControlKind::Shape,
      .twips = {2325, 6900, 5100, 15},
      .back = Water,
      .fore = Water},
     {.name = "floor",
      .kind = ControlKind::Line,
      .twips = {2280, 6900, 7440, 6900},
      .fore = LightOrange,
      .borderWidth = 5},
     {.name = "rightWall",
      .kind = ControlKind::Line,
      .twips = {7440, 1500, 7440, 6900},
      .fore = LightOrange,
      .borderWidth = 5},
     {.name = "tapPipe",
      .kind = ControlKind::Shape,
      .twips = {6240, 360, 1455, 255},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "tapValve",
      .kind = ControlKind::Shape,
      .twips = {6600, 240, 255, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "tapHandle",
      .kind = ControlKind::Shape,
      .twips = {6480, 120, 495, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "supply",
      .kind = ControlKind::Line,
      .twips = {7800, 120, 7800, 840},
      .fore = 0x808080,
      .borderWidth = 15},
     {.name = ScaleMark.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {7440, 6900, 6960, 6900},
      .fore = LightOrange,
      .borderWidth = 3},
     {.name = Stream.name,
      .kind = ControlKind::Shape,
      .twips = {6270, twips(design::StreamTop), 195, 15},
      .back = Water,
      .fore = Water,
      .borderWidth = 0},
     {.name = "spout",
      .kind = ControlKind::Shape,
      .twips = {6240, 600, 255, 135},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = "leftWall",
      .kind = ControlKind::Line,
      .twips = {2280, 1500, 2280, 6900},
      .fore = LightOrange,
      .borderWidth = 5}}};

/// A label on the board at (x, y) in pixels, as large as its caption.
constexpr ControlDef boardLabel(std::string_view name, float x, float y, std::string_view caption,
                                rt::FontDef font, int tabIndex = -1, rt::Colour fore = White) {
    return {.name = name,
            .kind = ControlKind::Label,
            .twips = {twips(x), twips(y), 0, 0},
            .back = Board,
            .fore = fore,
            .caption = caption,
            .font = font,
            .tabIndex = tabIndex,
            .autoSize = true};
}

/// The lesson's title on its band, and the unit after the time box.
constexpr std::array<ControlDef, 2> heading(std::string_view title,
                                            std::string_view unit = "分後") {
    return {{{.name = "title",
              .kind = ControlKind::Label,
              .twips = {120, 120, 2955, 435},
              .back = 0xC00000,
              .fore = White,
              .caption = title,
              .font = {21.75, false},
              .tabIndex = 0,
              .autoSize = true},
             {.name = "timeUnit",
              .kind = ControlKind::Label,
              .twips = {11160, 1320, 720, 360},
              .back = Board,
              .fore = White,
              .caption = unit,
              .font = {18, false},
              .tabIndex = 6,
              .autoSize = true}}};
}

/// How a lesson heads a row of its table.
struct RowHeading {
    std::array<int, 4> twips;
    std::string_view caption;
    rt::FontDef font;
    bool autoSize = true;
};

/// The table below the container: its rules, and the headings of its x and y rows.
constexpr std::array<ControlDef, 6> table(const RowHeading &x, const RowHeading &y) {
    constexpr auto rule = [](rt::Integer index, int at) {
        return ControlDef{.name = "tableRule",
                          .index = index,
                          .kind = ControlKind::Line,
                          .twips = {240, at, 11880, at},
                          .fore = White,
                          .borderWidth = 2};
    };
    const auto row = [](std::string_view name, const RowHeading &h, int tabIndex) {
        return ControlDef{.name = name,
                          .kind = ControlKind::Label,
                          .twips = h.twips,
                          .back = Board,
                          .fore = White,
                          .caption = h.caption,
                          .font = h.font,
                          .tabIndex = tabIndex,
                          .autoSize = h.autoSize};
    };
    return {{rule(0, 8160),
             rule(1, 9000),
             rule(2, 9840),
             {.name = "tableDivider",
              .kind = ControlKind::Line,
              .twips = {1440, 8160, 1440, 9840},
              .fore = White,
              .borderWidth = 2},
             row("xHeading", x, 10),
             row("yHeading", y, 11)}};
}

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

/// The graph's axes and the first tick mark of each (load() copies them): the same in both
/// lessons, the vertical one on the container's scale.
inline constexpr std::array<ControlDef, 4> GraphAxes = {
    {{.name = "yAxis",
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)), twips(design::graph::x(0)),
                twips(design::graph::y(62))},
      .fore = White,
      .borderWidth = 2},
     {.name = "xAxis",
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)),
                twips(design::graph::x(12.3)), twips(design::graph::y(0))},
      .fore = White,
      .borderWidth = 2},
     {.name = YTick.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0) - design::graph::Tick), twips(design::graph::y(0)),
                twips(design::graph::x(0)), twips(design::graph::y(0))},
      .fore = White},
     {.name = XTick.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(design::graph::x(0)), twips(design::graph::y(0)), twips(design::graph::x(0)),
                twips(design::graph::y(0) + design::graph::Tick)},
      .fore = White}}};

/// Where a lesson puts a caption of its graph, in pixels.
struct GraphCaption {
    float x;
    float y;
    std::string_view text;
};

/// Over the graph's axes: the captions of its axes, the vertical one's `y` at the graph's top,
/// and the formula, in `formulaColour`.
constexpr std::array<ControlDef, 3> graphCaptions(std::string_view y, const GraphCaption &x,
                                                  const GraphCaption &formula,
                                                  rt::Colour formulaColour) {
    return {{boardLabel("yAxisLabel", 826, design::graph::LabelTop, y, {12, true}),
             boardLabel("xAxisLabel", x.x, x.y, x.text, {12, true}),
             boardLabel(Formula.name, formula.x, formula.y, formula.text, {14.25, true}, -1,
                        formulaColour)}};
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

/// A lesson's window, `name`, with its `controls` and `keys`: the same size, colours, caption
/// and font in both.
constexpr rt::FormDef window(std::string_view name, std::span<const ControlDef> controls,
                             std::span<const rt::KeyDef> keys) {
    // An array sized above its entries would add controls with no name.
    for (const ControlDef &c : controls)
        if (c.name.empty()) throw "a control with no name"; // at compile time: the build stops
    return {.name = name,
            .caption = "量の変化と比例，反比例　　by Quorvel",
            .clientWidthTwips = 12150,
            .clientHeightTwips = 10695,
            .back = Board,
            .fore = 0x000000,
            .fontFamily = "ＭＳ Ｐゴシック",
            .font = {14.25, true},
            .controls = controls,
            .keys = keys,
            .stacked = Stacked};
}

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

/// `first`, then each of the `rest` in turn.
template <typename T, std::size_t N, std::size_t... M>
constexpr std::array<T, (N + ... + M)> join(const std::array<T, N> &first,
                                            const std::array<T, M> &...rest) {
    std::array<T, (N + ... + M)> all{};
    std::size_t at = 0;
    const auto append = [&all, &at](const auto &part) {
        for (const T &item : part)
            all[at++] = item;
    };
    append(first);
    (append(rest), ...);
    return all;
}

} // namespace layout
