#include "app/inverselayout.h"

#include "app/container.h"
#include "app/design.h"

#include <algorithm>
#include <array>

namespace {

using namespace layout;
namespace graph = design::graph;
namespace inverse = design::inverse;
using inverse::Curve;
using inverse::RateFace;

constexpr std::string_view RatesHeading = "Label10";

// One button per rate, four to a row, under their heading; the chosen one shows pressed.
constexpr ControlDef rateButton(rt::Integer index, std::string_view caption, std::string_view name,
                                std::string_view description) {
    return {.name = "Command8",
            .index = index,
            .kind = ControlKind::CommandButton,
            .twips = {twips(576.0f + 42 * (index % 4)), twips(256.0f + 38 * (index / 4)), twips(38),
                      twips(32)},
            .back = RateFace,
            .caption = caption,
            .font = {12, true},
            .tabIndex = 20 + index,
            .accessibleName = name,
            .description = description,
            .group = RatesHeading,
            .toggle = true};
}

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
constexpr std::array<ControlDef, 11> Own = {
    {// Lightweight items, backmost first.
     {.name = "Label1",
      .kind = ControlKind::Label,
      .twips = {120, 120, 2955, 435},
      .back = 0xC00000,
      .fore = White,
      .caption = "空の容器をいっぱいに",
      .font = {21.75, false},
      .tabIndex = 0,
      .autoSize = true},
     {.name = "Label4",
      .kind = ControlKind::Label,
      .twips = {11160, 1320, 720, 360},
      .back = Board,
      .fore = White,
      .caption = "分後",
      .font = {18, false},
      .tabIndex = 6,
      .autoSize = true},
     {.name = RatesHeading,
      .kind = ControlKind::Label,
      .twips = {twips(576), twips(236), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "1 分間に入れる水（L）",
      .font = {10.5, false},
      .tabIndex = 19,
      .autoSize = true},
     {.name = "Line6",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {240, 8160, 11880, 8160},
      .fore = White,
      .borderWidth = 2},
     {.name = "Line6",
      .index = 1,
      .kind = ControlKind::Line,
      .twips = {240, 9000, 11880, 9000},
      .fore = White,
      .borderWidth = 2},
     {.name = "Line6",
      .index = 2,
      .kind = ControlKind::Line,
      .twips = {240, 9840, 11880, 9840},
      .fore = White,
      .borderWidth = 2},
     {.name = "Line7",
      .kind = ControlKind::Line,
      .twips = {1440, 8160, 1440, 9840},
      .fore = White,
      .borderWidth = 2},
     {.name = "Label2",
      .kind = ControlKind::Label,
      .twips = {240, 8430, 1095, 405},
      .back = Board,
      .fore = White,
      .caption = "χ(L/分)",
      .font = {14.25, true},
      .tabIndex = 10,
      .autoSize = true},
     {.name = "Label3",
      .kind = ControlKind::Label,
      .twips = {240, 9240, 930, 405}, // autosized, clear of the table's line at x 95
      .back = Board,
      .fore = White,
      .caption = "ｙ（分）",
      .font = {20.25, true},
      .tabIndex = 11,
      .autoSize = true},

     // Under the graph's axes: the curve's first piece and the line climbed during a fill.
     {.name = "Line13",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(1)), twips(graph::y(60)), twips(graph::x(1)), twips(graph::y(60))},
      .fore = Curve,
      .borderWidth = 2},
     {.name = "Line12",
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(5)), twips(graph::y(0)), twips(graph::x(5)), twips(graph::y(0))},
      .fore = Water,
      .borderWidth = 2}}};

