#include "lessons/constant/constantlayout.h"

#include "lessons/shared/design.h"
#include "lessons/shared/keys.h"
#include "lessons/shared/layout.h"
#include "lessons/shared/windowed.h"

#include <array>

namespace layout::constant {

namespace {

// The heading of the rate buttons, which names their group.
constexpr std::string_view RatesHeading = "rates";

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
// The 0 line across the container at now's level, its label left of the container, and the
// outlet under the floor through which sinking water runs out, in the tap's style.
constexpr std::array<ControlDef, 4> NowAndOutlet = {
    {{.name = "zeroLine",
      .kind = ControlKind::Line,
      .twips = {2280, twips(ZeroLevel), 7440, twips(ZeroLevel)},
      .fore = White,
      .borderWidth = 2},
     boardLabel("zeroLabel", 44, ZeroLevel - 10, "今 → 0", {12, true}, 17),
     {.name = "outlet",
      .kind = ControlKind::Shape,
      .twips = {twips(416), twips(462), twips(17), twips(20)},
      .back = Sys::WindowBackground,
      .fore = White},
     {.name = Drain.name,
      .kind = ControlKind::Shape,
      .twips = {twips(418), twips(462), twips(13), 0},
      .back = Water,
      .fore = Water,
      .borderWidth = 0}}};

constexpr ControlDef graphLine(std::string_view name, rt::Colour colour) {
    return {.name = name,
            .index = 0,
            .kind = ControlKind::Line,
            .twips = {twips(graphX(0)), twips(ZeroLevel), twips(graphX(0)), twips(ZeroLevel)},
            .fore = colour,
            .borderWidth = 2};
}

// Under the axes: the first minute's segment and the first rate's line (the others copies).
constexpr std::array<ControlDef, 2> UnderAxes = {
    {graphLine(Segment.name, Water), graphLine(RateLine.name, Line)}};

// The axes cross in the middle, level with the 0 line; the first tick of each.
constexpr std::array<ControlDef, 4> Axes = {
    {{.name = "yAxis",
      .kind = ControlKind::Line,
      .twips = {twips(graphX(0)), twips(surface(-31)), twips(graphX(0)), twips(surface(32))},
      .fore = White,
      .borderWidth = 2},
     {.name = "xAxis",
      .kind = ControlKind::Line,
      .twips = {twips(graphX(-6.3)), twips(ZeroLevel), twips(graphX(6.3)), twips(ZeroLevel)},
      .fore = White,
      .borderWidth = 2},
     {.name = YTick.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graphX(0) - design::graph::Tick), twips(ZeroLevel), twips(graphX(0)),
                twips(ZeroLevel)},
      .fore = White},
     {.name = XTick.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graphX(0)), twips(ZeroLevel), twips(graphX(0)),
                twips(ZeroLevel + design::graph::Tick)},
      .fore = White}}};

constexpr ControlDef rateLabel() {
    ControlDef label = boardLabel(RateLabel.name, 0, 0, "y = 5x", {10.5, true}, -1, Line);
    label.index = 0;
    return label;
}

// Over the axes: the origin's point (the other minutes' are copies), the captions, the chosen
// rate's formula and the lines' labels; then the windowed controls.
constexpr auto OverAxes = join(
    std::array{graphPoint(Point.name, 0, 6, 30), // the shared graph's (6, 30) is this origin
               boardLabel("yAxisLabel", graphX(0) + 8, 70, "ｙ（L）", {12, true}),
               boardLabel("xAxisLabel", graphX(6.4), ZeroLevel - 24, "χ(分)", {12, true}),
               boardLabel(Formula.name, 870, 44, "y = 5x", {14.25, true}, -1, Line), rateLabel()},
    buttons({.upper = ToInverseButton,
             .lower = ToProportionButton,
             .start = Run.name,
             .startCaption = "自　動",
             .startDescription = "6 分後まで自動で進めます。",
             .startFocused = false,
             .stopDescription = "自動で進めるのを、次のちょうどの分で止めます。"}));

