#pragma once

#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/formview.h"

#include <vector>

namespace rt::web {

/// Takes the program's arguments from the page's address (`?lesson=inverse`), before anything
/// reads them.
void takeArguments();

/// Takes the record the page kept for its tab (rt::kept()), before anything reads it.
void takeKept();

/// Shows a form in the page: the board drawn on the canvas from the form's model, the
/// windowed controls as HTML elements rendered from their looks, the user's input fed back to
/// the form. It is also the clock and the host in the browser: waiting yields to the page.
class BrowserView final : public FormView, public Clock, public Host {
public:
    /// Shows `form`, which must outlive the view, and becomes the clock and host in use.
    explicit BrowserView(Form &form);
    ~BrowserView() override;
    BrowserView(const BrowserView &) = delete;
    BrowserView &operator=(const BrowserView &) = delete;

    /// Shows what changed since the last call: focus, controls, status and board.
    void flush();
    /// Gives the page the thread for a moment, so that a long start does not block it.
    void yieldToPage();
    /// Waits for the user's input and handles it until End; the page's event loop from then on.
    void run();

    // FormView
    double deviceScale() const override { return scale_; }
    void invalidate(const Region &pixels) override;
    void invalidateAll() override;
    void sizeChanged() override;
    void controlChanged(Control &control) override;
    void focusChanged() override;
    void keysChanged() override;
    void statusChanged() override;
    void showNote(std::string_view title, std::span<const NoteRow> rows) override;
    TextMetrics measure(const FontSpec &font, std::string_view text) const override;

    // Clock
    std::uint32_t ticks() override;
    void idle(std::int32_t maxMs) override;

    // Host
    void quit() override;
    void report(const RuntimeError &error) override;
    /// Puts `form` in the page in place of the form shown: the page keeps its fit and layout
    /// and takes the new form's caption, size, colour, keys and controls.
    void showForm(Form &form) override;

private:
    /// Shows form_ on the page: its caption, size, colour, keys and controls; `yielding`, the
    /// page gets the thread between two controls.
    void present(bool yielding);
    void handle(const Input &in);
    void takeScale();
    Rect boardPixels() const;
    void showFocus();
    void showLooks();

    Form *form_;
    double scale_ = 1;
    Region damage_;
    // What the page shows of each control, by handle, and which may differ from the model.
    std::vector<ControlLook> shown_;
    std::vector<bool> stale_;
    bool focusStale_ = false;
    bool statusChanged_ = false;
    bool running_ = false;
    std::uint32_t lastTicks_ = 0;
    double resumed_ = -1e9; // when the page last gave the thread back
};

} // namespace rt::web
