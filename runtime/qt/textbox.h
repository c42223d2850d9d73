#pragma once

#include "runtime/core/controlmetrics.h"
#include "runtime/qt/controlwidget.h"

#include <QImage>
#include <QLineEdit>

#include <map>
#include <tuple>

namespace rt::qt {

/// A single-line text box the user can type into, with a sunken two-pixel border drawn the
/// same under every style (and cheaply: the time box is rewritten on every animation frame).
/// Its text is drawn condensed and, in a bold font, emboldened by an outline, so that the
/// widest time, "12.00", fits the box in the large bold figures of the design at every size.
/// It never scrolls: a text too wide even so is drawn narrower still, so all of it shows.
class TextBox : public QLineEdit, public ControlWidget {
    Q_OBJECT

public:
    TextBox(Control &control, QWidget *parent);

    QWidget &widget() override { return *this; }

    /// Horizontal stretch of the figures, in percent of their natural width.
    static constexpr int Stretch = metrics::BoxStretch;

protected:
    void showLook(const ControlLook &look) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // One character drawn in device pixels; `offset` leads from its pen position on the
    // baseline to the image's top-left corner.
    struct Glyph {
        QImage image;
        QPoint offset;
    };
    // Character, colour, pixel size, squeeze, device pixel ratio.
    using GlyphKey = std::tuple<char16_t, QRgb, int, qreal, qreal>;

    qreal emboldening() const;
    const Glyph &glyph(QChar c, const QColor &colour, qreal squeeze, qreal ratio) const;

    // Outlining and emboldening a large glyph costs far more than copying it, and the time
    // box shows a new time every other frame in the same eleven characters: each is drawn
    // once. The copies also stay alike, where outlines fetched again can differ by a fraction.
    mutable std::map<GlyphKey, Glyph> glyphs_;
};

} // namespace rt::qt
