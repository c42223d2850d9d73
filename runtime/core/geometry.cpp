#include "runtime/core/geometry.h"

#include <cmath>
#include <optional>

namespace rt {

int snapEdge(double v, double deviceScale) {
    return static_cast<int>(std::floor(v * deviceScale + 0.5));
}

Rect snappedDevicePixels(const RectF &r, double deviceScale) {
    const int left = snapEdge(r.left(), deviceScale);
    const int top = snapEdge(r.top(), deviceScale);
    const int right = snapEdge(r.right(), deviceScale);
    const int bottom = snapEdge(r.bottom(), deviceScale);
    if (right <= left || bottom <= top) return {};
    return Rect::fromEdges(left, top, right, bottom);
}

Rect coveringDevicePixels(const RectF &area, double deviceScale) {
    if (area.isEmpty()) return {};
    return Rect::fromEdges(static_cast<int>(std::floor(area.left() * deviceScale)),
                           static_cast<int>(std::floor(area.top() * deviceScale)),
                           static_cast<int>(std::ceil(area.right() * deviceScale)),
                           static_cast<int>(std::ceil(area.bottom() * deviceScale)));
}

namespace {

// One device-pixel rectangle for each device row whose centre lies inside a convex figure;
// `extent(y)` gives the figure's left and right edge, in form pixels, across the row's centre
// at y, or nothing where the row misses the figure.
template <typename Extent>
std::vector<Rect> rows(double top, double bottom, double deviceScale, Extent extent) {
    std::vector<Rect> out;
    const auto first = static_cast<long>(std::floor(top * deviceScale));
    const auto last = static_cast<long>(std::ceil(bottom * deviceScale));
    for (long row = first; row < last; ++row) {
        const double y = (row + 0.5) / deviceScale;
        const std::optional<std::pair<double, double>> e = extent(y);
        if (!e) continue;
        const int left = snapEdge(e->first, deviceScale);
        const int right = snapEdge(e->second, deviceScale);
        if (right > left) out.push_back({left, static_cast<int>(row), right - left, 1});
    }
    return out;
}

} // namespace

std::vector<Rect> discRows(PointF centre, double radius, double deviceScale) {
    if (radius <= 0) return {};
    return rows(centre.y - radius, centre.y + radius, deviceScale,
                [&](double y) -> std::optional<std::pair<double, double>> {
                    const double dy = y - centre.y;
                    if (std::abs(dy) >= radius) return std::nullopt;
                    const double half = std::sqrt(radius * radius - dy * dy);
                    return std::pair(centre.x - half, centre.x + half);
                });
}

std::vector<Rect> roundLineRows(PointF a, PointF b, double width, double deviceScale) {
    const double r = width / 2;
    if (r <= 0) return {};
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    if (length == 0) return discRows(a, r, deviceScale);
    // The figure is convex: its extent across a row is the union of the two end discs' and
    // the band's, all of which overlap where more than one is present.
    return rows(std::min(a.y, b.y) - r, std::max(a.y, b.y) + r, deviceScale,
                [&](double y) -> std::optional<std::pair<double, double>> {
                    double lo = INFINITY, hi = -INFINITY;
                    for (const PointF &end : {a, b}) {
                        const double ey = y - end.y;
                        if (std::abs(ey) >= r) continue;
                        const double half = std::sqrt(r * r - ey * ey);
                        lo = std::min(lo, end.x - half);
                        hi = std::max(hi, end.x + half);
                    }
                    // The band: |cross(d, p - a)| <= r |d| and 0 <= dot(d, p - a) <= |d|^2,
                    // each a bound on x along the row.
                    double bandLo = -INFINITY, bandHi = INFINITY;
                    auto bound = [&](double k, double c, double min, double max) {
                        // min <= k x + c <= max
                        if (k == 0) {
                            if (c < min || c > max) bandLo = INFINITY;
                            return;
                        }
                        double x1 = (min - c) / k, x2 = (max - c) / k;
                        if (x1 > x2) std::swap(x1, x2);
                        bandLo = std::max(bandLo, x1);
                        bandHi = std::min(bandHi, x2);
                    };
                    const double py = y - a.y;
                    bound(-dy, dx * py + dy * a.x, -r * length, r * length); // cross
                    bound(dx, dy * py - dx * a.x, 0, length * length);       // along
                    if (bandLo < bandHi) {
                        lo = std::min(lo, bandLo);
                        hi = std::max(hi, bandHi);
                    }
                    if (!(lo < hi)) return std::nullopt;
                    return std::pair(lo, hi);
                });
}

Region subtracted(const Rect &outer, const Rect &inner) {
    Region out;
    if (outer.isEmpty()) return out;
    const Rect cut = outer.intersected(inner);
    if (cut.isEmpty()) {
        out.push_back(outer);
        return out;
    }
    auto add = [&out](const Rect &r) {
        if (!r.isEmpty()) out.push_back(r);
    };
    add(Rect::fromEdges(outer.left(), outer.top(), outer.right(), cut.top()));
    add(Rect::fromEdges(outer.left(), cut.bottom(), outer.right(), outer.bottom()));
    add(Rect::fromEdges(outer.left(), cut.top(), cut.left(), cut.bottom()));
    add(Rect::fromEdges(cut.right(), cut.top(), outer.right(), cut.bottom()));
    return out;
}

Region mergedAreas(const Region &damage, const Rect &bounds) {
    Region areas;
    for (const Rect &r : damage) {
        Rect area = r.intersected(bounds);
        if (area.isEmpty()) continue;
        for (auto it = areas.begin(); it != areas.end();) {
            const Rect joined = Rect::fromEdges(
                std::min(area.left(), it->left()), std::min(area.top(), it->top()),
                std::max(area.right(), it->right()), std::max(area.bottom(), it->bottom()));
            const long both = long(joined.width) * joined.height;
            const long apart = long(area.width) * area.height + long(it->width) * it->height;
            if (both <= apart * 3 / 2 + 64) {
                area = joined;
                areas.erase(it);
                it = areas.begin(); // the larger area may now reach others
            } else {
                ++it;
            }
        }
        areas.push_back(area);
    }
    return areas;
}

Region symmetricDifference(const Rect &a, const Rect &b) {
    Region out = subtracted(a, b);
    const Region other = subtracted(b, a);
    out.insert(out.end(), other.begin(), other.end());
    return out;
}

} // namespace rt
