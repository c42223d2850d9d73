#include "lessons/inverse/inverselesson.h"
#include "runtime/core/numeric.h"

#include <cmath>

using namespace design;
using namespace design::inverse;

rt::Long Form2::FrameDelay() const {
    return pace_.milliseconds();
}

rt::Pause Form2::WaitFrame() {
    return rt::Pause([this] { return FrameDelay(); });
}

// The water rises Rate litres in 40 frames as one layer of its own; the stream reaches its
// surface, and on the graph a point climbs the line of this rate with the minutes.
rt::Task Form2::PourMinute() {
    const rt::Integer layer = Minutes;
    rt::Shape &water = Shape9(layer);
    const float bottom = surface(double(Rate) * layer);
    const float x = graph::x(Rate);
    Shape11.setBackColor(water.BackColor());
    Line12.setX1(x);
    Line12.setX2(x);
    Line12.setY1(graph::y(0));
    Shape13.setLeft(x - graph::PointRadius);
    for (rt::Integer n = 1; n <= FramesPerMinute; ++n) {
        co_await WaitFrame();
        const rt::Integer frame = rt::add(rt::mul(layer, FramesPerMinute), n);
        const double minutes = double(frame) / FramesPerMinute;
        Text1.setText(rt::Format(rt::Str(std::floor(frame / 2.0) / 20.0), "0.00"));
        const float top = surface(Rate * minutes);
        water.setTop(top);
        water.setHeight(bottom - top);
        Shape11.setHeight(static_cast<float>(top + 2 - StreamTop));
        Line12.setY2(graph::y(minutes));
        Shape13.setTop(graph::y(minutes) - graph::PointRadius);
        Line12.setVisible(true);
        Shape13.setVisible(true);
    }
    Minutes = rt::add(Minutes, rt::Integer(1));
}
