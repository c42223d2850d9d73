#include "lessons/constant/constantlesson.h"

#include "lessons/shared/design.h"

#include <algorithm>
#include <cmath>

using namespace design;
using namespace layout::constant;

namespace {

// The water not there yet: a band of the minute's colour half seen through, in a paler
// outline, so that under Hint the minutes still differ.
rt::Colour pale(rt::Colour colour) {
    return ((colour & 0xFEFEFE) >> 1) + 0x7F7F7F;
}
rt::Colour ghost(rt::Colour colour) {
    return ((colour & 0xFEFEFE) >> 1) + ((Board & 0xFEFEFE) >> 1);
}

} // namespace

rt::Task ConstantLesson::stepForward() {
    return step(1);
}

rt::Task ConstantLesson::stepBack() {
    return step(-1);
}

rt::Task ConstantLesson::step(rt::Integer direction) {
    const rt::Integer to = minute + direction;
    if (moving || to < MinMinute || to > MaxMinute) co_return;
    moving = true;
    enableAtRest(false);
    const std::uint32_t resetsBefore = resets;
    co_await animate(direction);
    if (resets != resetsBefore) co_return; // overtaken by a return to now
    moving = false;
    enableAtRest(true);
    announceMinute();
}

rt::Task ConstantLesson::runAutomatically() {
    if (moving || minute >= MaxMinute) co_return;
    moving = true;
    stopRequested = false;
    enableAtRest(false);
    stop.setEnabled(true);
    const std::uint32_t resetsBefore = resets;
    while (minute < MaxMinute) {
        co_await animate(1);
        if (resets != resetsBefore) co_return;
        announceMinute();
        if (stopRequested) break;
    }
    moving = false;
    enableAtRest(true);
    announceMinute();
}

// One minute in 40 frames. A minute not reached before draws its segment and point as the
// water goes; one reached before is already on the graph.
rt::Task ConstantLesson::animate(rt::Integer direction) {
    const std::uint32_t resetsBefore = resets;
    const rt::Integer from = minute;
    const rt::Integer to = from + direction;
    const bool fresh = to < reachedFrom || to > reachedTo;
    if (fresh) {
        rt::Line &segment = segments(std::min<rt::Integer>(from, to) - MinMinute);
        segment.setX1(graphX(from));
        segment.setY1(surface(double(rate) * from));
    }
    for (rt::Integer n = 1; n <= FramesPerMinute; ++n) {
        co_await nextFrame();
        if (resets != resetsBefore) co_return;
        showFrame(from * FramesPerMinute + direction * n, from, direction, fresh);
    }
    minute = to;
    stream.setHeight(0);
    drain.setHeight(0);
    reach(to);
}

void ConstantLesson::showFrame(rt::Integer frames, rt::Integer from, rt::Integer direction,
                               bool fresh) {
    const rt::Integer first = std::min<rt::Integer>(from, from + direction); // the minute's start
    const double t = double(frames) / FramesPerMinute;
    time.setText(timeText(frames));
    placeWater(t);
    const float top = surface(rate * t);
    const rt::Colour colour = layers(first - MinMinute + 1).BorderColor();
    const bool rising = direction * rate > 0;
    stream.setBackColor(colour);
    stream.setHeight(rising ? static_cast<float>(top + 2 - StreamTop) : 0);
    drain.setBackColor(layers(0).BackColor());
    drain.setHeight(rising ? 0 : 44);
    if (!fresh) return;
    rt::Shape &point = points(from + direction - MinMinute);
    rt::Line &segment = segments(first - MinMinute);
    point.setLeft(graphX(t) - graph::PointRadius);
    point.setTop(top - graph::PointRadius);
    segment.setX2(graphX(t));
    segment.setY2(top);
    point.setVisible(true);
    segment.setVisible(true);
}

// The water `t` minutes from now: added water in bands above the 0 line, one for each minute
// between now and `t`, and the water missing below it as faint bands over the water left.
void ConstantLesson::placeWater(double t) {
    shown_ = t;
    const float top = surface(rate * t);
    for (rt::Integer k = 1; k < Columns; ++k) {
        const double start = k + MinMinute - 1;
        const double a = std::max(start, std::min(0.0, t));
        const double b = std::min(start + 1, std::max(0.0, t));
        rt::Shape &band = layers(k);
        band.setVisible(b > a);
        if (b <= a) continue;
        const float y1 = surface(rate * a), y2 = surface(rate * b);
        band.setTop(std::min(y1, y2));
        band.setHeight(std::abs(y1 - y2));
        const rt::Colour colour = hint.Value() != 0 ? hintColour(int(k)) : Water;
        const bool missing = rate * (a + b) < 0;
        band.setBorderColor(missing ? pale(colour) : colour);
        band.setBackColor(missing ? ghost(colour) : colour);
        band.setBorderWidth(missing ? 2 : 1);
    }
    layers(0).setTop(std::max(ZeroLevel, top));
    layers(0).setHeight(Floor - layers(0).Top());
}

// A minute's point and segment take the colour of its water.
void ConstantLesson::colourGraph() {
    for (rt::Integer i = 0; i + 1 < Columns; ++i) {
        const rt::Colour colour = hint.Value() != 0 ? hintColour(int(i) + 1) : Water;
        segments(i).setBorderColor(colour);
        const rt::Integer m = i + MinMinute;
        // The point at the minute's far end from now.
        rt::Shape &point = points(m < 0 ? i : i + 1);
        point.setBackColor(colour);
        point.setBorderColor(colour);
    }
    for (rt::Integer i = 0; i < RateCount; ++i) {
        const bool chosen = Rates[std::size_t(i)] == rate;
        const bool drawn = lines[std::size_t(i)];
        rateLines(i).setBorderColor(chosen ? Line : EarlierLine);
        rateLines(i).setBorderWidth(chosen ? 2 : 1);
        rateLines(i).setVisible(drawn);
        rateLabels(i).setForeColor(chosen ? Line : EarlierLine);
        rateLabels(i).setVisible(drawn);
    }
}

void ConstantLesson::layersColoured() {
    placeWater(shown_);
    colourGraph();
}
