#include "runtime/web/browserview.h"

#include "runtime/core/arguments.h"
#include "runtime/core/runtimeerror.h"
#include "runtime/core/session.h"
#include "runtime/core/task.h"
#include "runtime/web/page.h"

#include <algorithm>
#include <cmath>

namespace rt::web {

namespace {

// Draws the board on the page's canvas, in its device pixels.
class CanvasPainter final : public Painter {
public:
    explicit CanvasPainter(double scale) : scale_(scale) {}

    void fill(const Rect &pixels, Colour colour) override { page::fill(pixels, colour); }

    void text(std::string_view text, const FontSpec &font, PointF baseline, Colour colour,
              const Rect &clip) override {
        page::text(text, baseline.x * scale_, baseline.y * scale_, font.pixelSize() * scale_,
                   font.bold, colour, clip);
    }

private:
    double scale_;
};

// Which fields of `now` differ from `was`.
unsigned changes(const ControlLook &was, const ControlLook &now) {
    unsigned changed = 0;
    if (was.text != now.text) changed |= page::Changed::Text;
    if (was.back != now.back || was.fore != now.fore) changed |= page::Changed::Colours;
    if (was.value != now.value) changed |= page::Changed::Value;
    if (was.enabled != now.enabled) changed |= page::Changed::Enabled;
    if (was.visible != now.visible) changed |= page::Changed::Visible;
    if (was.focused != now.focused) changed |= page::Changed::Focused;
    if (was.pressed != now.pressed) changed |= page::Changed::Pressed;
    return changed;
}

} // namespace

void takeArguments() {
    setQuery(page::query());
}

void takeKept() {
    setKept(page::kept());
}

BrowserView::BrowserView(Form &form) : form_(&form) {
    // The address follows when the program sets an argument.
    setQueryWatcher([](const std::string &query) { page::replaceQuery(query); });
    // And the tab keeps what the program keeps.
    setKeeper([](const std::string &record) { page::keep(record); });
    page::setProgram({.wake = [this] { wake(); },
                      .pump = [this] { pump(); },
                      .later = [this] { runLater(); },
                      .route =
                          [this](Key key, unsigned modifiers, FocusKind where, bool editing) {
                              return form_->routeKey(key, modifiers, where, editing);
                          }});
    present();
    setBackendClock(this);
    setHost(this);
    form.setView(this);
}

void BrowserView::present() {
    const Form &form = *form_;
    page::init(form);
    takeScale();
}

void BrowserView::addControl(const Control &control) {
    page::createControl(control);
    shown_.push_back(control.look());
    stale_.push_back(false);
    page::apply(control.handle(), page::Changed::All, shown_.back());
}

void BrowserView::addControlsFrom(std::size_t next, std::function<void()> done) {
    const auto &controls = form_->controls();
    if (next == controls.size()) return done();
    addControl(*controls[next]);
    // Each control in a task of its own: a slow device answers the page between them.
    later([this, next, done = std::move(done)]() mutable { addControlsFrom(next + 1, done); });
}

void BrowserView::startUp(std::function<void()> load) {
    addControlsFrom(0, [this, load = std::move(load)] {
        later([this, load] {
            dispatch(load);
            later([this] {
                flush();
                running_ = true;
                form_->showing();
                pump(); // what the pupil did meanwhile
            });
        });
    });
}

void BrowserView::later(std::function<void()> task) {
    later_.push_back(std::move(task));
    page::later();
}

void BrowserView::runLater() {
    if (later_.empty()) return;
    const std::function<void()> task = std::move(later_.front());
    later_.pop_front();
    task();
    if (running_) flush();
}

void BrowserView::wake() {
    if (!running_) return;
    resumeDue();
    flush();
}

void BrowserView::pump() {
    if (!running_) return;
    while (std::optional<Input> in = page::takeInput()) {
        handle(*in);
        if (ending()) return;
    }
    flush();
}

void BrowserView::showForm(Form &form) {
    if (&form == form_) return;
    form_->setView(nullptr);
    // Nothing of the old form stays: its controls, its damage, the input aimed at them.
    page::removeControls();
    shown_.clear();
    stale_.clear();
    damage_.clear();
    form_ = &form;
    present();
    for (const auto &control : form.controls())
        addControl(*control);
    form.setView(this); // the whole board
    // The new form's state, without repeating the last thing it announced.
    page::setStatus(form.statusText(), {});
    statusChanged_ = false;
    // Before the program's loop starts, it takes the start focus.
    if (running_) form.showing();
    focusStale_ = true;
}

BrowserView::~BrowserView() {
    setQueryWatcher(nullptr);
    setKeeper(nullptr);
    form_->setView(nullptr);
    setHost(nullptr);
    setBackendClock(nullptr);
}

void BrowserView::takeScale() {
    const double s = page::scale();
    if (s > 0) scale_ = s;
}

Rect BrowserView::boardPixels() const {
    const SizeF client = form_->clientSize();
    return {0, 0, int(std::ceil(client.width * scale_)), int(std::ceil(client.height * scale_))};
}

void BrowserView::invalidate(const Region &pixels) {
    for (const Rect &r : pixels)
        if (!r.isEmpty()) damage_.push_back(r);
}

void BrowserView::invalidateAll() {
    damage_.assign(1, boardPixels());
}

void BrowserView::showFocus() {
    if (!focusStale_) return;
    focusStale_ = false;
    const Control *focus = form_->focus();
    page::focus(focus ? focus->handle() : -1);
}

void BrowserView::showLooks() {
    for (std::size_t h = 0; h < stale_.size(); ++h) {
        if (!stale_[h]) continue;
        stale_[h] = false;
        const ControlLook now = form_->controls()[h]->look();
        if (const unsigned changed = changes(shown_[h], now)) page::apply(int(h), changed, now);
        shown_[h] = now;
    }
}

void BrowserView::flush() {
    // The page follows the model once a frame, like the board: a step changes the controls
    // between two waits, where any work would make the frame late. The focus leaves a control
    // before the control is disabled, and comes back once it is enabled again.
    if (!form_->focus()) showFocus();
    showLooks();
    showFocus();
    if (statusChanged_) {
        statusChanged_ = false;
        page::setStatus(form_->statusText(), form_->announcement());
    }
    if (page::repaintNeeded()) {
        takeScale();
        invalidateAll();
    }
    if (damage_.empty()) return;
    const Region areas = mergedAreas(damage_, boardPixels());
    damage_.clear();
    CanvasPainter painter(scale_);
    for (const Rect &area : areas) {
        page::beginPaint(area);
        form_->paint(painter, scale_, area);
        page::endPaint();
    }
}

void BrowserView::sizeChanged() {
    const SizeF client = form_->clientSize();
    page::resize(int(client.width), int(client.height));
    takeScale();
    invalidateAll();
}

void BrowserView::controlChanged(Control &control) {
    // A control the page has yet to make comes with its look.
    const auto h = std::size_t(control.handle());
    if (h < stale_.size()) stale_[h] = true;
}

void BrowserView::focusChanged() {
    focusStale_ = true;
}

void BrowserView::statusChanged() {
    statusChanged_ = true;
}

void BrowserView::showNote(std::string_view title, std::span<const NoteRow> rows) {
    page::beginNote(title);
    for (const NoteRow &row : rows)
        page::noteRow(row.keys, row.does);
}

TextMetrics BrowserView::measure(const FontSpec &font, std::string_view text) const {
    return page::measure(text, font.pixelSize(), font.bold);
}

std::uint32_t BrowserView::ticks() {
    lastTicks_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(page::now()));
    return lastTicks_;
}

