#include "runtime/qt/textbox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace rt::qt {

namespace {

constexpr int Border = metrics::BoxBorder;

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

TextBox::TextBox(Control &control, QWidget *parent) : QLineEdit(parent), ControlWidget(control) {
    setFrame(false);
    QFont narrow = font();
    narrow.setStretch(Stretch);
    setFont(narrow);
    connect(this, &QLineEdit::textEdited, this, [this](const QString &typed) {
        Input in(Input::Type::Text);
        in.text = typed.toStdString();
        report(in);
    });
    introduce();
}

void TextBox::showLook(const ControlLook &look) {
    showText(*this, QString::fromStdString(look.text));
    showColours(*this, look);
}

qreal TextBox::emboldening() const {
    // The width a synthesised bold adds to each stroke.
    return font().bold() ? font().pixelSize() * metrics::BoldStrokePerEm : 0.0;
}

void TextBox::changeEvent(QEvent *event) {
    QLineEdit::changeEvent(event);
    if (event->type() != QEvent::FontChange) return;
    // Whatever font the box is given, its figures stay condensed; the line edit lays out,
    // places the cursor and hits clicks in the same narrow font this box draws.
    if (font().stretch() != Stretch) {
        QFont narrow = font();
        narrow.setStretch(Stretch);
        setFont(narrow);
        return;
    }
    setTextMargins(metrics::boxTextLeft(font().pixelSize()) - 1, Border, Border, Border);
}

const TextBox::Glyph &TextBox::glyph(QChar c, const QColor &colour, qreal squeeze,
                                     qreal ratio) const {
    const GlyphKey key{c.unicode(), colour.rgba(), font().pixelSize(), squeeze, ratio};
    if (const auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
    if (glyphs_.size() > 256) glyphs_.clear(); // a pupil's long typing squeezes many ways
    // Plain, natural-width outlines, condensed and emboldened here, in device pixels.
    QFont plain = font();
    plain.setBold(false);
    plain.setStretch(QFont::Unstretched);
    QPainterPath outline;
    outline.addText(0, 0, plain, QString(c));
    outline = QTransform::fromScale(ratio * squeeze * Stretch / 100.0, ratio).map(outline);
    const qreal pen = emboldening() * ratio;
    const QRect box = outline.boundingRect().adjusted(-pen, -pen, pen, pen).toAlignedRect();
    Glyph g{QImage(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied),
            box.topLeft()};
    g.image.fill(Qt::transparent);
    QPainter p(&g.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-box.topLeft());
    if (pen > 0)
        p.strokePath(outline, QPen(colour, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(outline, colour);
    return glyphs_.emplace(key, std::move(g)).first->second;
}

void TextBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRect r = rect();
    const QPalette &colours = palette();
    p.fillRect(r, colours.color(QPalette::Base));
    drawSunkenBorder(p, r);

    // Left aligned where the line edit puts its text (its margin, then one pixel), centred
    // upright as it is; never scrolled.
    const QFontMetricsF metrics(font());
    const qreal pen = emboldening();
    const QRectF inner = QRectF(r).adjusted(Border, Border, -Border, -Border);
    const qreal left = textMargins().left() + 1;
    const qreal right = r.width() - left; // a text too wide is squeezed within even margins
    const qreal baseline = inner.top() + (inner.height() - metrics.height()) / 2 + metrics.ascent();
    const qreal squeeze = [&] {
        const qreal natural = metrics.horizontalAdvance(text()) + pen;
        return natural > right - left ? (right - left) / natural : 1.0;
    }();
    auto xAt = [&](int position) {
        return left + squeeze * metrics.horizontalAdvance(text().left(position));
    };

    p.setClipRect(inner);
    // Each character copied to whole device pixels from its pen position.
    const qreal ratio = devicePixelRatioF();
    auto drawText = [&](const QColor &colour) {
        p.save();
        p.setWorldTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        const int y = int(std::lround(baseline * ratio));
        for (int i = 0; i < text().size(); ++i) {
            const Glyph &g = glyph(text().at(i), colour, squeeze, ratio);
            p.drawImage(QPoint(int(std::lround(xAt(i) * ratio)), y) + g.offset, g.image);
        }
        p.restore();
    };
    drawText(colours.color(QPalette::Text));
    if (hasSelectedText()) {
        const int start = selectionStart();
        const QRectF band(QPointF(xAt(start), inner.top()),
                          QPointF(xAt(start + int(selectedText().size())), inner.bottom()));
        p.fillRect(band, colours.color(QPalette::Highlight));
        p.setClipRect(band, Qt::IntersectClip);
        drawText(colours.color(QPalette::HighlightedText));
    } else if (hasFocus() && !isReadOnly()) {
        // A steady cursor: what a still picture shows does not depend on a blink phase.
        const qreal width = std::max(1.0, std::round(font().pixelSize() / 32.0));
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRectF(std::round(xAt(cursorPosition()) - width / 2),
                          baseline - metrics.ascent(), width, metrics.height()),
                   colours.color(QPalette::Text));
    }
}

} // namespace rt::qt
