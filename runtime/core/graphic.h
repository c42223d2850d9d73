#pragma once

#include "runtime/core/geometry.h"
#include "runtime/core/types.h"

#include <memory>
#include <string>

namespace rt {

class Form;
class Painter;

/// A lightweight item (line, rectangle or label) that the form draws itself, in z-order,
/// above the printed text and below the windowed controls. Geometry is in form pixels.
class Graphic {
public:
    virtual ~Graphic() = default;
    Graphic &operator=(const Graphic &) = delete;

    /// The designer name of the item.
    const std::string &Name() const { return name_; }
    /// Its index in a control array, -1 when it is not an element of one.
    Integer Index() const { return index_; }

    /// Whether the item is drawn.
    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    /// 0 brings the item in front of all other items, 1 sends it behind them.
    void ZOrder(int position = 0);

    /// The area the item paints, in form pixels.
    virtual RectF bounds() const = 0;
    /// Paints the item at `deviceScale` device pixels per form pixel.
    virtual void paint(Painter &painter, double deviceScale) const = 0;
    /// A copy for a new array element.
    virtual std::unique_ptr<Graphic> clone() const = 0;

protected:
    Graphic(Form &form, std::string name, Integer index);
    Graphic(const Graphic &) = default;

    /// Stores a new position or size in `field` and repaints what moved; equal values do nothing.
    template <typename T> void assign(T &field, T value) {
        if (field == value) return;
        const RectF before = bounds();
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
    void changed(const RectF &before) const;
    /// Repaints the whole item when it is visible.
    void repaintAll() const;
    /// The device pixels a move or resize from `before` can change; by default both whole
    /// areas. Computed on the pixels as painting snaps them, so that no edge row is missed.
    virtual Region movedArea(const RectF &before, double deviceScale) const;

    const Form &form() const { return *form_; }

private:
    friend class Form;
    Form *form_;
    std::string name_;
    Integer index_;
    bool visible_ = true;
};

} // namespace rt
