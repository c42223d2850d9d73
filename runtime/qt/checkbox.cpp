#include "runtime/qt/checkbox.h"

#include "runtime/qt/colours.h"
#include "runtime/qt/indicatorstyle.h"

namespace rt::qt {

CheckBox::CheckBox(Control &control, QWidget *parent)
    : QCheckBox(parent), ControlWidget(control), style_(new IndicatorStyle(this)) {
    setStyle(style_);
    setAutoFillBackground(true);
    // The user's clicks: the form sets the value and runs the click handler.
    connect(this, &QCheckBox::clicked, this,
            [this](bool on) { report(Input(Input::Type::Check, -1, on ? 1 : 0)); });
    introduce();
}

void CheckBox::place(const QRect &box, double scale) {
    ControlWidget::place(box, scale);
    if (style_->scale() == scale) return;
    style_->setScale(scale);
    updateGeometry();
    update();
}

void CheckBox::showLook(const ControlLook &look) {
    const QString caption = QString::fromStdString(look.text);
    if (text() != caption) setText(caption);
    if (isChecked() != (look.value != 0)) setChecked(look.value != 0);
    if (back_ == look.back && fore_ == look.fore && testAttribute(Qt::WA_SetPalette)) return;
    back_ = look.back;
    fore_ = look.fore;
    QPalette pal = palette();
    // Buttons fill their background with the Button role.
    pal.setColor(QPalette::Window, toQColor(back_));
    pal.setColor(QPalette::Button, toQColor(back_));
    pal.setColor(QPalette::WindowText, toQColor(fore_));
    setPalette(pal);
}

} // namespace rt::qt
