#include "app/layout.h"

#include "app/container.h"
#include "app/design.h"

#include <algorithm>
#include <array>

namespace {

using namespace layout;
using design::Board;
namespace graph = design::graph;

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
constexpr std::array<ControlDef, 9> Own = {
    {// Lightweight items, backmost first.
     {.name = "Label1",
      .kind = ControlKind::Label,
      .twips = {120, 120, 2955, 435},
      .back = 0xC00000,
      .fore = White,
      .caption = "空の容器に水を",
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
      .twips = {240, 8400, 1095, 495},
      .back = Board,
      .fore = White,
      .caption = "χ(分)",
      .font = {18, true},
      .tabIndex = 10},
     {.name = "Label3",
      .kind = ControlKind::Label,
      .twips = {360, 9240, 930, 405},
      .back = Board,
      .fore = White,
      .caption = "ｙ（Ｌ）",
      .font = {20.25, true},
      .tabIndex = 11,
      .autoSize = true},

     // The graph's first segment, under its axes (the segments of the minutes are copies).
     {.name = "Line12",
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(0)), twips(graph::y(0)), twips(graph::x(1)), twips(graph::y(5))},
      .fore = Water,
      .borderWidth = 2}}};

// Over the graph's axes (layout::GraphAxes): the origin's point (the points of the minutes are
// copies), the axes' labels and the formula; then the windowed controls.
constexpr std::array<ControlDef, 9> OwnAbove = {
    {graphPoint("Shape12", 0, 0, 0),
     {.name = "Label6",
      .kind = ControlKind::Label,
      .twips = {twips(826), twips(graph::LabelTop), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "ｙ（Ｌ）",
      .font = {12, true},
      .autoSize = true},
     {.name = "Label7",
      .kind = ControlKind::Label,
      .twips = {twips(1170), twips(450), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "χ(分)",
      .font = {12, true},
      .autoSize = true},
     {.name = "Label8",
      .kind = ControlKind::Label,
      .twips = {twips(1050), twips(98), 0, 0},
      .back = Board,
      .fore = White,
      .caption = "y = 5 × x",
      .font = {14.25, true},
      .autoSize = true},

     // Windowed controls.
     {.name = "Command7",
      .kind = ControlKind::CommandButton,
      .twips = {240, 6300, 1755, 495},
      .back = 0xC0FFC0,
      .caption = "反比例へ",
      .font = {12, false},
      .tabIndex = 16,
      .accessibleName = "反比例へ",
      .description = "反比例の学習に切りかえます。こちらの画面はそのまま残ります。"},
     {.name = "Command2",
      .kind = ControlKind::CommandButton,
      .twips = {8640, 2160, 1935, 495},
      .back = 0x0080FF,
      .caption = "自　動",
      .tabIndex = 2,
      .accessibleName = "自　動",
      .description = "12 分後まで自動で水を入れます。"},
     {.name = "Command5",
      .kind = ControlKind::CommandButton,
      .twips = {9480, 2760, 1095, 495},
      .back = 0x80C0FF,
      .caption = "停止",
      .font = {12, true},
      .tabIndex = 8,
      .accessibleName = "停止",
      .description = "自動で水を入れるのを、次のちょうどの分で止めます。"},
     {.name = "Command4",
      .index = 1,
      .kind = ControlKind::CommandButton,
      .twips = {8640, 3960, 855, 495},
      .back = 0xFFFFC0,
      .caption = "戻る",
      .tabIndex = 7,
      .accessibleName = "戻る",
      .description = "1 分前にもどします。"},
     {.name = "Command4",
      .index = 0,
      .kind = ControlKind::CommandButton,
      .twips = {9720, 3960, 855, 495},
      .back = 0xFFFFC0,
      .caption = "進む",
      .tabIndex = 3,
      .accessibleName = "進む",
      .description = "1 分すすめます。",
      .startFocus = true}}};

// The container stands behind everything else; the shared controls come last.
constexpr auto Controls = layout::join(
    layout::join(layout::join(layout::join(layout::Container, Own), layout::GraphAxes), OwnAbove),
    layout::Common);
// A size above the entries would add controls with no name.
static_assert(std::none_of(Controls.begin(), Controls.end(),
                           [](const ControlDef &c) { return c.name.empty(); }));

// Presentation remotes send Page Down / Page Up, F5, Esc, B or "."; these act wherever the
// focus is. Some send Right / Left, which move the cursor in a box.
constexpr std::array<rt::KeyDef, 13> Keys = {{
    {rt::Key::PageDown, "Command4", 0, true},
    {rt::Key::Right, "Command4", 0},
    {rt::Key::PageUp, "Command4", 1, true},
    {rt::Key::Left, "Command4", 1},
    {rt::Key::F5, "Command2", -1, true},
    {rt::Key::Escape, "Command5", -1, true},
    {rt::Key::B, "Command5", -1, true},
    {rt::Key::Period, "Command5", -1, true},
    {rt::Key::Home, "Command6"},
    {rt::Key::H, "Check1"},
    {rt::Key::T, "Check2"},
    {rt::Key::G, "Check3"},
    {rt::Key::F2, "Command7"},
}};
// A size above the entries would bind keys that name no key.
static_assert(std::none_of(Keys.begin(), Keys.end(),
                           [](const rt::KeyDef &k) { return k.key == rt::Key::None; }));

constexpr rt::FormDef MainWindow = {
    .name = "Form1",
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

const rt::FormDef &mainWindowDefinition() {
    return MainWindow;
}
