#include "lessons/proportion/proportionlayout.h"

#include "lessons/shared/design.h"
#include "lessons/shared/keys.h"
#include "lessons/shared/layout.h"
#include "lessons/shared/windowed.h"

#include <array>

namespace layout::proportion {

namespace {

namespace graph = design::graph;

// Boxes in twips (15 per pixel): Left, Top, Width, Height; lines X1, Y1, X2, Y2.
// Under the graph's axes: the segment of the first minute (the other minutes' are copies).
constexpr std::array<ControlDef, 1> UnderAxes = {
    {{.name = Segment.name,
      .index = 0,
      .kind = ControlKind::Line,
      .twips = {twips(graph::x(0)), twips(graph::y(0)), twips(graph::x(1)), twips(graph::y(5))},
      .fore = Water,
      .borderWidth = 2}}};

// Over the graph's axes, the origin's point (the points of the minutes are copies); then the
// windowed controls.
constexpr auto OverAxes =
    join(std::array{graphPoint(Point.name, 0, 0, 0)},
         graphCaptions("ｙ（Ｌ）", {1170, 450, "χ(分)"}, {1050, 98, "y = 5 × x"}, White),
         buttons({.upper = ToConstantButton,
                  .lower = ToInverseButton,
                  .start = Run.name,
                  .startCaption = "自　動",
                  .startDescription = "12 分後まで自動で水を入れます。",
                  .startFocused = false,
                  .stopDescription = "自動で水を入れるのを、次のちょうどの分で止めます。"}));

constexpr auto Steps = stepButtons(Back.name, Forward.name, 3960);

// The container stands behind everything else; the shared controls come last.
constexpr auto Controls = join(Container, heading("空の容器に水を"),
                               table({{240, 8400, 1095, 495}, "χ(分)", {18, true}, false},
                                     {{360, 9240, 930, 405}, "ｙ（Ｌ）", {20.25, true}}),
                               UnderAxes, GraphAxes, OverAxes, Steps, Common);

constexpr auto Keys = keys(remoteKeys(Forward.name, Back.name, Run.name), ToInverse.name);

constexpr rt::FormDef Window = window("proportion", Controls, Keys);

} // namespace

const rt::FormDef &definition() {
    return Window;
}

} // namespace layout::proportion
