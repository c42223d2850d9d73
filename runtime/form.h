#pragma once

#include "runtime/formdefinition.h"
#include "runtime/graphic.h"
#include "runtime/runtimeerror.h"

#include <QFont>
#include <QStaticText>
#include <QWidget>

class QKeyEvent;

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace rt {

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

    /// Form pixels to device-independent widget pixels (1 at the design size).
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    /// The zoom steps Ctrl + "+", Ctrl + "-" and Ctrl + "0" move through.
    static constexpr std::array<double, 7> ZoomSteps = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

    /// Runs `action` on `key` (a Qt::Key, no modifier) unless a text box has the focus.
    void bindKey(int key, std::function<void()> action);

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
    /// Device pixels per form pixel on screen: the zoom times the screen's pixel ratio.
    qreal deviceScale() const { return zoom_ * devicePixelRatioF(); }
    /// Repaints an area given in form pixels.
    void invalidate(const QRectF &area);
    /// Repaints the widget pixels that hold `pixels`, given in device pixels.
    void invalidateDevice(const QRegion &pixels);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PrintedText {
        QString text;
        QStaticText layout; // shaped once, drawn every paint
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
    };

    void createControl(const ControlDef &def);
    QFont printFont(double points) const;
    void applyGeometry();
    bool zoomKey(const QKeyEvent &key);
    static bool editsText(const QObject *focus, const QKeyEvent &key);
    QRectF toWidget(const QRectF &area) const;

    QString family_;
    FontDef font_;
    Colour back_;
    Colour fore_;
    double fontSize_;
    float currentX_ = 0;
    float currentY_ = 0;
    int clientWidthTwips_;
    int heightTwips_;
    double zoom_ = 1.0;
    bool shownOnce_ = false;

    std::vector<PrintedText> printed_;
    std::vector<std::unique_ptr<Graphic>> graphics_;
    std::vector<Graphic *> stacking_; // back to front
    std::vector<WindowedControl> widgets_;
    std::map<int, std::function<void()>> keys_;
};

} // namespace rt
