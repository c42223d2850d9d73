#include "runtime/textbox.h"

#include <QPainter>

namespace rt {

namespace {

constexpr int Border = 2;

// Sunken: grey and black along the top and left, light grey and white along the bottom and right.
void drawSunkenBorder(QPainter &p, const QRect &r) {
    const QColor shadow(128, 128, 128), dark(0, 0, 0), light(192, 192, 192),
        highlight(255, 255, 255);
    p.setPen(shadow);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(highlight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    p.setPen(dark);
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(light);
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
}

} // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(Border + 1, Border, Border, Border);
}

void TextBox::setText(const QString &text) {
    if (text == QLineEdit::text()) return;
    QLineEdit::setText(text);
}

void TextBox::paintEvent(QPaintEvent *event) {
    QLineEdit::paintEvent(event);
    QPainter p(this);
    drawSunkenBorder(p, rect());
}

} // namespace rt
