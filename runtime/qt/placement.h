#pragma once

#include "runtime/qt/place.h"
#include "runtime/qt/zoom.h"

#include <QSize>
#include <QSizeF>

#include <memory>

class QSettings;
class QWidget;

namespace rt::qt {

/// Where and how large a top-level window stands on its screen: the zoom chosen and the one
/// that fits the screen, full screen, the screen itself, and keeping them from one run to the
/// next. The window lays out its content at the fit it is given.
class Placement {
public:
    /// Places `window`, which must outlive the placement.
    explicit Placement(QWidget &window);
    ~Placement();
    Placement(const Placement &) = delete;
    Placement &operator=(const Placement &) = delete;

    /// Form pixels to device-independent pixels in the window (1 at the design size).
    double zoom() const { return zoom_; }
    /// The zoom chosen, full screen and the screen: what the next run takes on.
    Place place() const;

    /// Sizes the window for a design of `client` form pixels: at the zoom chosen, as far as its
    /// screen has room, or filling the screen. Where the design then shows in the window.
    zoom::Fit fit(QSizeF client);
    /// Chooses `zoom` for a design of `client` form pixels, or the largest step that fits the
    /// screen; false when the window's zoom stays as it is (in full screen always).
    bool choose(QSizeF client, double zoom);
    /// Switches between the window and the whole screen.
    void toggleFullScreen();
    /// Notes what the window system adds around the window, while it tells.
    void rememberFrame();

    /// Takes on the place `settings` kept from the last run, checked, for a design of `client`
    /// form pixels, and from then on keeps it there at save().
    void keepIn(std::unique_ptr<QSettings> settings, QSizeF client);
    /// Writes the place out, when it is kept anywhere and has changed.
    void save();

private:
    void restore(const Place &place, QSizeF client);
    double fittingZoom(QSizeF client, double wanted) const;
    void keepOnScreen();

    QWidget &window_;
    double zoom_ = 1.0;       // the window's zoom: the largest that fits, up to chosenZoom_
    double chosenZoom_ = 1.0; // the last zoom the window was given
    QSize frame_;             // what the window system adds around the window
    std::unique_ptr<QSettings> settings_; // where the place is kept, when anywhere
    Place saved_;                         // the place as settings_ holds it
};

} // namespace rt::qt
