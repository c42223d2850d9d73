#include "lessons/proportion/proportionlesson.h"

#include "lessons/proportion/proportionlayout.h"
#include "lessons/shared/design.h"
#include "lessons/shared/keys.h"
#include "lessons/shared/windowed.h"
#include "lessons/shared/scales.h"

using namespace design;

namespace {

// 進む, 戻る and 自動, then the keys both lessons have.
constexpr auto KeyList = layout::keyList(
    std::to_array<rt::NoteRow>(
        {{"Page Down または →", "進む"}, {"Page Up または ←", "戻る"}, {"F5", "自動"}}),
    layout::ToInverseButton.caption);

} // namespace

ProportionLesson::~ProportionLesson() {
    rt::abandonTasks();
}

ProportionLesson::ProportionLesson()
    : ContainerLesson(
          layout::proportion::definition(),
          {{{layout::ToConstant, LessonId::Constant}, {layout::ToInverse, LessonId::Inverse}}},
          {Minutes + 1, design::hint}, KeyList),
      run(layout::proportion::Run.in(*this)), toInverse(layout::ToInverse.in(*this)),
      toConstant(layout::ToConstant.in(*this)), forward(layout::proportion::Forward.in(*this)),
      back(layout::proportion::Back.in(*this)), segments(layout::proportion::Segment.in(*this)) {
    run.setClickHandler([this] { rt::start(runAutomatically()); });
    forward.setClickHandler([this] { rt::start(stepForward()); });
    back.setClickHandler([this] { rt::start(stepBack()); });
}

// Water layers lie behind the scale. A minute's segment lies behind the points and starts at
// the point of the minute before it.
void ProportionLesson::loadOwn() {
    for (rt::Integer i = 1; i <= Minutes; ++i) {
        layers.Load(i);
        layers(i).ZOrder(1);
        layers(i).setVisible(true);
        points.Load(i);
        if (i < Minutes) {
            segments.Load(i);
            segments(i).ZOrder(1);
            segments(i).setX1(graph::x(i));
            segments(i).setY1(graph::y(LitresPerMinute * i));
        }
    }
}

void ProportionLesson::resetScreen() {
    ++resets;
    progress = 0;
    time.setText("0.00");
    setFontSize(14);
    stopRequested = false;
    Cls();
    setForeColor(rt::QBColor(15));
    printContainerScale(*this);
    printGraphScale(*this);
    for (rt::Integer i = 0; i <= Minutes; ++i) {
        layers(i).setHeight(0);
        layers(i).setTop(Floor);
        if (i > 0) points(i).setVisible(false);
        if (i < Minutes) segments(i).setVisible(false);
    }
    formula.setVisible(false);
    stream.setHeight(0);
    forward.setEnabled(true);
    back.setEnabled(false);
    stop.setEnabled(false);
    run.setEnabled(true);
    setFontSize(20);
    setCurrentX(TableX);
    setCurrentY(MinutesRowY);
    Print("0");
    setCurrentX(TableX);
    setCurrentY(LitresRowY);
    Print("0");
    announceState();
}

void ProportionLesson::announceState() {
    // The picture, then the pairs of the table, which holds every minute up to the one shown,
    // and, while it is open, the points of the graph.
    const int minutes = progress / 2;
    std::string pairs;
    std::string plotted;
    for (int m = 0; m <= minutes; ++m) {
        const std::string x = std::to_string(m), y = std::to_string(5 * m);
        if (m > 0) {
            pairs += "、";
            plotted += "、";
        }
        pairs += x + " 分 " + y + " L";
        plotted += "(" + x + ", " + y + ")";
    }
    const std::string litres = std::to_string(5 * minutes);
    std::string text = std::to_string(minutes) + " 分後、水は " + litres + " L。表: " + pairs;
    if (graph.Value() == 1) {
        text += "。グラフの点: " + plotted;
        if (formula.Visible()) text += "。" + formula.Caption();
    }
    setStatusText(text, std::to_string(minutes) + " 分後、" + litres + " L");
    keepState();
}

// A minute's point and segment take the colour of its water.
void ProportionLesson::layersColoured() {
    for (rt::Integer i = 0; i < Minutes; ++i)
        colourMinute(i);
}

// The graph's points are read out while it is shown.
void ProportionLesson::graphShownOrHidden() {
    announceState();
}

ProportionLesson::BusyScope::BusyScope(ProportionLesson &lesson) : lesson_(lesson) {
    if (lesson_.busy++ == 0) lesson_.enableSwitching(false);
}

ProportionLesson::BusyScope::~BusyScope() {
    if (--lesson_.busy == 0) lesson_.enableSwitching(true);
}
