#include "lessons/shared/scales.h"

#include "lessons/shared/design.h"
#include "runtime/core/numeric.h"

#include <string>

using namespace design;

void printContainerScale(rt::Form &form) {
    form.setFontSize(14);
    form.setForeColor(rt::QBColor(15));
    for (int i = 0; i <= Minutes; ++i) {
        form.setCurrentX(i < 2 ? 510 : 498); // one-digit labels stand further right
        form.setCurrentY(Floor - ScaleSpacing * i - LabelLift);
        form.Print(5.0 * i);
    }
}

void printGraphScale(rt::Form &form) {
    form.setFontSize(12);
    form.setForeColor(rt::QBColor(15));
    for (int value = 0; value <= 60; value += graph::LitresPerLabel) {
        form.setCurrentX(graph::x(0) - (value < 10 ? 18 : 26));
        form.setCurrentY(graph::y(value) - LabelLift);
        form.Print(std::to_string(value));
    }
    for (int value = 0; value <= Minutes; value += graph::MinutesPerLabel) {
        form.setCurrentX(graph::x(value) - (value < 10 ? 4 : 8));
        form.setCurrentY(graph::y(0) + 8);
        form.Print(std::to_string(value));
    }
}
