#include "lessons/inverse/inverselesson.h"

#include "runtime/core/numeric.h"

#include <cmath>
#include <string>

using namespace design;
using namespace design::inverse;

rt::Task InverseLesson::fill() {
    return fill(Capacity / rate);
}

rt::Task InverseLesson::fill(rt::Integer upTo) {
    enableAtRest(false);
    filling = true;
    stopRequested = false;
    emptyContainer();
    time.setText("0.00");
    announceState("毎分 " + std::to_string(rate) + " L で入れはじめます");
    while (rate * minutes < Capacity && minutes < upTo) {
        co_await pourMinute();
        announceState(std::to_string(minutes) + " 分後、" + std::to_string(rate * minutes) + " L");
        if (stopRequested) break;
    }
    stream.setHeight(0);
    risingLine.setVisible(false);
    risingPoint.setVisible(false);
    if (rate * minutes == Capacity) recordFull();
    filling = false;
    enableAtRest(true);
}

// The water rises `rate` litres in 40 frames as one layer of its own; the stream reaches its
// surface, and on the graph a point climbs the line of this rate with the minutes.
rt::Task InverseLesson::pourMinute() {
    const rt::Integer layer = minutes;
    rt::Shape &water = layers(layer);
    const float bottom = surface(double(rate) * layer);
    const float x = graph::x(rate);
    stream.setBackColor(water.BackColor());
    risingLine.setX1(x);
    risingLine.setX2(x);
    risingLine.setY1(graph::y(0));
    risingPoint.setLeft(x - graph::PointRadius);
    for (rt::Integer n = 1; n <= FramesPerMinute; ++n) {
        co_await nextFrame();
        const rt::Integer frame = rt::add(rt::mul(layer, FramesPerMinute), n);
        const double poured = double(frame) / FramesPerMinute;
        time.setText(rt::Format(rt::Str(std::floor(frame / 2.0) / 20.0), "0.00"));
        const float top = surface(rate * poured);
        water.setTop(top);
        water.setHeight(bottom - top);
        stream.setHeight(static_cast<float>(top + 2 - StreamTop));
        risingLine.setY2(graph::y(poured));
        risingPoint.setTop(graph::y(poured) - graph::PointRadius);
        risingLine.setVisible(true);
        risingPoint.setVisible(true);
    }
    minutes = rt::add(minutes, rt::Integer(1));
}

// The pair of a full container goes into the table and onto the graph; with all eight, the
// curve through them and its formula.
void InverseLesson::recordFull() {
    const int i = index(rate);
    if (!recorded[std::size_t(i)]) {
        recorded[std::size_t(i)] = true;
        const int full = Capacity / rate;
        setFontSize(20);
        setForeColor(White);
        setCurrentX(RateColumnX + RateColumnSpacing * i - (full > 9 ? 10 : 0));
        setCurrentY(LitresRowY);
        Print(double(full));
        points(rt::Integer(i)).setVisible(true);
    }
    bool all = true;
    for (const bool done : recorded)
        all = all && done;
    if (all) {
        for (rt::Integer k = 0; k < CurveSteps; ++k)
            curve(k).setVisible(true);
        formula.setVisible(true);
    }
    announceState("いっぱいになりました。毎分 " + std::to_string(rate) + " L で " +
                  std::to_string(Capacity / rate) + " 分");
}
