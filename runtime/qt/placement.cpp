#include "runtime/qt/placement.h"

#include "runtime/core/formdefinition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace rt::qt {

namespace {

// What a window frame adds until the window system tells: the design's borders and title bar.
constexpr QSize DesignFrame(FrameWidthPixels, FrameHeightPixels);

QScreen *screenNamed(const QString &name) {
    for (QScreen *s : QGuiApplication::screens())
        if (!name.isEmpty() && s->name() == name) return s;
    return nullptr;
}

// Undoes the window's fixed size, which would keep it from filling the screen.
void allowAnySize(QWidget &window) {
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace

Placement::Placement(QWidget &window) : window_(window), frame_(DesignFrame) {}

Placement::~Placement() = default;

Place Placement::place() const {
    const QScreen *s = window_.screen();
    return {chosenZoom_, window_.isFullScreen(), s ? s->name() : QString()};
}

zoom::Fit Placement::fit(QSizeF client) {
    if (window_.isFullScreen()) {
        allowAnySize(window_);
        return zoom::fill(client, QSizeF(window_.size()), window_.devicePixelRatioF());
    }
    zoom_ = fittingZoom(client, chosenZoom_);
    window_.setFixedSize(zoom::windowSize(client, zoom_));
    keepOnScreen();
    return {zoom_, QPointF()};
}

bool Placement::choose(QSizeF client, double zoom) {
    // Full screen already shows the design as large as the screen allows.
    if (zoom <= 0 || window_.isFullScreen()) return false;
    rememberFrame();
    // A step beyond what fits changes nothing, not even the zoom to come back to.
    const double fitting = fittingZoom(client, zoom);
    if (fitting == zoom_) return false;
    chosenZoom_ = fitting;
    return true;
}

void Placement::toggleFullScreen() {
    // The window system puts the window back where it was; the zoom is this form's.
    if (window_.isFullScreen()) {
        window_.setWindowState(window_.windowState() & ~Qt::WindowFullScreen);
        return;
    }
    allowAnySize(window_); // before the window system sizes the window
    window_.setWindowState(window_.windowState() | Qt::WindowFullScreen);
}

void Placement::rememberFrame() {
    // Before the window is shown nothing is reported: the estimate stays.
    if (window_.isVisible() && !window_.isFullScreen())
        frame_ = window_.frameGeometry().size() - window_.size();
}

void Placement::keepIn(std::unique_ptr<QSettings> settings, QSizeF client) {
    settings_.reset(); // taking on the place is no change to keep
    if (!settings) return;
    saved_ = readPlace(*settings);
    restore(saved_, client);
    settings_ = std::move(settings);
}

void Placement::save() {
    if (!settings_) return;
    const Place now = place();
    if (now == saved_) return;
    writePlace(*settings_, now);
    saved_ = now;
}

void Placement::restore(const Place &place, QSizeF client) {
    // A screen that is gone (the projector unplugged) leaves the window where the window system
    // opens it, on the primary screen.
    QScreen *target = screenNamed(place.screen);
    if (target && target != window_.screen()) window_.setScreen(target);
    // The zoom chosen then, as far as this screen has room for it now: the next screen with
    // more room shows more of it, as when the window is moved.
    chosenZoom_ = place.zoom;
    fit(client);
    // Centred on that screen, unless the window system would open it there anyway.
    if (target && QGuiApplication::screenAt(window_.frameGeometry().center()) != target) {
        QRect frame(QPoint(), window_.size() + frame_);
        frame.moveCenter(target->availableGeometry().center());
        window_.move(frame.topLeft());
    }
    if (place.fullScreen && !window_.isFullScreen()) toggleFullScreen();
}

double Placement::fittingZoom(QSizeF client, double wanted) const {
    const QScreen *s = window_.screen();
    if (!s) return wanted;
    return zoom::fitting(client, wanted, s->availableGeometry().size() - frame_);
}

void Placement::keepOnScreen() {
    if (!window_.isVisible() || !window_.screen()) return;
    const QRect room = window_.screen()->availableGeometry();
    QRect frame = window_.frameGeometry();
    frame.moveRight(std::min(frame.right(), room.right()));
    frame.moveBottom(std::min(frame.bottom(), room.bottom()));
    frame.moveLeft(std::max(frame.left(), room.left()));
    frame.moveTop(std::max(frame.top(), room.top()));
    if (frame.topLeft() != window_.pos()) window_.move(frame.topLeft());
}

} // namespace rt::qt
