#include "lessons/inverse/inverselesson.h"

#include "lessons/inverse/inverselayout.h"
#include "lessons/shared/keys.h"
#include "lessons/shared/windowed.h"
#include "lessons/shared/scales.h"

using namespace design;
using namespace design::inverse;

namespace {

// 入れる and the rates, then the keys both lessons have.
constexpr auto KeyList =
    layout::keyList(std::to_array<rt::NoteRow>({{"Page Down、→ または F5", "入れる"},
                                                {"↑ / ↓", "次の量 / 前の量"},
                                                {"1 ～ 6", "1 分間に 1 ～ 6 L"}}),
                    layout::ToConstantButton.caption);

} // namespace

InverseLesson::~InverseLesson() {
    rt::abandonTasks();
}

InverseLesson::InverseLesson()
    : ContainerLesson(layout::inverse::definition(),
                      {{{layout::ToConstant, LessonId::Constant},
                        {layout::ToProportion, LessonId::Proportion}}},
                      {MaxMinutes, design::inverse::hint}, KeyList),
      pour(layout::inverse::Pour.in(*this)), toProportion(layout::ToProportion.in(*this)),
      toConstant(layout::ToConstant.in(*this)), rates(layout::inverse::Rate.in(*this)),
      risingLine(layout::inverse::RisingLine.in(*this)),
      risingPoint(layout::inverse::RisingPoint.in(*this)), curve(layout::inverse::Curve.in(*this)) {
    pour.setClickHandler([this] { rt::start(fill()); });
    for (rt::Integer i = 0; i < RateCount; ++i)
        rates(i).setClickHandler([this, i] { chooseRate(i); });
    // The arrows step through the rates, as a click on the next rate's button would.
    bindKey(rt::Key::Up, [this] {
        const int i = index(rate);
        if (i + 1 < RateCount && rates(rt::Integer(i + 1)).Enabled())
            chooseRate(rt::Integer(i + 1));
    });
    bindKey(rt::Key::Down, [this] {
        const int i = index(rate);
        if (i > 0 && rates(rt::Integer(i - 1)).Enabled()) chooseRate(rt::Integer(i - 1));
    });
}

// One layer for each minute of the slowest rate, behind the scale; a point for each rate, and
// the curve through them behind the points.
void InverseLesson::loadOwn() {
    for (rt::Integer i = 1; i < MaxMinutes; ++i) {
        layers.Load(i);
        layers(i).ZOrder(1);
        layers(i).setVisible(true);
    }
    for (rt::Integer i = 0; i < RateCount; ++i) {
        if (i > 0) points.Load(i);
        const double full = double(Capacity) / Rates[i];
        points(i).setLeft(graph::x(Rates[i]) - graph::PointRadius);
        points(i).setTop(graph::y(full) - graph::PointRadius);
    }
    for (rt::Integer i = 0; i < CurveSteps; ++i) {
        if (i > 0) curve.Load(i);
        const double x1 = Rates[0] + CurveStep * i, x2 = x1 + CurveStep;
        curve(i).setX1(graph::x(x1));
        curve(i).setY1(graph::y(Capacity / x1));
        curve(i).setX2(graph::x(x2));
        curve(i).setY2(graph::y(Capacity / x2));
        curve(i).ZOrder(1);
    }
}

void InverseLesson::resetScreen() {
    stopRequested = false;
    recorded = {};
    Cls();
    printContainerScale(*this);
    printGraphScale(*this);
    // The rates head the table's columns; the minutes are written as each rate fills.
    setFontSize(20);
    setForeColor(White);
    for (int i = 0; i < RateCount; ++i) {
        setCurrentX(RateColumnX + RateColumnSpacing * i - (Rates[i] > 9 ? 10 : 0));
        setCurrentY(MinutesRowY);
        Print(double(Rates[i]));
    }
    for (rt::Integer i = 0; i < RateCount; ++i)
        points(i).setVisible(false);
    for (rt::Integer i = 0; i < CurveSteps; ++i)
        curve(i).setVisible(false);
    formula.setVisible(false);
    emptyContainer();
    time.setText("0.00");
    rate = 0;
    setRate(StartRate);
    enableAtRest(true);
    announceState("初期画面。毎分 " + std::to_string(rate) + " L、0 分後、0 L");
}

// The container empty, the stream off, and nothing climbing the graph.
void InverseLesson::emptyContainer() {
    minutes = 0;
    for (rt::Integer i = 0; i < MaxMinutes; ++i) {
        layers(i).setHeight(0);
        layers(i).setTop(Floor);
    }
    stream.setHeight(0);
    risingLine.setVisible(false);
    risingPoint.setVisible(false);
}

void InverseLesson::chooseRate(rt::Integer index) {
    if (Rates[index] == rate) return;
    setRate(Rates[index]);
    announceState("毎分 " + std::to_string(rate) + " L");
}

void InverseLesson::setRate(rt::Integer litres) {
    if (litres == rate) return;
    // The water shown was poured at the old rate: a new rate starts from the empty container.
    if (minutes > 0) {
        emptyContainer();
        time.setText("0.00");
    }
    rate = litres;
    for (rt::Integer i = 0; i < RateCount; ++i) {
        rates(i).setBackColor(Rates[i] == litres ? ChosenRateFace : RateFace);
        rates(i).setPressed(Rates[i] == litres);
    }
}

void InverseLesson::enableAtRest(bool rest) {
    pour.setEnabled(rest);
    stop.setEnabled(!rest);
    initialScreen.setEnabled(rest);
    enableSwitching(rest);
    for (rt::Integer i = 0; i < RateCount; ++i)
        rates(i).setEnabled(rest);
}

void InverseLesson::announceState(const std::string &change) {
    const std::string litres = std::to_string(rate * minutes);
    std::string pairs;
    for (int i = 0; i < RateCount; ++i) {
        if (!recorded[std::size_t(i)]) continue;
        if (!pairs.empty()) pairs += "、";
        pairs += "毎分 " + std::to_string(Rates[i]) + " L で " +
                 std::to_string(Capacity / Rates[i]) + " 分";
    }
    std::string text = "毎分 " + std::to_string(rate) + " L。" + std::to_string(minutes) +
                       " 分後、水は " + litres +
                       " L。表: " + (pairs.empty() ? "まだありません" : pairs);
    if (formula.Visible()) text += "。" + formula.Caption();
    setStatusText(text, change);
    keepState();
}

// The stream takes the colour of the water it pours.
void InverseLesson::layersColoured() {
    if (filling) stream.setBackColor(layers(minutes).BackColor());
}
