#pragma once

#include <QPointF>
#include <QSize>
#include <QSizeF>

#include <array>

/// How large the window shows the form: pure functions of sizes, so that they can be checked
/// without a window.
namespace rt::qt::zoom {

/// The zoom steps that Ctrl + "+", Ctrl + "-" and Ctrl + "0" move through.
inline constexpr std::array<double, 7> Steps = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

/// The step after (`direction` 1) or before (-1) `zoom`, staying within the steps; from a zoom
/// between steps the first step is the way back.
double step(double zoom, int direction);

/// True when `zoom` is one of the steps.
bool isStep(double zoom);

/// The window's size for a client area of `client` form pixels at `zoom`.
QSize windowSize(QSizeF client, double zoom);

/// The largest zoom up to `wanted` at which the window fits `room`: `wanted` if it fits, else
/// the largest step that does, never below the design size.
double fitting(QSizeF client, double wanted, QSize room);

/// Where a full screen shows the form: as large as `area` allows with its proportions kept.
struct Fit {
    double scale = 1;
    QPointF offset; // the form's top-left corner in the area
    friend bool operator==(const Fit &, const Fit &) = default;
};

/// The form of `client` form pixels filling `area` (device-independent pixels), centred on
/// whole device pixels at `dpr` so that edges snapped to device pixels stay on them.
Fit fill(QSizeF client, QSizeF area, double dpr);

} // namespace rt::qt::zoom