// Each rate's caption, what a screen reader calls its button, and what the button does.
struct RateWords {
    std::string_view caption, name, description;
};
constexpr std::array<RateWords, RateCount> Words = {{
    {"−5", "毎分 5 L へる", "1 分間に 5 L ずつへらします。"},
    {"−4", "毎分 4 L へる", "1 分間に 4 L ずつへらします。"},
    {"−3", "毎分 3 L へる", "1 分間に 3 L ずつへらします。"},
    {"−2", "毎分 2 L へる", "1 分間に 2 L ずつへらします。"},
    {"−1", "毎分 1 L へる", "1 分間に 1 L ずつへらします。"},
    {"1", "毎分 1 L ふえる", "1 分間に 1 L ずつふやします。"},
    {"2", "毎分 2 L ふえる", "1 分間に 2 L ずつふやします。"},
    {"3", "毎分 3 L ふえる", "1 分間に 3 L ずつふやします。"},
    {"4", "毎分 4 L ふえる", "1 分間に 4 L ずつふやします。"},
    {"5", "毎分 5 L ふえる", "1 分間に 5 L ずつふやします。"},
}};

// One button per rate: 1 to 5 in the upper row, −1 to −5 below; the chosen one shows pressed.
constexpr ControlDef rateButton(rt::Integer index, const RateWords &words) {
    const int rate = Rates[std::size_t(index)];
    const int column = (rate < 0 ? -rate : rate) - 1;
    return {.name = Rate.name,
            .index = index,
            .kind = ControlKind::CommandButton,
            .twips = {twips(576.0f + 46 * column), twips(rate > 0 ? 248.0f : 281.0f), twips(40),
                      twips(30)},
            .back = RateFace,
            .caption = words.caption,
            .font = {12, true},
            .tabIndex = 20 + (rate > 0 ? column : 5 + column),
            .accessibleName = words.name,
            .description = words.description,
            .group = RatesHeading,
            .toggle = true};
}

// The heading of the rates, their buttons, then 戻る and 進む under them.
constexpr auto RatesAndSteps = [] {
    std::array<ControlDef, RateCount + 3> all{};
    all[0] = boardLabel(RatesHeading, 576, 232, "1 分間にかわる水（L）", {10.5, false}, 19);
    for (int i = 0; i < RateCount; ++i)
        all[std::size_t(i) + 1] = rateButton(i, Words[std::size_t(i)]);
    const auto steps = stepButtons(Back.name, Forward.name, twips(314));
    all[RateCount + 1] = steps[0];
    all[RateCount + 2] = steps[1];
    return all;
}();

// The time box and 初期画面 say what they do here.
constexpr auto OwnCommon =
    described(described(Common, Time.name, "今からの時間を分で示します。前の時間はマイナスです。"),
              InitialScreen.name,
              "はじめの画面にもどします。今の 30 L、1 分間に 5 L ふえる水にもどり、"
              "表とグラフは消えます。");

// The container stands behind everything else; the shared controls come last.
constexpr auto Controls = join(Container, NowAndOutlet, heading("ふえる水，へる水", "分"),
                               table({{240, 8400, 1095, 495}, "χ(分)", {18, true}, false},
                                     {{360, 9240, 930, 405}, "ｙ（Ｌ）", {20.25, true}}),
                               UnderAxes, Axes, OverAxes, RatesAndSteps, OwnCommon);

// 1 to 5 choose as many litres a minute, added.
constexpr std::array<rt::KeyDef, 5> RateKeys = {{
    {rt::Key::One, Rate.name, 5},
    {rt::Key::Two, Rate.name, 6},
    {rt::Key::Three, Rate.name, 7},
    {rt::Key::Four, Rate.name, 8},
    {rt::Key::Five, Rate.name, 9},
}};

constexpr auto Keys =
    keys(remoteKeys(Forward.name, Back.name, Run.name), ToProportion.name, RateKeys);

constexpr rt::FormDef Window = window("constant", Controls, Keys);

// What F1 lists: the keys of this lesson, then those of all.
constexpr auto KeyRows =
    layout::keyList(std::to_array<rt::NoteRow>({{"Page Down または →", "進む"},
                                                {"Page Up または ←", "戻る"},
                                                {"F5", "自動"},
                                                {"↑ / ↓", "次の量 / 前の量"},
                                                {"1 ～ 5", "1 分間に 1 ～ 5 L ふやす"},
                                                {"-", "ふやす / へらす"}}),
                    ToProportionButton.caption);

} // namespace

const rt::FormDef &definition() {
    return Window;
}

std::span<const rt::NoteRow> keyRows() {
    return KeyRows;
}

} // namespace layout::constant
