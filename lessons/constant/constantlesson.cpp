#include "lessons/constant/constantlesson.h"

#include "lessons/shared/design.h"

#include <cstdlib>

using namespace design;
using namespace layout::constant;

namespace {

// A number with a true minus sign.
std::string signedText(long long n) {
    return (n < 0 ? "−" : "") + std::to_string(std::llabs(n));
}

std::string minuteText(rt::Integer m) {
    if (m == 0) return "今";
    return std::to_string(std::abs(m)) + (m > 0 ? " 分後" : " 分前");
}

std::string rateText(rt::Integer rate) {
    return "毎分 " + std::to_string(std::abs(rate)) + (rate > 0 ? " L ふえる" : " L へる");
}

} // namespace

ConstantLesson::~ConstantLesson() {
    rt::abandonTasks();
}

ConstantLesson::ConstantLesson()
    : ContainerLesson(
          layout::constant::definition(),
          {{{layout::ToInverse, LessonId::Inverse}, {layout::ToProportion, LessonId::Proportion}}},
          {Columns, hintColour}, keyRows()),
      run(Run.in(*this)), toInverse(layout::ToInverse.in(*this)),
      toProportion(layout::ToProportion.in(*this)), forward(Forward.in(*this)),
      back(Back.in(*this)), rates(Rate.in(*this)), drain(Drain.in(*this)),
      segments(Segment.in(*this)), rateLines(RateLine.in(*this)), rateLabels(RateLabel.in(*this)) {
    run.setClickHandler([this] { rt::start(runAutomatically()); });
    forward.setClickHandler([this] { rt::start(stepForward()); });
    back.setClickHandler([this] { rt::start(stepBack()); });
    for (rt::Integer i = 0; i < RateCount; ++i)
        rates(i).setClickHandler([this, i] { chooseRate(i); });
    // The arrows and "-" choose as a click on the rate's button would.
    const auto chooseIfEnabled = [this](int i) {
        if (i >= 0 && i < RateCount && rates(rt::Integer(i)).Enabled()) chooseRate(i);
    };
    bindKey(rt::Key::Up, [this, chooseIfEnabled] { chooseIfEnabled(index(rate) + 1); });
    bindKey(rt::Key::Down, [this, chooseIfEnabled] { chooseIfEnabled(index(rate) - 1); });
    bindKey(rt::Key::Minus, [this, chooseIfEnabled] { chooseIfEnabled(index(-rate)); });
}

// A layer for each minute from −6 to 6 behind the scale, layer 0 the water now; a point for
// each minute, point i at minute i − 6; the ticks of the graph moved to its middle origin.
void ConstantLesson::loadOwn() {
    for (rt::Integer i = 0; i < Columns; ++i) {
        const double m = i + MinMinute;
        if (i > 0) {
            layers.Load(i);
            layers(i).ZOrder(1);
            points.Load(i);
        }
        if (i > 0 && i + 1 < Columns) segments.Load(i);
        points(i).setLeft(graphX(m) - graph::PointRadius);
        xTicks(i).setX1(graphX(m));
        xTicks(i).setX2(graphX(m));
        yTicks(i).setY1(surface(5 * m));
        yTicks(i).setY2(surface(5 * m));
    }
    for (rt::Integer i = 0; i < RateCount; ++i) {
        if (i > 0) {
            rateLines.Load(i);
            rateLabels.Load(i);
        }
        const int a = Rates[std::size_t(i)];
        rateLines(i).setX1(graphX(MinMinute));
        rateLines(i).setY1(surface(a * MinMinute));
        rateLines(i).setX2(graphX(MaxMinute));
        rateLines(i).setY2(surface(a * MaxMinute));
        rateLabels(i).setCaption(formulaOf(a));
        // Right of the line's end, clear of every line.
        const float y = surface(MaxMinute * a) - 8;
        rateLabels(i).setBox(graphX(MaxMinute) + 4, y, rateLabels(i).Width(),
                             rateLabels(i).Height());
    }
    // Behind the axes: the minutes' segments, then the rates' lines over them; the points in
    // front of all.
    for (rt::Integer i = 0; i < RateCount; ++i)
        rateLines(i).ZOrder(1);
    for (rt::Integer i = 0; i + 1 < Columns; ++i)
        segments(i).ZOrder(1);
    for (rt::Integer i = 0; i < Columns; ++i)
        points(i).ZOrder(0);
}

void ConstantLesson::resetScreen() {
    ++resets;
    stopRequested = false;
    moving = false;
    lines = {};
    setRate(StartRate);
    announceState("初期画面。" + rateText(rate) + "、今、30 L");
}

void ConstantLesson::chooseRate(rt::Integer index) {
    // The chosen rate again also goes back to now: a fresh table at the same rate.
    if (moving || index < 0 || index >= RateCount) return;
    setRate(Rates[std::size_t(index)]);
    announceState(rateText(rate) + "。今にもどりました");
}

