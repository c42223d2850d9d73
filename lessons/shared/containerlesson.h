#pragma once

#include "lessons/shared/controls.h"
#include "lessons/shared/framepace.h"
#include "lessons/shared/unit.h"
#include "runtime/core/controlarray.h"
#include "runtime/core/form.h"
#include "runtime/core/formview.h"
#include "runtime/core/task.h"

#include <array>
#include <functional>
#include <span>

/// What both lessons of the unit are: water poured into the container beside its litre scale,
/// the table below it and the graph beside it, and the controls that do the same in both. Each
/// lesson adds its own controls, how the water is poured, and what its table and graph hold.
class ContainerLesson : public rt::Form {
public:
    ~ContainerLesson() override = default;

    /// Makes the copies of the scale's marks, the graph's ticks and the lesson's own arrays,
    /// then shows the initial screen.
    void load();
    /// The initial screen: the empty container, the table and the graph empty. The options
    /// and the delay stay.
    virtual void resetScreen() = 0;
    /// The list of keys, in a small window of its own.
    void showKeys();
    /// The pause between frames that the delay box asks for, in milliseconds.
    rt::Long frameDelay() const { return pace_.milliseconds(); }

    // Asks the water running on its own to stop at the next whole minute.
    bool stopRequested = false;
    // Shows another lesson of the unit; set by the owner of all three.
    std::function<void(LessonId)> switchLesson;
    // Told after every change the lesson would want back after a reload: each whole minute,
    // each option; set by the owner of both.
    std::function<void()> stateChanged;

    rt::CommandButton &quit;
    rt::CommandButton &stop;
    rt::CommandButton &initialScreen;
    /// The two buttons that show the other lessons, upper first.
    std::array<rt::CommandButton *, 2> switches;
    rt::CheckBox &hint;
    rt::CheckBox &table;
    rt::CheckBox &graph;
    rt::TextBox &time;                  // elapsed minutes
    rt::ComboBox &delay;                // pause between frames, ms
    rt::Shape &stream;                  // the falling water
    rt::ControlArray<rt::Shape> layers; // the water, a layer for each minute
    rt::ControlArray<rt::Line> scaleMarks;
    rt::ControlArray<rt::Line> yTicks;
    rt::ControlArray<rt::Line> xTicks;
    rt::ControlArray<rt::Shape> points; // on the graph
    rt::Label &formula;                 // the graph's

    /// Lets the pupil switch to another lesson, or not: only at rest.
    void enableSwitching(bool on);

protected:
    /// A button that shows another lesson, and the lesson it shows.
    struct SwitchTo {
        layout::Named<rt::CommandButton> button;
        LessonId lesson;
    };

    /// The lesson's water layers: how many it has, and the Hint colour of each.
    struct Layering {
        rt::Integer count;
        rt::Colour (*hintColour)(int layer);
    };

    /// The lesson made from its layout table, `definition`, with its buttons to the other
    /// lessons, `switchTo`; F1 lists `keyList`.
    ContainerLesson(const rt::FormDef &definition, std::array<SwitchTo, 2> switchTo,
                    Layering layering, std::span<const rt::NoteRow> keyList);

    /// The pause between frames that the delay box asks for, following the box while it lasts.
    rt::Pause nextFrame();
    /// Tells the owner of both that the state changed.
    void keepState();

    /// 初期画面: the initial screen, with the table and the graph hidden.
    void showInitialScreen();
    /// Hint: each minute's water in a colour of its own, or all in the water's colour.
    void colourLayers();
    /// 表: the taller window shows the table below the container.
    void showTable();
    /// グラフ: the wider window shows the graph beside the controls.
    void showGraph();

    /// Makes the copies of the lesson's own arrays.
    virtual void loadOwn() = 0;
    /// After Hint coloured the layers: what takes its colour from them.
    virtual void layersColoured() {}
    /// After グラフ widened or narrowed the window.
    virtual void graphShownOrHidden() { keepState(); }

private:
    Layering layering_;
    std::span<const rt::NoteRow> keyList_;
    FramePace pace_;
};
