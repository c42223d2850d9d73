#pragma once

#include <algorithm>
#include <vector>

namespace rt {

/// A point in form pixels.
struct PointF {
    double x = 0, y = 0;
    friend bool operator==(const PointF &, const PointF &) = default;
};

/// A size in form pixels.
struct SizeF {
    double width = 0, height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const SizeF &, const SizeF &) = default;
};

/// A rectangle in form pixels.
struct RectF {
    double x = 0, y = 0, width = 0, height = 0;

    double left() const { return x; }
    double top() const { return y; }
    double right() const { return x + width; }
    double bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    static RectF fromEdges(double left, double top, double right, double bottom) {
        return {left, top, right - left, bottom - top};
    }
    /// The rectangle spanned by two corners in any order.
    static RectF spanning(PointF a, PointF b) {
        return fromEdges(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                         std::max(a.y, b.y));
    }
    RectF adjusted(double l, double t, double r, double b) const {
        return fromEdges(left() + l, top() + t, right() + r, bottom() + b);
    }
    bool intersects(const RectF &o) const {
        return left() < o.right() && o.left() < right() && top() < o.bottom() && o.top() < bottom();
    }
    friend bool operator==(const RectF &, const RectF &) = default;
};

/// A rectangle of whole device pixels.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;

    int left() const { return x; }
    int top() const { return y; }
    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    static Rect fromEdges(int left, int top, int right, int bottom) {
        return {left, top, right - left, bottom - top};
    }
    Rect adjusted(int l, int t, int r, int b) const {
        return fromEdges(left() + l, top() + t, right() + r, bottom() + b);
    }
    bool intersects(const Rect &o) const {
        return !isEmpty() && !o.isEmpty() && left() < o.right() && o.left() < right() &&
               top() < o.bottom() && o.top() < bottom();
    }
    Rect intersected(const Rect &o) const {
        const Rect r = fromEdges(std::max(left(), o.left()), std::max(top(), o.top()),
                                 std::min(right(), o.right()), std::min(bottom(), o.bottom()));
        return r.isEmpty() ? Rect{} : r;
    }
    friend bool operator==(const Rect &, const Rect &) = default;
};

/// Device pixels as a list of rectangles, which may overlap.
using Region = std::vector<Rect>;

/// The device pixel edge a form-pixel coordinate snaps to: halves round up, the same for
/// painting and for working out what to repaint.
int snapEdge(double v, double deviceScale);

/// The device pixels a rectangle in form pixels covers once its edges are snapped, so edges
/// stay crisp and neighbouring rectangles meet without gaps at any scale. Empty when it
/// collapses.
Rect snappedDevicePixels(const RectF &r, double deviceScale);

/// The device pixels of `area` grown outward to whole pixels, for repainting what a text or
/// other soft-edged drawing may touch.
Rect coveringDevicePixels(const RectF &area, double deviceScale);

/// A filled disc as one device-pixel rectangle per row. The row's centre decides whether the
/// row is inked and how wide, so the disc comes out the same pixels wherever it is drawn.
std::vector<Rect> discRows(PointF centre, double radius, double deviceScale);

/// A line `width` wide from `a` to `b` with round ends, as one device-pixel rectangle per row,
/// by the same rule as discRows.
std::vector<Rect> roundLineRows(PointF a, PointF b, double width, double deviceScale);

/// The rectangles of `a` that `b` does not cover and of `b` that `a` does not (as strips).
Region symmetricDifference(const Rect &a, const Rect &b);

/// `outer` less `inner`, as up to four strips.
Region subtracted(const Rect &outer, const Rect &inner);

/// Damage as the areas to repaint one by one, within `bounds`: rectangles that overlap or
/// nearly touch are joined, as one repaint of both costs little more, but far-apart ones (the
/// water, the stream and the graph's point move together) stay apart, so that no frame
/// repaints the whole board between them.
Region mergedAreas(const Region &damage, const Rect &bounds);

} // namespace rt