// Over the graph's axes (layout::GraphAxes): the first rate's point, the point climbing during
// a fill, the axes' labels and the formula; then the windowed controls.
constexpr std::array<ControlDef, 16> OwnAbove = {
    {graphPoint("Shape12", 0, 1, 60),
     graphPoint("Shape13", -1, 5, 0),
     {.name = "Label6",
      .kind = ControlKind::Label,
      .twips = {twips(826), twips(graph::LabelTop), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "ｙ（分）",
      .font = {12, true},
      .autoSize = true},
     {.name = "Label7",
      .kind = ControlKind::Label,
      .twips = {twips(1146), twips(484), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "χ(L/分)",
      .font = {12, true},
      .autoSize = true},
     {.name = "Label8",
      .kind = ControlKind::Label,
      .twips = {twips(1010), twips(260), 0, 0},
      .back = Board,
      .fore = Curve,
      .caption = "x × y = 60",
      .font = {14.25, true},
      .autoSize = true},

     // Windowed controls.
     {.name = "Command7",
      .kind = ControlKind::CommandButton,
      .twips = {240, 6300, 1755, 495},
      .back = 0xC0FFC0,
      .caption = "比例へ",
      .font = {12, false},
      .tabIndex = 16,
      .accessibleName = "比例へ",
      .description = "比例の学習に切りかえます。こちらの画面はそのまま残ります。"},
     {.name = "Command2",
      .kind = ControlKind::CommandButton,
      .twips = {8640, 2160, 1935, 495},
      .back = 0x0080FF,
      .caption = "入れる",
      .tabIndex = 2,
      .accessibleName = "入れる",
      .description = "容器を空にして、選んだ量ずつ、いっぱいになるまで水を入れます。",
      .startFocus = true},
     {.name = "Command5",
      .kind = ControlKind::CommandButton,
      .twips = {9480, 2760, 1095, 495},
      .back = 0x80C0FF,
      .caption = "停止",
      .font = {12, true},
      .tabIndex = 8,
      .accessibleName = "停止",
      .description = "水を入れるのを、次のちょうどの分で止めます。"},
     rateButton(0, "1", "毎分 1 L", "1 分間に 1 L ずつ入れます。"),
     rateButton(1, "2", "毎分 2 L", "1 分間に 2 L ずつ入れます。"),
     rateButton(2, "3", "毎分 3 L", "1 分間に 3 L ずつ入れます。"),
     rateButton(3, "4", "毎分 4 L", "1 分間に 4 L ずつ入れます。"),
     rateButton(4, "5", "毎分 5 L", "1 分間に 5 L ずつ入れます。"),
     rateButton(5, "6", "毎分 6 L", "1 分間に 6 L ずつ入れます。"),
     rateButton(6, "10", "毎分 10 L", "1 分間に 10 L ずつ入れます。"),
     rateButton(7, "12", "毎分 12 L", "1 分間に 12 L ずつ入れます。")}};

// グラフ and 初期画面 say what they do here.
constexpr auto OwnCommon = described(
    described(Common, "Check3",
              "1 分間に入れる水 (x) と、いっぱいになるまでの時間 (y) の関係をグラフで見せます。"
              "入れた量ごとの点と、それらを結ぶ曲線がかかれます。"),
    "Command6",
    "はじめの画面にもどします。容器は空になり、1 分間に入れる水は 5 L にもどります。"
    "表とグラフは消えます。");

constexpr auto Controls = join(join(join(join(Container, Own), GraphAxes), OwnAbove), OwnCommon);
// A size above the entries would add controls with no name.
static_assert(std::none_of(Controls.begin(), Controls.end(),
                           [](const ControlDef &c) { return c.name.empty(); }));

// The remote's keys act wherever the focus is, as in the first lesson.
constexpr std::array<rt::KeyDef, 19> Keys = {{
    {rt::Key::PageDown, "Command2", -1, true},
    {rt::Key::Right, "Command2"},
    {rt::Key::F5, "Command2", -1, true},
    // Nothing goes back in a fill: the remote's back key and ← are taken and do nothing, so
    // that the page neither scrolls nor leaves.
    {rt::Key::PageUp, {}, -1, true},
    {rt::Key::Left, {}},
    {rt::Key::Escape, "Command5", -1, true},
    {rt::Key::B, "Command5", -1, true},
    {rt::Key::Period, "Command5", -1, true},
    {rt::Key::Home, "Command6"},
    {rt::Key::H, "Check1"},
    {rt::Key::T, "Check2"},
    {rt::Key::G, "Check3"},
    {rt::Key::F2, "Command7"},
    {rt::Key::One, "Command8", 0},
    {rt::Key::Two, "Command8", 1},
    {rt::Key::Three, "Command8", 2},
    {rt::Key::Four, "Command8", 3},
    {rt::Key::Five, "Command8", 4},
    {rt::Key::Six, "Command8", 5},
}};
// A size above the entries would bind keys that name no key.
static_assert(std::none_of(Keys.begin(), Keys.end(),
                           [](const rt::KeyDef &k) { return k.key == rt::Key::None; }));

constexpr rt::FormDef InverseWindow = {
    .name = "Form2",
    .caption = "量の変化と比例，反比例　　by Quorvel",
    .clientWidthTwips = 12150,
    .clientHeightTwips = 10695,
    .back = Board,
    .fore = 0x000000,
    .fontFamily = "ＭＳ Ｐゴシック",
    .font = {14.25, true},
    .controls = Controls,
    .keys = Keys,
    .stacked = layout::Stacked,
};

} // namespace

const rt::FormDef &inverseWindowDefinition() {
    return InverseWindow;
}
