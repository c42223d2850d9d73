#include "runtime/textbox.h"

#include <QPainter>

namespace rt {

namespace {

constexpr int Border = 2;

// Sunken: grey and black along the top and left, light grey and white along the bottom and
// right. One-pixel rectangles are filled, far cheaper than stroked lines.
void drawSunkenBorder(QPainter &p, const QRect &r) {
    const QColor shadow(128, 128, 128), dark(0, 0, 0), light(192, 192, 192),
        highlight(255, 255, 255);
    auto frame = [&p](const QRect &box, const QColor &topLeft, const QColor &bottomRight) {
        p.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
        p.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
        p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
        p.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
    };
    frame(r, shadow, highlight);
    frame(r.adjusted(1, 1, -1, -1), dark, light);
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
