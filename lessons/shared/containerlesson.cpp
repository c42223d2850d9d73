#include "lessons/proportion/proportionlesson.h"

#include "lessons/shared/design.h"

using namespace design;

// Hint: a gradient from dark to light so each minute's water can be told apart.
void Form1::Check1_Click() {
    for (rt::Integer i = 0; i <= Minutes; ++i) {
        if (Check1.Value() != 0)
            Shape9(i).setBackColor(hint(i));
        else
            Shape9(i).setBackColor(Water);
        Shape9(i).setBorderColor(Shape9(i).BackColor());
        if (i < Minutes) ColourMinute(i);
    }
    if (StateChanged) StateChanged();
}

// 表: the taller window shows the table below the container.
void Form1::Check2_Click() {
    setHeight(Check2.Value() == 1 ? TallHeight : ShortHeight);
    if (StateChanged) StateChanged();
}

// グラフ: the wider window shows the graph beside the controls.
void Form1::Check3_Click() {
    setWidth(Check3.Value() == 1 ? WideWidth : NarrowWidth);
    AnnounceState();
}
