#include "runtime/checkbox.h"

#include "runtime/colours.h"
#include "runtime/events.h"
#include "runtime/indicatorstyle.h"

namespace rt {

CheckBox::CheckBox(QWidget *parent) : QCheckBox(parent), style_(new IndicatorStyle(this)) {
    setStyle(style_);
    setAutoFillBackground(true);
    connect(this, &QCheckBox::toggled, this, [this] { dispatch(onClick_); });
}

void CheckBox::setValue(int value) {
    const bool on = value != 0;
    if (on == isChecked()) return;
    setChecked(on);
    throwIfEnding(); // the handler may have ended the program
}

void CheckBox::setScale(double scale) {
    if (style_->scale() == scale) return;
    style_->setScale(scale);
    updateGeometry();
    update();
}

void CheckBox::setColours(Colour back, Colour fore) {
    QPalette pal = palette();
    // Buttons fill their background with the Button role.
    pal.setColor(QPalette::Window, toQColor(back));
    pal.setColor(QPalette::Button, toQColor(back));
    pal.setColor(QPalette::WindowText, toQColor(fore));
    setPalette(pal);
}

} // namespace rt
