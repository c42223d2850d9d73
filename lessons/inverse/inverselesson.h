#pragma once

#include "lessons/shared/containerlesson.h"
#include "lessons/shared/design.h"

#include <array>
#include <string>

/// The second lesson: the same container filled at a rate the pupil chooses, x litres a
/// minute, until it is full after y = 60 ÷ x minutes.
class InverseLesson : public ContainerLesson {
public:
    InverseLesson();
    /// Drops what waits: a fill's frame left behind would outlive the lesson it pours.
    ~InverseLesson() override;

    // Litres a minute, one of design::inverse::Rates.
    rt::Integer rate = design::inverse::StartRate;
    // Whole minutes poured at `rate` since the container was last emptied.
    rt::Integer minutes = 0;
    // Whether a fill is under way.
    bool filling = false;
    // Whether each rate has filled the container, in the order of design::inverse::Rates.
    std::array<bool, design::inverse::RateCount> recorded = {};

    rt::CommandButton &pour;
    rt::CommandButton &toProportion;
    rt::CommandButton &toConstant;
    rt::ControlArray<rt::CommandButton> rates; // in the order of design::inverse::Rates
    rt::Line &risingLine;                      // the line climbed during a fill
    rt::Shape &risingPoint;                    // the point climbing it
    rt::ControlArray<rt::Line> curve;          // through the recorded points

    void resetScreen() override;
    /// Tells assistive technology the rate, the minutes, the litres and the pairs recorded;
    /// `change` is what to say at once.
    void announceState(const std::string &change);

    /// A rate button: the next fill pours Rates[index] litres a minute.
    void chooseRate(rt::Integer index);
    /// 入れる: empties the container and fills it at the chosen rate until it is full, or
    /// until 停止 ends the fill at the next whole minute.
    rt::Task fill();
    /// The same, for `upTo` minutes at most.
    rt::Task fill(rt::Integer upTo);
    /// Pours minute `minutes` + 1 in 40 frames.
    rt::Task pourMinute();

protected:
    void loadOwn() override;
    void layersColoured() override;

private:
    /// Takes `rate` litres a minute, at rest only, emptying the container.
    void setRate(rt::Integer rate);
    void emptyContainer();
    void recordFull();
    void enableAtRest(bool rest);
};
