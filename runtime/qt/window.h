#pragma once

#include "runtime/core/form.h"
#include "runtime/core/formview.h"
#include "runtime/qt/textraster.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <map>
#include <tuple>
#include <vector>

class QComboBox;
class QKeyEvent;
class QMessageBox;

namespace rt::qt {

class FocusRing;

/// Shows a form as a Qt window: the board painted from the form's model through one
/// transform, the zoom, so the whole picture scales as one; the windowed controls as Qt
/// widgets on top; keys, focus, zoom, full screen and assistive technology.
class Window : public QWidget, public FormView {
public:
    /// Shows `form`, which must outlive the window.
    explicit Window(Form &form, QWidget *parent = nullptr);
    ~Window() override;

    Form &form() const { return *form_; }

    /// The widget that shows `control`.
    QWidget *widget(const Control &control) const;

    /// Form pixels to device-independent widget pixels in the window (1 at the design size).
    double zoom() const { return zoom_; }
    /// Zooms the window; a zoom that would not fit on its screen gives the largest step that does.
    void setZoom(double zoom);
    /// Switches between the window and the whole screen, where the design fills the screen.
    void toggleFullScreen();
    /// The zoom steps Ctrl + "+", Ctrl + "-" and Ctrl + "0" move through.
    static constexpr std::array<double, 7> ZoomSteps = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

    /// The board alone (no windowed controls) drawn afresh at zoom 1 and `dpr` device pixels
    /// per pixel.
    QImage boardPicture(qreal dpr = 1.0) const;

    // FormView
    double deviceScale() const override { return scale_ * devicePixelRatioF(); }
    void invalidate(const Region &pixels) override;
    void invalidateAll() override { update(); }
    void sizeChanged() override;
    void controlChanged(Control &control, Control::Change what) override;
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
    bool focusNextPrevChild(bool next) override;

private:
    struct Shown {
        Control *control;
        QWidget *widget;
    };
    class BoardPainter;
    // Text, font, baseline and colour of a drawn text, for its raster.
    using RasterKey = std::tuple<std::string, std::string, double, bool, double, double, Colour>;

    void createWidget(Control &control);
    void sync(const Shown &shown, Control::Change what);
    void applyGeometry();
    QSize windowSize(double zoom) const;
    double fittingZoom(double wanted) const;
    void rememberFrame();
    void keepOnScreen();
    bool zoomKey(const QKeyEvent &key);
    bool keyForBox(const QWidget *focus, const QKeyEvent &key, bool remote) const;
    bool filterKey(QWidget *focus, const QKeyEvent &key);
    void watchFocus(QObject *watched, QEvent::Type type);
    const Shown *shownOf(const QWidget *w) const;
    void updateFocusRing();
    QRectF toWidget(const QRectF &area) const;
    TextRaster &raster(const RasterKey &key) const;

    Form *form_;
    double zoom_ = 1.0;       // the window's zoom: the largest that fits, up to chosenZoom_
    double chosenZoom_ = 1.0; // the last zoom the window was given
    double scale_ = 1.0;      // form pixels to widget pixels, the window's zoom or full screen's
    QPointF offset_;          // where the design's top-left lies, in widget pixels
    QSize frame_;             // what the window system adds around the window
    bool shownOnce_ = false;

    std::vector<Shown> shown_;      // in tab order
    QPointer<QComboBox> typedInto_; // a combo box the user has typed into since it got focus
    QPointer<QWidget> parkedFrom_;  // a control whose focus went to the board on disabling
    QPointer<QMessageBox> note_;
    FocusRing *ring_ = nullptr; // a child: the window owns it
    // Each text drawn once and copied on every repaint; rebuilt after a change of scale.
    mutable std::map<RasterKey, TextRaster> rasters_;
    // Every repaint places its texts by their ascent: measured once per text and font.
    using MetricsKey = std::tuple<std::string, std::string, double, bool>;
    mutable std::map<MetricsKey, TextMetrics> metrics_;
};

} // namespace rt::qt
