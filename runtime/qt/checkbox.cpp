#include "runtime/qt/checkbox.h"

#include "runtime/qt/colours.h"
#include "runtime/qt/indicatorstyle.h"

namespace rt::qt {

CheckBox::CheckBox(QWidget *parent) : QCheckBox(parent), style_(new IndicatorStyle(this)) {
    setStyle(style_);
    setAutoFillBackground(true);
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

} // namespace rt::qt
