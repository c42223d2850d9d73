#pragma once

#include <QLineEdit>
#include <QPainterPath>

namespace rt {

/// A single-line text box the user can type into, with a sunken two-pixel border drawn the
/// same under every style (and cheaply: the time box is rewritten on every animation frame).
/// Its text is drawn condensed and, in a bold font, emboldened by an outline, so that the
/// widest time, "12.00", fits the box in the large bold figures of the design at every size.
/// It never scrolls: a text too wide even so is drawn narrower still, so all of it shows.
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget *parent = nullptr);

    /// The text shown.
    QString Text() const { return text(); }
    void setText(const QString &text);

    /// Horizontal stretch of the figures, in percent of their natural width.
    static constexpr int Stretch = 85;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    qreal emboldening() const;
    const QPainterPath &outlines() const;

    // The outlines of the text last drawn, in its font's pixel size.
    mutable QPainterPath glyphs_;
    mutable QString glyphsText_;
    mutable int glyphsSize_ = 0;
};

} // namespace rt
