#include "lessons/inverse/inverselayout.h"

#include "lessons/shared/design.h"
#include "lessons/shared/keys.h"
#include "lessons/shared/layout.h"
#include "lessons/shared/windowed.h"

#include <array>

namespace layout::inverse {

namespace {

namespace graph = design::graph;

// The heading of the rate buttons, which names their group.
constexpr std::string_view Rates = "rates";

// One button per rate, four to a row, under their heading; the chosen one shows pressed.
constexpr ControlDef rateButton(rt::Integer index, std::string_view caption, std::string_view name,
                                std::string_view description) {
    return {.name = Rate.name,
            .index = index,
            .kind = ControlKind::CommandButton,
            .twips = {twips(576.0f + 42 * (index % 4)), twips(256.0f + 38 * (index / 4)), twips(38),
                      twips(32)},
            .back = design::inverse::RateFace,
            .caption = caption,
            .font = {12, true},
            .tabIndex = 20 + index,
            .accessibleName = name,
            .description = description,
            .group = Rates,
            .toggle = true};
}

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
constexpr std::array<ControlDef, 1> RatesHeading = {
    boardLabel(Rates, 576, 236, "1 分間に入れる水（L）", {10.5, false}, 19)};

// Under the graph's axes: the curve's first piece and the line climbed during a fill.
constexpr std::array<ControlDef, 2> UnderAxes = {
    {{.name = Curve.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(1)), twips(graph::y(60)), twips(graph::x(1)), twips(graph::y(60))},
      .fore = design::inverse::Curve,
      .borderWidth = 2},
     {.name = RisingLine.name,
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(5)), twips(graph::y(0)), twips(graph::x(5)), twips(graph::y(0))},
      .fore = Water,
      .borderWidth = 2}}};

// Over the graph's axes: the first rate's point, the point climbing during a fill, the axes'
// captions and the formula; then the windowed controls.
constexpr auto OverAxes = join(
    std::array{graphPoint(Point.name, 0, 1, 60), graphPoint(RisingPoint.name, -1, 5, 0)},
    graphCaptions("ｙ（分）", {1146, 484, "χ(L/分)"}, {1010, 260, "x × y = 60"},
                  design::inverse::Curve),
    buttons({.upper = ToConstantButton,
             .lower = ToProportionButton,
             .start = Pour.name,
             .startCaption = "入れる",
             .startDescription = "容器を空にして、選んだ量ずつ、いっぱいになるまで水を入れます。",
             .startFocused = true,
             .stopDescription = "水を入れるのを、次のちょうどの分で止めます。"}));

constexpr std::array<ControlDef, 8> RateButtons = {
    {rateButton(0, "1", "毎分 1 L", "1 分間に 1 L ずつ入れます。"),
     rateButton(1, "2", "毎分 2 L", "1 分間に 2 L ずつ入れます。"),
     rateButton(2, "3", "毎分 3 L", "1 分間に 3 L ずつ入れます。"),
     rateButton(3, "4", "毎分 4 L", "1 分間に 4 L ずつ入れます。"),
     rateButton(4, "5", "毎分 5 L", "1 分間に 5 L ずつ入れます。"),
     rateButton(5, "6", "毎分 6 L", "1 分間に 6 L ずつ入れます。"),
     rateButton(6, "10", "毎分 10 L", "1 分間に 10 L ずつ入れます。"),
     rateButton(7, "12", "毎分 12 L", "1 分間に 12 L ずつ入れます。")}};

// グラフ and 初期画面 say what they do here.
constexpr auto OwnCommon = described(
    described(Common, Graph.name,
              "1 分間に入れる水 (x) と、いっぱいになるまでの時間 (y) の関係をグラフで見せます。"
              "入れた量ごとの点と、それらを結ぶ曲線がかかれます。"),
    InitialScreen.name,
    "はじめの画面にもどします。容器は空になり、1 分間に入れる水は 5 L にもどります。"
    "表とグラフは消えます。");

// The container stands behind everything else; the shared controls come last.
constexpr auto Controls = join(Container, heading("空の容器をいっぱいに"), RatesHeading,
                               table({{240, 8430, 1095, 405}, "χ(L/分)", {14.25, true}},
                                     // clear of the table's line at x 95
                                     {{240, 9240, 930, 405}, "ｙ（分）", {20.25, true}}),
                               UnderAxes, GraphAxes, OverAxes, RateButtons, OwnCommon);

// 1 to 6 choose as many litres a minute.
constexpr std::array<rt::KeyDef, 6> RateKeys = {{
    {rt::Key::One, Rate.name, 0},
    {rt::Key::Two, Rate.name, 1},
    {rt::Key::Three, Rate.name, 2},
    {rt::Key::Four, Rate.name, 3},
    {rt::Key::Five, Rate.name, 4},
    {rt::Key::Six, Rate.name, 5},
}};

// 入れる takes the remote's keys to go on and to start; nothing goes back in a fill.
constexpr auto Keys = keys(remoteKeys(Pour.name, {}, Pour.name), ToConstant.name, RateKeys);

constexpr rt::FormDef Window = window("inverse", Controls, Keys);

} // namespace

const rt::FormDef &definition() {
    return Window;
}

} // namespace layout::inverse
