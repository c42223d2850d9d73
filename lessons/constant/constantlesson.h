#pragma once

#include "lessons/constant/constantlayout.h"
#include "lessons/shared/containerlesson.h"

#include <array>
#include <cstdint>
#include <string>

/// The third lesson: the container holds 30 L now, and the water changes by a chosen rate,
/// a litres a minute, added or taken away; x minutes from now, before or after, the change is
/// y = a × x.
class ConstantLesson : public ContainerLesson {
public:
    ConstantLesson();
    /// Drops what waits: a step's frame left behind would outlive the lesson it moves.
    ~ConstantLesson() override;

    rt::CommandButton &run;
    rt::CommandButton &toInverse;
    rt::CommandButton &toProportion;
    rt::CommandButton &forward;
    rt::CommandButton &back;
    rt::ControlArray<rt::CommandButton> rates; // in the order of layout::constant::Rates
    rt::Shape &drain;                          // the water running out under the floor
    rt::ControlArray<rt::Line> segments;       // on the graph, from minute i − 6 to i − 5
    rt::ControlArray<rt::Line> rateLines;      // in the order of layout::constant::Rates
    rt::ControlArray<rt::Label> rateLabels;    // their formulas

    // Litres a minute, one of layout::constant::Rates.
    rt::Integer rate = layout::constant::StartRate;
    // The minute shown at rest, −6 to 6; 0 is now.
    rt::Integer minute = 0;
    // The minutes reached at this rate, a run from `reachedFrom` to `reachedTo` holding 0: the
    // table's columns filled and the graph's points.
    rt::Integer reachedFrom = 0;
    rt::Integer reachedTo = 0;
    // Whether each rate's line is drawn, in the order of layout::constant::Rates.
    std::array<bool, layout::constant::RateCount> lines = {};
    // Counts the returns to now. A step that finds it changed after a pause has been
    // overtaken and stops without touching anything.
    std::uint32_t resets = 0;
    // Whether a step or a run is under way.
    bool moving = false;

    void resetScreen() override;
    /// Tells assistive technology the rate, the minute, the change and the pairs reached;
    /// `change` is what to say at once.
    void announceState(const std::string &change);

    /// A rate button: Rates[index] litres a minute, from now, with an empty table.
    void chooseRate(rt::Integer index);
    /// 進む and 戻る: one minute forward or back, in 40 frames.
    rt::Task stepForward();
    rt::Task stepBack();
    /// 自　動: minute after minute up to 6; 停止 ends it at the next whole minute.
    rt::Task runAutomatically();

    /// The text of the time box for `frames` fortieths of a minute from now: "−3.00".
    static std::string timeText(rt::Integer frames);
    /// "y = 3x", "y = −2x", "y = x".
    static std::string formulaOf(int rate);

protected:
    void loadOwn() override;
    void layersColoured() override;

private:
    rt::Task step(rt::Integer direction);
    rt::Task animate(rt::Integer direction);
    void showFrame(rt::Integer frames, rt::Integer from, rt::Integer direction, bool fresh);
    void announceMinute();
    void placeWater(double minutes);
    void setRate(rt::Integer litres);
    void backToNow();
    void reach(rt::Integer m);
    void redrawBoard();
    void enableAtRest(bool rest);
    void colourGraph();
    static rt::Colour hintColour(int layer);

    double shown_ = 0; // the minutes the water shows, whole at rest
};