// A new rate starts from now, with the table and the graph's points empty.
void ConstantLesson::setRate(rt::Integer litres) {
    rate = litres;
    for (rt::Integer i = 0; i < RateCount; ++i) {
        const bool chosen = Rates[std::size_t(i)] == litres;
        rates(i).setBackColor(chosen ? ChosenRateFace : RateFace);
        rates(i).setPressed(chosen);
    }
    formula.setCaption(formulaOf(litres));
    minute = 0;
    reachedFrom = 0;
    reachedTo = 0;
    time.setText(timeText(0));
    stream.setHeight(0);
    drain.setHeight(0);
    placeWater(0);
    for (rt::Integer i = 0; i < Columns; ++i) {
        points(i).setTop(surface(0) - graph::PointRadius);
        points(i).setLeft(graphX(i + MinMinute) - graph::PointRadius);
        points(i).setVisible(i == -MinMinute);
        if (i + 1 < Columns) segments(i).setVisible(false);
    }
    colourGraph();
    redrawBoard();
    enableAtRest(true);
}

// The minute `m` joins the table and the graph; with all thirteen, the rate's line is drawn.
void ConstantLesson::reach(rt::Integer m) {
    reachedFrom = std::min(reachedFrom, m);
    reachedTo = std::max(reachedTo, m);
    if (reachedFrom == MinMinute && reachedTo == MaxMinute) lines[std::size_t(index(rate))] = true;
    colourGraph();
    redrawBoard();
}

void ConstantLesson::enableAtRest(bool rest) {
    forward.setEnabled(rest && minute < MaxMinute);
    back.setEnabled(rest && minute > MinMinute);
    run.setEnabled(rest && minute < MaxMinute);
    if (rest) stop.setEnabled(false);
    initialScreen.setEnabled(rest);
    enableSwitching(rest);
    for (rt::Integer i = 0; i < RateCount; ++i)
        rates(i).setEnabled(rest);
}

// The scales, the table's minutes, and the litres of each minute reached, printed afresh.
void ConstantLesson::redrawBoard() {
    Cls();
    setForeColor(White);
    setFontSize(14);
    for (int litres = -30; litres <= 30; litres += 10) {
        setCurrentX(litres < 0 ? 496 : 504);
        setCurrentY(surface(litres) - LabelLift);
        Print(signedText(litres));
    }
    setFontSize(12);
    for (int litres = -30; litres <= 30; litres += 10) {
        const std::string text = signedText(litres);
        setCurrentX(graphX(0) - 8 - 8 * float(litres < 0 ? 3 : litres == 0 ? 1 : 2));
        setCurrentY(surface(litres) - LabelLift);
        if (litres != 0) Print(text);
    }
    for (int m = MinMinute; m <= MaxMinute; m += graph::MinutesPerLabel) {
        setCurrentX(graphX(m) - (m < 0 ? 9 : 4));
        setCurrentY(ZeroLevel + 8);
        Print(m == 0 ? std::string("0") : signedText(m));
    }
    setFontSize(16);
    for (int m = MinMinute; m <= MaxMinute; ++m) {
        const float centre = 126 + 53.0f * float(m - MinMinute);
        const auto printAt = [this, centre](float y, long long n) {
            const std::string text = signedText(n);
            const std::size_t glyphs = text.size() - (n < 0 ? 2 : 0); // "−" takes 3 bytes
            setCurrentX(centre - 5 * float(glyphs));
            setCurrentY(y);
            Print(text);
        };
        printAt(MinutesRowY, m);
        if (m >= reachedFrom && m <= reachedTo) printAt(LitresRowY, rate * m);
    }
}

void ConstantLesson::announceState(const std::string &change) {
    const rt::Integer y = rate * minute;
    std::string pairs;
    for (rt::Integer m = reachedFrom; m <= reachedTo; ++m) {
        if (!pairs.empty()) pairs += "、";
        pairs += "(" + signedText(m) + ", " + signedText(rate * m) + ")";
    }
    std::string text = rateText(rate) + "。" + minuteText(minute) + "、x = " + signedText(minute) +
                       "、水は " + std::to_string(30 + y) + " L、今からの変化は " + signedText(y) +
                       " L。表: " + pairs;
    std::string drawn;
    for (int i = 0; i < RateCount; ++i)
        if (lines[std::size_t(i)]) drawn += "、" + formulaOf(Rates[std::size_t(i)]);
    if (graph.Value() == 1 && !drawn.empty()) text += "。グラフの直線: " + drawn.substr(3);
    setStatusText(text, change);
    keepState();
}

// The water now stays in the water's colour; each minute's layer has a colour of its own.
rt::Colour ConstantLesson::hintColour(int layer) {
    return layer == 0 ? Water : design::hint(layer - 1);
}

void ConstantLesson::announceMinute() {
    announceState(minuteText(minute) + "、" + signedText(rate * minute) + " L");
}

std::string ConstantLesson::timeText(rt::Integer frames) {
    const long long hundredths = std::llabs(frames) / 2 * 5;
    const std::string cents = std::to_string(100 + hundredths % 100).substr(1);
    return (frames < 0 ? "−" : "") + std::to_string(hundredths / 100) + "." + cents;
}

std::string ConstantLesson::formulaOf(int rate) {
    const std::string a = rate == 1 ? "" : rate == -1 ? "−" : signedText(rate);
    return "y = " + a + "x";
}
