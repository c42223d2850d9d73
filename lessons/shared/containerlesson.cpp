#include "lessons/shared/containerlesson.h"

#include "lessons/shared/design.h"
#include "runtime/core/events.h"

using namespace design;

ContainerLesson::ContainerLesson(const rt::FormDef &definition, std::array<SwitchTo, 2> switchTo,
                                 Layering layering, std::span<const rt::NoteRow> keyList)
    : rt::Form(definition), quit(layout::Quit.in(*this)), stop(layout::Stop.in(*this)),
      initialScreen(layout::InitialScreen.in(*this)), switches{&switchTo[0].button.in(*this),
                                                               &switchTo[1].button.in(*this)},
      hint(layout::Hint.in(*this)), table(layout::Table.in(*this)), graph(layout::Graph.in(*this)),
      time(layout::Time.in(*this)), delay(layout::Delay.in(*this)),
      stream(layout::Stream.in(*this)), layers(layout::Layer.in(*this)),
      scaleMarks(layout::ScaleMark.in(*this)), yTicks(layout::YTick.in(*this)),
      xTicks(layout::XTick.in(*this)), points(layout::Point.in(*this)),
      formula(layout::Formula.in(*this)), layering_(layering), keyList_(keyList),
      pace_(delay.Text()) {
    quit.setClickHandler([] { rt::End(); });
    stop.setClickHandler([this] { stopRequested = true; });
    initialScreen.setClickHandler([this] { showInitialScreen(); });
    // The other lesson keeps its own state meanwhile.
    for (std::size_t i = 0; i < switches.size(); ++i)
        switches[i]->setClickHandler([this, lesson = switchTo[i].lesson] {
            if (switchLesson) switchLesson(lesson);
        });
    hint.setClickHandler([this] { colourLayers(); });
    table.setClickHandler([this] { showTable(); });
    graph.setClickHandler([this] { showGraph(); });
    bindKey(rt::Key::F1, [this] { showKeys(); });
    // A new delay sets the pace, and is kept with the lesson.
    delay.setChangeHandler([this] {
        pace_.follow(delay.Text());
        keepState();
    });
}

void ContainerLesson::load() {
    setHeight(ShortHeight);
    for (rt::Integer i = 1; i <= Minutes; ++i) {
        scaleMarks.Load(i);
        scaleMarks(i).ZOrder(0);
        scaleMarks(i).setY1(Floor - ScaleSpacing * i);
        scaleMarks(i).setY2(scaleMarks(i).Y1());
        scaleMarks(i).setVisible(true);
        yTicks.Load(i);
        yTicks(i).setY1(graph::y(graph::LitresPerTick * i));
        yTicks(i).setY2(yTicks(i).Y1());
        yTicks(i).setVisible(true);
        xTicks.Load(i);
        xTicks(i).setX1(graph::x(i));
        xTicks(i).setX2(xTicks(i).X1());
        xTicks(i).setVisible(true);
    }
    loadOwn();
    resetScreen();
}

// A frame's pause follows the delay box while it lasts: a delay put right ends it at the new
// length from its start, so a mistyped 99999999999 does not hold the lesson for 25 days.
rt::Pause ContainerLesson::nextFrame() {
    return rt::Pause([this] { return frameDelay(); });
}

void ContainerLesson::keepState() {
    if (stateChanged) stateChanged();
}

void ContainerLesson::showKeys() {
    showNote("キー操作", keyList_);
}

// Hint and the frame delay stay.
void ContainerLesson::showInitialScreen() {
    resetScreen();
    table.setValue(0);
    graph.setValue(0);
}

void ContainerLesson::colourLayers() {
    for (rt::Integer i = 0; i < layering_.count; ++i) {
        layers(i).setBackColor(hint.Value() != 0 ? layering_.hintColour(i) : design::Water);
        layers(i).setBorderColor(layers(i).BackColor());
    }
    layersColoured();
    keepState();
}

void ContainerLesson::showTable() {
    setHeight(table.Value() == 1 ? TallHeight : ShortHeight);
    keepState();
}

void ContainerLesson::showGraph() {
    setWidth(graph.Value() == 1 ? WideWidth : NarrowWidth);
    graphShownOrHidden();
}

void ContainerLesson::enableSwitching(bool on) {
    for (rt::CommandButton *button : switches)
        button->setEnabled(on);
}
