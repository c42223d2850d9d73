#pragma once

#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/formview.h"

#include <deque>
#include <functional>
#include <vector>

namespace rt::web {

/// Takes the program's arguments from the page's address (`?lesson=inverse`), before anything
/// reads them.
void takeArguments();

/// Takes the record the page kept for its tab (rt::kept()), before anything reads it.
void takeKept();

/// Shows a form in the page: the board drawn on the canvas from the form's model, the
/// windowed controls as HTML elements rendered from their looks, the user's input fed back to
/// the form. It is also the clock and the host in the browser: the page's timer resumes the
/// waiting task.
class BrowserView final : public FormView, public Clock, public Host {
public:
    /// Shows `form`, which must outlive the view, and becomes the clock and host in use. The
    /// controls come with startUp().
    explicit BrowserView(Form &form);
    ~BrowserView() override;
    BrowserView(const BrowserView &) = delete;
    BrowserView &operator=(const BrowserView &) = delete;

    /// Starts up in short tasks, the page getting the thread between them: each control, then
    /// `load`, then the first board. From then on the page's events and timers run the program.
    void startUp(std::function<void()> load);
    /// Shows what changed since the last call: focus, controls, status and board.
    void flush();

    // FormView
    double deviceScale() const override { return scale_; }
    void invalidate(const Region &pixels) override;
    void invalidateAll() override;
    void sizeChanged() override;
    void controlChanged(Control &control) override;
    void focusChanged() override;
    void statusChanged() override;
    void showNote(std::string_view title, std::span<const NoteRow> rows) override;
    TextMetrics measure(const FontSpec &font, std::string_view text) const override;

    // Clock
    std::uint32_t ticks() override;
    void wakeIn(std::int32_t ms) override;

    // Host
    void quit() override;
    void report(const RuntimeError &error) override;
    /// Puts `form` in the page in place of the form shown: the page keeps its fit and layout
    /// and takes the new form's caption, size, colour, keys and controls.
    void showForm(Form &form) override;

private:
    /// Shows form_ on the page: its caption, size and colour; the controls follow.
    void present();
    void addControl(const Control &control);
    /// Adds control `next` and the rest in tasks of their own, then runs `done`.
    void addControlsFrom(std::size_t next, std::function<void()> done);
    /// Runs `task` once the page has had the thread.
    void later(std::function<void()> task);
    /// The page's entries: the alarm, queued input, a task asked for by later().
    void wake();
    void pump();
    void runLater();
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
    std::deque<std::function<void()>> later_;
};

} // namespace rt::web