void BrowserView::wakeIn(std::int32_t ms) {
    if (ms < 0) return page::wakeAt(-1);
    const double now = page::now();
    page::wakeAt(double(wakeDeadlineNs(lastTicks_, std::int64_t(now * 1e6), ms)) / 1e6);
}

void BrowserView::handle(const Input &in) {
    const bool known = in.control >= 0 && std::size_t(in.control) < shown_.size();
    // The page shows what the user typed or checked: only what the form makes of it differently
    // goes back, so typing is never undone by a frame. A choice from a list comes back whole.
    if (known && in.type == Input::Type::Text) shown_[std::size_t(in.control)].text = in.text;
    if (known && in.type == Input::Type::Check) shown_[std::size_t(in.control)].value = in.value;
    if (in.type == Input::Type::Focus) {
        // The page moved its focus: it shows that, whatever the form makes of it.
        for (std::size_t h = 0; h < shown_.size(); ++h)
            shown_[h].focused = int(h) == in.control;
        focusStale_ = true;
        for (std::size_t h = 0; h < stale_.size(); ++h)
            stale_[h] = true;
    }
    form_->input(in);
}

void BrowserView::quit() {
    flush();
    page::end();
}

void BrowserView::report(const RuntimeError &error) {
    page::reportError(ErrorTitle, error.report());
}

} // namespace rt::web
