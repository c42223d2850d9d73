#pragma once

#include "runtime/core/clock.h"
#include "runtime/core/events.h"
#include "runtime/core/form.h"
#include "runtime/core/formview.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace rt::web {

/// Shows a form in the page: the board drawn on the canvas from the form's model, the
/// windowed controls as HTML elements, the user's input fed back through the dispatcher.
/// It is also the clock and the host in the browser: waiting yields to the page.
class BrowserView final : public FormView, public Clock, public Host {
public:
    /// Shows `form`, which must outlive the view, and becomes the clock and host in use.
    explicit BrowserView(Form &form);
    ~BrowserView() override;
    BrowserView(const BrowserView &) = delete;
    BrowserView &operator=(const BrowserView &) = delete;

    /// Draws what changed since the last call.
    void flush();
    /// Waits for the user's input and handles it until End; the page's event loop from then on.
    void run();

    // FormView
    double deviceScale() const override { return scale_; }
    void invalidate(const Region &pixels) override;
    void invalidateAll() override;
    void sizeChanged() override;
    void controlChanged(Control &control, Control::Change what) override;
    void statusChanged() override;
    void showNote(std::string_view title, std::span<const NoteRow> rows) override;
    TextMetrics measure(const FontSpec &font, std::string_view text) const override;

    // Clock
    std::uint32_t ticks() override;
    void idle(std::int32_t maxMs) override;

    // Host
    void quit() override;
    void report(const RuntimeError &error) override;

private:
    void createControl(const Control &control);
    void handle(const std::string &type, const std::string &id, const std::string &value);
    Control *controlById(const std::string &id) const;
    void takeScale();
    /// Sets a property of a control's element at the next flush.
    void set(const std::string &id, std::string_view property, std::string json);

    struct Update {
        std::string id;
        std::string property;
        std::string json;
    };

    Form *form_;
    double scale_ = 1;
    Region damage_;
    std::vector<Update> updates_; // in the order they were made
    bool statusChanged_ = false;
    bool echo_ = true; // false while applying the user's own typing to the model
    std::uint32_t lastTicks_ = 0;
    double lastReading_ = 0;
    double resumed_ = -1e9; // when the page last gave the thread back
    mutable std::map<std::tuple<std::string, int, bool>, TextMetrics> metrics_;
};

} // namespace rt::web
