#include "lessons/proportion/proportionlesson.h"

#include "lessons/shared/design.h"

#include <cmath>

using namespace design;

namespace {

// Two-digit values stand 10 px further left in their column.
float minutesX(double minute) {
    return static_cast<float>(ColumnX + ColumnSpacing * minute - (minute > 9 ? 10 : 0));
}
float litresX(double minute) {
    return static_cast<float>(ColumnX + ColumnSpacing * minute - (minute > 1 ? 10 : 0));
}

} // namespace

// Writes the table column of `minute` in `colour`. Overprinting the same figures in the board's
// colour erases them: the minutes as shown in the time box, the litres as a number.
void Form1::PrintColumn(rt::Colour colour, const std::string &minuteText, double minute) {
    setForeColor(colour);
    setCurrentX(minutesX(minute));
    setCurrentY(MinutesRowY);
    Print(minuteText);
    setCurrentX(litresX(minute));
    setCurrentY(LitresRowY);
    Print(LitresPerMinute * minute);
}

rt::Long Form1::FrameDelay() const {
    return pace_.milliseconds();
}

// Frame n of layer `layer`.
void Form1::ShowFrame(rt::Integer n, rt::Integer layer, std::string &time) {
    const double t = rt::checked(std::floor(n / 2.0) / 20.0);
    time = rt::Str(t);
    Text1.setText(rt::Format(time, "0.00"));
    rt::Shape &water = Shape9(layer);
    Shape11.setBackColor(water.BackColor());
    Shape11.setHeight(static_cast<float>(rt::checked(StreamAtFrameZero - RisePerFrame * n)));
    water.setTop(static_cast<float>(rt::checked(Floor - RisePerFrame * n)));
    water.setHeight(static_cast<float>(Floor - water.Top()));
    Plot(layer, n);
}

// The graph follows the water: the point of minute layer + 1 stands level with the surface
// at frame n, and the minute's segment reaches it from the point before.
void Form1::Plot(rt::Integer layer, rt::Integer n) {
    rt::Shape &point = Shape12(rt::add(layer, rt::Integer(1)));
    rt::Line &segment = Line12(layer);
    const float x = graph::x(n / double(FramesPerMinute));
    const float y = Shape9(layer).Top();
    point.setLeft(x - graph::PointRadius);
    point.setTop(y - graph::PointRadius);
    segment.setX2(x);
    segment.setY2(y);
    ColourMinute(layer);
    point.setVisible(true);
    segment.setVisible(true);
}

// A minute's point and segment take the colour of its water.
void Form1::ColourMinute(rt::Integer layer) {
    const rt::Colour colour = Shape9(layer).BackColor();
    rt::Shape &point = Shape12(rt::add(layer, rt::Integer(1)));
    point.setBackColor(colour);
    point.setBorderColor(colour);
    Line12(layer).setBorderColor(colour);
}

// A step that finds the initial screen back after a pause has been overtaken by it: it stops
// without touching anything.
rt::Task Form1::StepForward() {
    Command4(0).setEnabled(false);
    Command4(1).setEnabled(false);
    const std::uint32_t resetCount = ResetCount;
    const rt::Integer p = Progress;
    const rt::Integer layer = rt::CInt(p / 2.0); // fixed for the whole step
    const rt::Integer first = rt::add(rt::mul(p, FramesPerUnit), rt::Integer(1));
    const rt::Integer last = rt::mul(rt::add(p, rt::Integer(2)), FramesPerUnit);
    std::string time;
    for (rt::Integer n = first; n <= last; ++n) {
        co_await WaitFrame();
        if (ResetCount != resetCount) co_return;
        ShowFrame(n, layer, time);
    }
    PrintColumn(White, time, rt::Val(time));
    Label8.setVisible(layer == Minutes - 1); // all twelve minutes plotted
    EnableStepButtons();
}

rt::Task Form1::StepBack() {
    Command4(0).setEnabled(false);
    Command4(1).setEnabled(false);
    const std::uint32_t resetCount = ResetCount;
    const rt::Integer p = Progress;
    // The column to erase is the minute being taken back. It comes from the step counter, not
    // from the time box, which a pupil can type into.
    const double minute = p / 2;
    PrintColumn(Board, rt::Str(minute), minute);
    Label8.setVisible(false);

    const rt::Integer layer = rt::CInt(p / 2.0 - 1);
    const rt::Integer first = rt::mul(p, FramesPerUnit);
    const rt::Integer last = rt::mul(rt::sub(p, rt::Integer(2)), FramesPerUnit);
    std::string time;
    for (rt::Integer n = first; n >= last; --n) {
        co_await WaitFrame();
        if (ResetCount != resetCount) co_return;
        ShowFrame(n, layer, time);
    }
    Shape9(layer).setTop(static_cast<float>(Floor));
    Shape9(layer).setHeight(0);
    Shape12(rt::add(layer, rt::Integer(1))).setVisible(false);
    Line12(layer).setVisible(false);
    EnableStepButtons();
}

void Form1::EnableStepButtons() {
    // 停止 is enabled only during an automatic run, which keeps the step buttons off from its
    // start to its end: switching them on and off at every minute would flood a screen reader.
    if (Command5.Enabled()) return;
    Command4(0).setEnabled(true);
    Command4(1).setEnabled(true);
}
