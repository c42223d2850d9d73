#pragma once

#include "runtime/formdefinition.h"
#include "runtime/graphic.h"
#include "runtime/runtimeerror.h"
#include "runtime/textraster.h"

#include <QEvent>
#include <QFont>
#include <QPointer>
#include <QWidget>

class QComboBox;
class QKeyEvent;
class QMessageBox;

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace rt {

class FocusRing;

/// The window: a board in its BackColor with a retained drawing surface for printed text,
/// the lightweight lines, rectangles and labels painted above it in z-order, and the windowed
/// controls on top. Everything is placed in form pixels and drawn through one transform, the
/// zoom, so the whole picture scales as one.
class Form : public QWidget {
public:
    /// Creates the window and all its controls from `def`, which must outlive the form.
    explicit Form(const FormDef &def, QWidget *parent = nullptr);
    ~Form() override;

    /// Outer height in twips; the client area is Height / 15 − 25 pixels high.
    int Height() const { return heightTwips_; }
    void setHeight(int twips);
    /// Outer width in twips; the client area is Width / 15 − 8 pixels wide.
    int Width() const { return widthTwips_; }
    void setWidth(int twips);
    /// Client area in form pixels.
    QSizeF clientSize() const;

    Colour BackColor() const { return back_; }
    Colour ForeColor() const { return fore_; }
    void setForeColor(Colour c) { fore_ = c; }
    double FontSize() const { return fontSize_; }
    void setFontSize(double points) { fontSize_ = points; }
    float CurrentX() const { return currentX_; }
    float CurrentY() const { return currentY_; }
    void setCurrentX(float x) { currentX_ = x; }
    void setCurrentY(float y) { currentY_ = y; }

    /// Prints text with its top-left corner at (CurrentX, CurrentY), leaving the background.
    void Print(const QString &text);
    /// Prints a number as Str gives it: a blank where a minus sign would stand.
    void Print(double number);
    /// Erases everything printed and moves the print position to (0, 0).
    void Cls();

    /// Form pixels to device-independent widget pixels in the window (1 at the design size).
    double zoom() const { return zoom_; }
    /// Zooms the window; a zoom that would not fit on its screen gives the largest step that does.
    void setZoom(double zoom);
    /// Switches between the window and the whole screen, where the design fills the screen.
    void toggleFullScreen();
    /// The zoom steps Ctrl + "+", Ctrl + "-" and Ctrl + "0" move through.
    static constexpr std::array<double, 7> ZoomSteps = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

    /// Runs `action` on `key` (a Qt::Key, no modifier) unless a box with the focus takes the
    /// key. A `remote` key acts in every box, except "." while the user types into a combo box.
    void bindKey(int key, std::function<void()> action, bool remote = false);

    /// Text a screen reader reads as the state of the window; it is announced on every change.
    QString statusText() const { return accessibleDescription(); }
    void setStatusText(const QString &text);

    /// Shows a small window with `text` beside the form, without blocking anything.
    void showNote(const QString &title, const QString &text);

    /// The control `name` (element `index` of an array), or nullptr.
    template <typename T> T *find(QStringView name, Integer index = -1) const {
        if constexpr (std::is_base_of_v<Graphic, T>) {
            for (const auto &g : graphics_)
                if (g->index_ == index && g->name_ == name) return dynamic_cast<T *>(g.get());
        } else {
            for (const auto &w : widgets_)
                if (w.index == index && w.name == name) return dynamic_cast<T *>(w.widget);
        }
        return nullptr;
    }

    /// The control `name` (element `index`); a missing control is a run-time error.
    template <typename T> T &control(QStringView name, Integer index = -1) const {
        if (T *c = find<T>(name, index)) return *c;
        rt::raise(ErrorCode::SubscriptOutOfRange, QStringLiteral("%1(%2)").arg(name).arg(index));
    }

    /// Creates element `index` of the array `name` as a hidden copy of its element 0.
    Graphic &load(QStringView name, Integer index);

    /// Moves `g` to the front (or the back) of the drawing order.
    void restack(Graphic &g, bool toFront);
    /// Device pixels per form pixel on screen: the zoom (or full screen's scale) times the
    /// screen's pixel ratio.
    qreal deviceScale() const { return scale_ * devicePixelRatioF(); }
    /// Repaints an area given in form pixels.
    void invalidate(const QRectF &area);
    /// Repaints the widget pixels that hold `pixels`, given in device pixels from the design's
    /// top-left corner.
    void invalidateDevice(const QRegion &pixels);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct PrintedText {
        QString text;
        TextRaster raster; // drawn once, copied every paint
        QPointF position;
        double points;
        Colour colour;
        QRectF bounds;
    };
    struct WindowedControl {
        QString name;
        Integer index;
        QWidget *widget;
        QRectF box; // form pixels
        FontDef font;
        int tabIndex;
        bool startFocus;
    };
    struct Binding {
        std::function<void()> action;
        bool remote;
    };

    void createControl(const ControlDef &def);
    QFont printFont(double points) const;
    void applyGeometry();
    QSize windowSize(double zoom) const;
    double fittingZoom(double wanted) const;
    void rememberFrame();
    void keepOnScreen();
    bool zoomKey(const QKeyEvent &key);
    bool keyForBox(const QWidget *focus, const QKeyEvent &key, bool remote) const;
    bool filterKey(QWidget *focus, const QKeyEvent &key);
    void watchFocus(QObject *watched, QEvent::Type type);
    const WindowedControl *controlOf(const QWidget *w) const;
    void updateFocusRing();
    QRectF toWidget(const QRectF &area) const;

    QString family_;
    FontDef font_;
    Colour back_;
    Colour fore_;
    double fontSize_;
    float currentX_ = 0;
    float currentY_ = 0;
    int widthTwips_;
    int heightTwips_;
    double zoom_ = 1.0;       // the window's zoom: the largest that fits, up to chosenZoom_
    double chosenZoom_ = 1.0; // the last zoom the window was given
    double scale_ = 1.0;      // form pixels to widget pixels, the window's zoom or full screen's
    QPointF offset_;          // where the design's top-left lies, in widget pixels
    QSize frame_;             // what the window system adds around the window
    bool shownOnce_ = false;

    std::vector<PrintedText> printed_;
    std::vector<std::unique_ptr<Graphic>> graphics_;
    std::vector<Graphic *> stacking_; // back to front
    std::vector<WindowedControl> widgets_;
    std::map<int, Binding> keys_;
    QPointer<QComboBox> typedInto_; // a combo box the user has typed into since it got focus
    QPointer<QWidget> parkedFrom_;  // a control whose focus went to the board on disabling
    QPointer<QMessageBox> note_;
    FocusRing *ring_ = nullptr; // a child: the form owns it
};

} // namespace rt
