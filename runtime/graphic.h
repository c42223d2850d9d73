#pragma once

#include "runtime/numeric.h"

#include <QRectF>
#include <QString>

#include <memory>

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

    /// Stores `value` in `field` and repaints what changed; nothing happens when it is equal.
    template <typename T> void assign(T &field, T value) {
        if (field == value) return;
        const QRectF before = bounds();
        field = value;
        changed(before);
    }

    /// Repaints the area the item covered before a change and the area it covers now.
    void changed(const QRectF &before) const;

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

} // namespace rt
