#pragma once

#include "runtime/numeric.h"

#include <QRectF>
#include <QRegion>
#include <QString>

#include <memory>
#include <vector>

class QPainter;

namespace rt {

class Form;

/// A lightweight item (line, rectangle or label) that the form paints itself, in z-order,
/// above the printed text and below the windowed controls. Geometry is in form pixels.
class Graphic {
public:
    virtual ~Graphic() = default;
    Graphic &operator=(const Graphic &) = delete;

    /// The designer name of the item.
    const QString &Name() const { return name_; }
    /// Its index in a control array, -1 when it is not an element of one.
    Integer Index() const { return index_; }

    /// Whether the item is drawn.
    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    /// 0 brings the item in front of all other items, 1 sends it behind them.
    void ZOrder(int position = 0);

    /// The area the item paints, in form pixels.
    virtual QRectF bounds() const = 0;
    /// Paints the item; the painter is in form pixels, `deviceScale` device pixels per form pixel.
    virtual void paint(QPainter &painter, qreal deviceScale) const = 0;
    /// A copy for a new array element.
    virtual std::unique_ptr<Graphic> clone() const = 0;

protected:
    Graphic(Form &form, QString name, Integer index);
    Graphic(const Graphic &) = default;

    /// Stores a new position or size in `field` and repaints what moved; equal values do nothing.
    template <typename T> void assign(T &field, T value) {
        if (field == value) return;
        const QRectF before = bounds();
        field = value;
        changed(before);
    }

    /// Stores a new colour or width in `field` and repaints the whole item.
    template <typename T> void assignLook(T &field, T value) {
        if (field == value) return;
        field = value;
        repaintAll();
    }

    /// Repaints what a change of geometry from `before` can have touched.
    void changed(const QRectF &before) const;
    /// Repaints the whole item when it is visible.
    void repaintAll() const;
    /// The device pixels a move or resize from `before` can change; by default both whole
    /// areas. Computed on the pixels as painting snaps them, so that no edge row is missed.
    virtual QRegion movedArea(const QRectF &before) const;
    /// The device pixels `area` (form pixels) covers once snapped as the form paints it.
    QRect devicePixels(const QRectF &area) const;

private:
    friend class Form;
    Form *form_;
    QString name_;
    Integer index_;
    bool visible_ = true;
};

/// Snaps a rectangle in form pixels to whole device pixels, so edges stay crisp and
/// neighbouring rectangles meet without gaps at any scale.
QRectF snapToDevice(const QRectF &r, qreal deviceScale);
/// The same snapping, as the device pixels covered (empty when the rectangle collapses).
QRect snappedDevicePixels(const QRectF &r, qreal deviceScale);

/// A filled disc as one rectangle per device pixel row, each snapped like any other edge, so
/// it comes out the same pixels wherever it is drawn.
std::vector<QRectF> discRows(QPointF centre, qreal radius, qreal deviceScale);

} // namespace rt
