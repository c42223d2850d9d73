#pragma once

#include "runtime/core/form.h"
#include "runtime/core/formview.h"
#include "runtime/qt/boardpainter.h"
#include "runtime/qt/controlwidget.h"
#include "runtime/qt/note.h"
#include "runtime/qt/place.h"
#include "runtime/qt/placement.h"
#include "runtime/qt/zoom.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QSettings;

namespace rt::qt {

class FocusRing;
class Keyboard;

/// Shows a form as a Qt window: the board painted from the form's model through one
/// transform, the zoom, so the whole picture scales as one; the windowed controls as Qt
/// widgets on top; zoom, full screen and assistive technology.
class Window : public QWidget, public FormView {
    Q_OBJECT

public:
    /// Shows `form`, which must outlive the window.
    explicit Window(Form &form, QWidget *parent = nullptr);
    ~Window() override;

    Form &form() const { return *form_; }
    /// Shows `form`, which must outlive the window, in place of the form shown: the window
    /// keeps its place, zoom and full screen and takes the new form's size, caption and
    /// controls. Safe from a handler of the old form's controls: their widgets go once their
    /// events are done.
    void setForm(Form &form);
    /// True while the widgets of one form give way to another's: focus moves then are the
    /// window's own, not the user's.
    bool switching() const { return switching_; }

    /// The widget that shows `control`.
    QWidget *widget(const Control &control) const;
    /// The control widget that `w` is, or lies in (an open list belongs to its combo box).
    ControlWidget *controlWidgetOf(const QWidget *w) const;

    /// Form pixels to device-independent widget pixels in the window (1 at the design size).
    double zoom() const { return placement_.zoom(); }
    /// Zooms the window; a zoom that would not fit on its screen gives the largest step that does.
    void setZoom(double zoom);
    /// Zooms one step in (1) or out (-1).
    void zoomBy(int direction);
    /// Switches between the window and the whole screen, where the design fills the screen.
    void toggleFullScreen();
    /// The zoom steps Ctrl + "+", Ctrl + "-" and Ctrl + "0" move through.
    static constexpr auto ZoomSteps = zoom::Steps;

    /// The zoom chosen, full screen and the screen: what the next run takes on.
    Place place() const;
    /// Takes on the place `settings` kept from the last run, checked, and from now on keeps
    /// the window's place there whenever it changes and when the window closes. Call it before
    /// the window first shows.
    void rememberPlaceIn(std::unique_ptr<QSettings> settings);

    /// The board alone (no windowed controls) drawn afresh at zoom 1 and `dpr` device pixels
    /// per pixel.
    QImage boardPicture(qreal dpr = 1.0) const;

    // FormView
    double deviceScale() const override { return scale_ * devicePixelRatioF(); }
    void invalidate(const Region &pixels) override;
    void invalidateAll() override { update(); }
    void sizeChanged() override;
    void controlChanged(Control &control) override;
    void focusChanged() override;
    void statusChanged() override;
    void showNote(std::string_view title, std::span<const NoteRow> rows) override;
    TextMetrics measure(const FontSpec &font, std::string_view text) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Takes on form_: its caption, colour and controls.
    void adopt();
    void applyGeometry();
    void updateFocusRing();
    QRectF toWidget(const QRectF &area) const;

    Form *form_;
    Placement placement_;
    double scale_ = 1.0; // form pixels to widget pixels, the window's zoom or full screen's
    QPointF offset_;     // where the design's top-left lies, in widget pixels
    bool shownOnce_ = false;
    bool switching_ = false;

    std::vector<ControlWidget *> widgets_; // by handle, in tab order; children of the window
    Keyboard *keyboard_;                   // a child: the window owns it
    FocusRing *ring_;                      // a child too
    Note note_;
    BoardPainter board_;
};

} // namespace rt::qt
