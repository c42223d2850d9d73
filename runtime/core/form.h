#pragma once

#include "runtime/core/control.h"
#include "runtime/core/formdefinition.h"
#include "runtime/core/formview.h"
#include "runtime/core/graphic.h"
#include "runtime/core/runtimeerror.h"

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

namespace rt {

/// The window's model: a board in its BackColor with the printed text on it, the lightweight
/// lines, rectangles and labels above in z-order, and the windowed controls on top.
/// Everything stands in form pixels. A backend shows it through a FormView.
class Form {
public:
    /// Creates the form and all its controls from `def`, which must outlive the form.
    explicit Form(const FormDef &def);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    const FormDef &definition() const { return *def_; }
    const std::string &Caption() const { return caption_; }

    /// Outer height in twips; the client area is Height / 15 − 25 pixels high.
    int Height() const { return heightTwips_; }
    void setHeight(int twips);
    /// Outer width in twips; the client area is Width / 15 − 8 pixels wide.
    int Width() const { return widthTwips_; }
    void setWidth(int twips);
    /// Client area in form pixels.
    SizeF clientSize() const;

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
    void Print(std::string_view text);
    /// Prints a number as Str gives it: a blank where a minus sign would stand.
    void Print(double number);
    /// Erases everything printed and moves the print position to (0, 0).
    void Cls();

    /// Binds `key` to `action`. A `remote` key (a presentation remote's) acts wherever the
    /// focus is, also in a box, except "." while the user is typing into a combo box.
    void bindKey(Key key, std::function<void()> action, bool remote = false);
    /// What `key` held with `modifiers` does with the focus `where`, the user `editing` the box
    /// with the focus or not. The one place that decides it: every front end asks here.
    KeyOutcome routeKey(Key key, unsigned modifiers, FocusKind where, bool editing) const;
    /// Routes a key the user pressed and carries out what the runtime does (an action, a click
    /// on the focused control, leaving a box); returns the outcome for the front end.
    KeyOutcome keyPressed(Key key, unsigned modifiers, FocusKind where, bool editing);

    /// The control with the keyboard focus; nullptr when the board has it.
    Control *focus() const { return focus_; }
    /// Whether the user has typed into the focused box since it took the focus.
    bool editing() const { return editing_; }
    /// Gives the focus to the control chosen for it, else to the first in the tab order that
    /// can take it: for when the window first shows.
    void takeStartFocus();
    /// The form comes into its window: the first time it takes its start focus; when it comes
    /// back after another form was shown, the focus it had stays where it was.
    void showing();
    /// What the user did, reported by a front end: handlers it starts run through
    /// dispatchInput.
    void input(const Input &in);

    /// Text a screen reader reads as the whole state of the window, on demand.
    const std::string &statusText() const { return status_; }
    /// What changed, said as it happens: short, so that a pupil hears each minute, not the
    /// whole table again.
    const std::string &announcement() const { return announcement_; }
    void setStatusText(const std::string &text, const std::string &announcement);

    /// Shows a small window with `rows` beside the form, without blocking anything.
    void showNote(std::string_view title, std::span<const NoteRow> rows);

    /// The control `name` (element `index` of an array), or nullptr.
    template <typename T> T *find(std::string_view name, Integer index = -1) const {
        if constexpr (std::is_base_of_v<Graphic, T>) {
            for (const auto &g : graphics_)
                if (g->index_ == index && g->name_ == name) return dynamic_cast<T *>(g.get());
        } else {
            for (const auto &c : controls_)
                if (c->Index() == index && c->Name() == name) return dynamic_cast<T *>(c.get());
        }
        return nullptr;
    }

    /// The control `name` (element `index`); a missing control is a run-time error.
    template <typename T> T &control(std::string_view name, Integer index = -1) const {
        if (T *c = find<T>(name, index)) return *c;
        raise(ErrorCode::SubscriptOutOfRange, describe(name, index));
    }

    /// The windowed controls in tab order.
    const std::vector<std::unique_ptr<Control>> &controls() const { return controls_; }

    /// Creates element `index` of the array `name` as a hidden copy of its element 0.
    Graphic &load(std::string_view name, Integer index);
    /// Moves `g` to the front (or the back) of the drawing order.
    void restack(Graphic &g, bool toFront);

    /// Shows the form through `view` (nullptr: none). The view must outlive the form or be
    /// detached first.
    void setView(FormView *view);
    FormView *view() const { return view_; }
    /// Device pixels per form pixel where the form is shown; 1 without a view.
    double deviceScale() const;
    /// Measures text as the view will draw it (a rough estimate without a view).
    TextMetrics measure(const FontSpec &font, std::string_view text) const;
    /// The font of printed text at `points`.
    FontSpec printFont(double points) const;

    /// Repaints an area given in form pixels.
    void invalidate(const RectF &area) const;
    /// Repaints device pixels.
    void invalidateDevice(const Region &pixels) const;
    /// Tells the view that a windowed control's look changed.
    void controlChanged(Control &control);

    /// Paints the board within `area` (device pixels from the design's top-left): the back
    /// colour, the printed text, then the lightweight items back to front.
    void paint(Painter &painter, double deviceScale, const Rect &area) const;

private:
    struct PrintedText {
        std::string text;
        PointF position;
        double points;
        Colour colour;
        RectF bounds;
    };
    struct Binding {
        std::function<void()> action;
        bool remote;
    };
    struct MetricsKey {
        std::string text;
        FontSpec font;
        friend bool operator<(const MetricsKey &a, const MetricsKey &b) {
            return std::tie(a.text, a.font.family, a.font.points, a.font.bold) <
                   std::tie(b.text, b.font.family, b.font.points, b.font.bold);
        }
    };
    friend class Control;

    static std::string describe(std::string_view name, Integer index);
    /// Runs what `key` is bound to as the user's input; nothing when it is bound to nothing.
    void pressKey(Key key);
    /// Moves the focus to `control` (nullptr: the board), remembering `parkedFrom`.
    void moveFocus(Control *control, Control *parkedFrom);
    /// A control with the focus that is disabled or hidden hands it to the board: in a box the
    /// remote's keys would be typed, on the next button Space would do something unasked.
    void handOver(Control &control);
    /// ...and takes it back when it can, unless the user has moved the focus meanwhile.
    void handBack(Control &control);
    void createControl(const ControlDef &def);
    FontSpec fontOf(const FontDef &font) const;

    const FormDef *def_;
    std::string caption_;
    std::string family_;
    FontDef font_;
    Colour back_;
    Colour fore_;
    double fontSize_;
    float currentX_ = 0;
    float currentY_ = 0;
    int widthTwips_;
    int heightTwips_;
    std::string status_;
    std::string announcement_;
    FormView *view_ = nullptr;

    std::vector<PrintedText> printed_;
    std::vector<std::unique_ptr<Graphic>> graphics_;
    std::vector<Graphic *> stacking_; // back to front
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<Key, Binding> keys_;
    Control *focus_ = nullptr;
    Control *parkedFrom_ = nullptr; // handed the focus to the board
    bool editing_ = false;
    bool shownBefore_ = false;
    // Every repaint places texts by their ascent, and the caption of a label sets its size:
    // each text measured once per font, whatever front end measures it.
    mutable std::map<MetricsKey, TextMetrics> metrics_;
};

} // namespace rt
