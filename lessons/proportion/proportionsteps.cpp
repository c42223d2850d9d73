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

rt::Task ProportionLesson::stepForward() {
    return step(true);
}

rt::Task ProportionLesson::stepBack() {
    return step(false);
}

rt::Task ProportionLesson::step(bool ahead) {
    const BusyScope counted(*this);
    back.setEnabled(true);
    // An automatic run started in the middle of this step would animate over it; 自　動 waits
    // until the step is done.
    run.setEnabled(false);
    const std::uint32_t resetsBefore = resets;
    if (ahead)
        co_await animateForward();
    else
        co_await animateBack();
    if (resets != resetsBefore) co_return; // 初期画面 was clicked during the step: minute 0 stands
    progress = ahead ? rt::add(progress, rt::Integer(2)) : rt::sub(progress, rt::Integer(2));
    if (progress == 0) {
        forward.setEnabled(true);
        back.setEnabled(false);
        delay.setEnabled(true);
        run.setEnabled(true);
    }
    if (progress == FullProgress) {
        forward.setEnabled(false);
        back.setEnabled(true);
        delay.setEnabled(true);
        run.setEnabled(true);
    }
    stream.setHeight(1);
    run.setEnabled(true);
    announceState();
}

rt::Task ProportionLesson::runAutomatically() {
    const BusyScope counted(*this);
    run.setEnabled(false);
    if (progress == FullProgress) {
        // The container is full: start over from the empty container, shown for one frame.
        resetScreen();
        // Nothing may start during that frame; the reset has just enabled these.
        run.setEnabled(false);
        forward.setEnabled(false);
        initialScreen.setEnabled(false);
        co_await nextFrame();
    }
    stopRequested = false;
    stop.setEnabled(true);
    initialScreen.setEnabled(false);
    forward.setEnabled(false);
    back.setEnabled(false);
    while (progress <= LastStart) {
        co_await animateForward();
        progress = rt::add(progress, rt::Integer(2));
        announceState();
        if (stopRequested) break;
    }
    stream.setHeight(1);
    stop.setEnabled(false);
    initialScreen.setEnabled(true);
    back.setEnabled(true);
    forward.setEnabled(stopRequested && progress < FullProgress);
    run.setEnabled(true);
}

// A step that finds the initial screen back after a pause has been overtaken by it: it stops
// without touching anything.
rt::Task ProportionLesson::animateForward() {
    forward.setEnabled(false);
    back.setEnabled(false);
    const std::uint32_t resetsBefore = resets;
    const rt::Integer p = progress;
    const rt::Integer layer = rt::CInt(p / 2.0); // fixed for the whole step
    const rt::Integer first = rt::add(rt::mul(p, FramesPerUnit), rt::Integer(1));
    const rt::Integer last = rt::mul(rt::add(p, rt::Integer(2)), FramesPerUnit);
    std::string shown;
    for (rt::Integer n = first; n <= last; ++n) {
        co_await nextFrame();
        if (resets != resetsBefore) co_return;
        showFrame(n, layer, shown);
    }
    printColumn(White, shown, rt::Val(shown));
    formula.setVisible(layer == Minutes - 1); // all twelve minutes plotted
    enableStepButtons();
}

rt::Task ProportionLesson::animateBack() {
    forward.setEnabled(false);
    back.setEnabled(false);
    const std::uint32_t resetsBefore = resets;
    const rt::Integer p = progress;
    // The column to erase is the minute being taken back. It comes from the step counter, not
    // from the time box, which a pupil can type into.
    const double minute = p / 2;
    printColumn(Board, rt::Str(minute), minute);
    formula.setVisible(false);

    const rt::Integer layer = rt::CInt(p / 2.0 - 1);
    const rt::Integer first = rt::mul(p, FramesPerUnit);
    const rt::Integer last = rt::mul(rt::sub(p, rt::Integer(2)), FramesPerUnit);
    std::string shown;
    for (rt::Integer n = first; n >= last; --n) {
        co_await nextFrame();
        if (resets != resetsBefore) co_return;
        showFrame(n, layer, shown);
    }
    layers(layer).setTop(static_cast<float>(Floor));
    layers(layer).setHeight(0);
    points(rt::add(layer, rt::Integer(1))).setVisible(false);
    segments(layer).setVisible(false);
    enableStepButtons();
}

void ProportionLesson::enableStepButtons() {
    // 停止 is enabled only during an automatic run, which keeps the step buttons off from its
    // start to its end: switching them on and off at every minute would flood a screen reader.
    if (stop.Enabled()) return;
    forward.setEnabled(true);
    back.setEnabled(true);
}

// Frame n of layer `layer`; `shown` takes the minutes the time box shows.
void ProportionLesson::showFrame(rt::Integer n, rt::Integer layer, std::string &shown) {
    const double t = rt::checked(std::floor(n / 2.0) / 20.0);
    shown = rt::Str(t);
    time.setText(rt::Format(shown, "0.00"));
    rt::Shape &water = layers(layer);
    stream.setBackColor(water.BackColor());
    stream.setHeight(static_cast<float>(rt::checked(StreamAtFrameZero - RisePerFrame * n)));
    water.setTop(static_cast<float>(rt::checked(Floor - RisePerFrame * n)));
    water.setHeight(static_cast<float>(Floor - water.Top()));
    plot(layer, n);
}

// Writes the table column of `minute` in `colour`. Overprinting the same figures in the board's
// colour erases them: the minutes as shown in the time box, the litres as a number.
void ProportionLesson::printColumn(rt::Colour colour, const std::string &minuteText,
                                   double minute) {
    setForeColor(colour);
    setCurrentX(minutesX(minute));
    setCurrentY(MinutesRowY);
    Print(minuteText);
    setCurrentX(litresX(minute));
    setCurrentY(LitresRowY);
    Print(LitresPerMinute * minute);
}

// The graph follows the water: the point of minute layer + 1 stands level with the surface
// at frame n, and the minute's segment reaches it from the point before.
void ProportionLesson::plot(rt::Integer layer, rt::Integer n) {
    rt::Shape &point = points(rt::add(layer, rt::Integer(1)));
    rt::Line &segment = segments(layer);
    const float x = graph::x(n / double(FramesPerMinute));
    const float y = layers(layer).Top();
    point.setLeft(x - graph::PointRadius);
    point.setTop(y - graph::PointRadius);
    segment.setX2(x);
    segment.setY2(y);
    colourMinute(layer);
    point.setVisible(true);
    segment.setVisible(true);
}

void ProportionLesson::colourMinute(rt::Integer layer) {
    const rt::Colour colour = layers(layer).BackColor();
    rt::Shape &point = points(rt::add(layer, rt::Integer(1)));
    point.setBackColor(colour);
    point.setBorderColor(colour);
    segments(layer).setBorderColor(colour);
}
