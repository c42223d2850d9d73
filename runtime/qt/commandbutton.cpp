#include "runtime/qt/commandbutton.h"

#include "runtime/core/formdefinition.h"
#include "runtime/qt/colours.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>
#include <cmath>

namespace rt::qt {

namespace {

constexpr QColor Highlight(255, 255, 255);
constexpr QColor Shadow(128, 128, 128);
constexpr QColor DarkShadow(0, 0, 0);

// Two-pixel bevel: light top-left and dark bottom-right when raised, reversed when pressed.
void drawBevel(QPainter &p, const QRect &r, bool sunken) {
    const QColor outerLight = sunken ? DarkShadow : Highlight;
    const QColor outerDark = sunken ? Highlight : DarkShadow;
    p.setPen(outerLight);
    p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
    p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
    p.setPen(outerDark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(Shadow);
    if (sunken) {
        p.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-2, 1));
        p.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -2));
    } else {
        p.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
        p.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
    }
}

// Relative luminance of a colour, 0 for black to 1 for white.
qreal luminance(const QColor &c) {
    auto linear = [](qreal v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The caption's colour where it stands out from `face` (a contrast of 4.5 : 1, as for ordinary
// text), else black: a dark theme's white button text on a pale face can hardly be read.
QColor captionColour(const QColor &fore, const QColor &face) {
    const qreal a = luminance(fore), b = luminance(face);
    const qreal contrast = (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
    return contrast >= 4.5 ? fore : QColor(Qt::black);
}

void drawCaption(QPainter &p, const QRect &r, const QString &text, bool enabled, const QColor &fore,
                 const QColor &face) {
    if (enabled) {
        p.setPen(captionColour(fore, face));
        p.drawText(r, Qt::AlignCenter, text);
        return;
    }
    // Etched grey text: a white copy one pixel down-right under the grey one.
    p.setPen(Highlight);
    p.drawText(r.translated(1, 1), Qt::AlignCenter, text);
    p.setPen(Shadow);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

CommandButton::CommandButton(Control &control, QWidget *parent)
    : QPushButton(parent), ControlWidget(control), back_(SystemColour::ButtonFace),
      fore_(SystemColour::ButtonText) {
    setAutoDefault(false);
    setDefault(false);
    // A toggle button tells assistive technology whether it is pressed; the program decides.
    setCheckable(control.toggle());
    connect(this, &QPushButton::clicked, this, [this] { report(Input(Input::Type::Click)); });
    introduce();
}

void CommandButton::showLook(const ControlLook &look) {
    const QString caption = QString::fromStdString(look.text);
    if (text() != caption) setText(caption);
    if (isCheckable() && isChecked() != look.pressed) setChecked(look.pressed);
    if (back_ == look.back && fore_ == look.fore) return;
    back_ = look.back;
    fore_ = look.fore;
    update();
}

void CommandButton::nextCheckState() {
    // A click only reports itself: the lesson's answer presses the button, or not.
}

void CommandButton::paintEvent(QPaintEvent *) {
    QStylePainter p(this);
    const QRect r = rect();
    const bool sunken = isDown();
    p.fillRect(r, toQColor(back_));
    drawBevel(p, r, sunken);
    p.setFont(font());
    drawCaption(p, r.translated(sunken ? 1 : 0, sunken ? 1 : 0), text(), isEnabled(),
                toQColor(fore_), toQColor(back_));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = r.adjusted(4, 4, -4, -4);
        focus.backgroundColor = toQColor(back_);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace rt::qt
