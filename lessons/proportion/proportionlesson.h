#pragma once

#include "lessons/shared/containerlesson.h"
#include "runtime/core/numeric.h"

#include <cstdint>
#include <string>

/// The first lesson: water poured into the empty container at 5 litres a minute for up to 12
/// minutes, a minute forward or back at a time or on its own.
class ProportionLesson : public ContainerLesson {
public:
    ProportionLesson();
    /// Drops what waits: a step's frame left behind would outlive the lesson it moves.
    ~ProportionLesson() override;

    // Twice the minutes shown, even, 0 to 24.
    rt::Integer progress = 0;
    // Counts the returns to the initial screen. A step that finds it changed after a pacing
    // wait has been overtaken by a reset and stops without touching anything.
    std::uint32_t resets = 0;
    // Steps and runs under way, nested ones included: the other lesson waits for none.
    int busy = 0;

    rt::CommandButton &run;
    rt::CommandButton &toInverse;
    rt::CommandButton &toConstant;
    rt::CommandButton &forward;
    rt::CommandButton &back;
    rt::ControlArray<rt::Line> segments; // on the graph, one for each minute

    void resetScreen() override;
    /// Tells assistive technology the minutes and litres shown and the pairs of the table.
    void announceState();

    /// 進む and 戻る: one minute forward or back.
    rt::Task stepForward();
    rt::Task stepBack();
    /// 自　動: the water minute after minute up to twelve minutes; 停止 ends the run at the next
    /// whole minute.
    rt::Task runAutomatically();

    /// One minute forward or back from `progress`, in 40 frames; `progress` stays as it was.
    rt::Task animateForward();
    rt::Task animateBack();

protected:
    void loadOwn() override;
    void layersColoured() override;
    void graphShownOrHidden() override;

private:
    /// Counts a step or run for as long as it lasts, however it ends.
    class BusyScope {
    public:
        explicit BusyScope(ProportionLesson &lesson);
        ~BusyScope();
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        ProportionLesson &lesson_;
    };

    rt::Task step(bool ahead);
    void enableStepButtons();
    void showFrame(rt::Integer n, rt::Integer layer, std::string &time);
    void printColumn(rt::Colour colour, const std::string &minuteText, double minute);
    void plot(rt::Integer layer, rt::Integer n);
    void colourMinute(rt::Integer layer);
};
