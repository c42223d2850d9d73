#pragma once

#include <algorithm>
#include <cmath>

/// How the windowed controls measure, the same in every front end. Lengths are in the pixels
/// a front end draws the control in (form pixels times its zoom), unless said otherwise.
namespace rt::metrics {

/// The ring around the control with the focus, in form pixels: broad enough to find on a
/// projector from the back of the room.
inline constexpr double FocusRing = 6;

/// The ring's dark inner edge, against the light button faces: this share of the ring.
inline constexpr int FocusRingEdgeShare = 3;

/// The dark edge of a ring `ringPx` wide.
constexpr int focusRingEdge(int ringPx) {
    return std::max(1, ringPx / FocusRingEdgeShare);
}

/// A text box condenses its figures to this share of their width, in percent, so that the
/// widest time, "12.00", fits the time box in its large bold figures.
inline constexpr int BoxStretch = 85;

/// A bold text box draws the plain outline of its figures stroked this share of the em wide:
/// a bold the same in every font engine, also where the font has no bold face.
inline constexpr double BoldStrokePerEm = 1.0 / 24;

/// The sunken frame of a box.
inline constexpr int BoxBorder = 2;

/// The space between a box's frame and its text grows by a pixel for this many pixels of em.
inline constexpr int BoxPaddingEms = 64;

/// The space between a box's frame and its text.
inline int boxPadding(double emPx) {
    return std::max(1, static_cast<int>(std::lround(emPx / BoxPaddingEms)));
}

/// Where a box's text starts, from its left edge: the frame, the padding, then one pixel.
inline int boxTextLeft(double emPx) {
    return BoxBorder + boxPadding(emPx) + 1;
}

} // namespace rt::metrics
