#include "runtime/web/browserview.h"

#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/textbox.h"
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

std::string idOf(const Control &c) {
    return c.Index() < 0 ? c.Name() : c.Name() + "_" + std::to_string(c.Index());
}

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", v);
    return text;
}

// The page's names of the keys the lesson binds.
Key keyNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, Key> names[] = {
        {"PageDown", Key::PageDown},
        {"PageUp", Key::PageUp},
        {"ArrowRight", Key::Right},
        {"ArrowLeft", Key::Left},
        {"F1", Key::F1},
        {"F5", Key::F5},
        {"Escape", Key::Escape},
        {"Home", Key::Home},
        {".", Key::Period},
        {"b", Key::B},
        {"g", Key::G},
        {"h", Key::H},
        {"t", Key::T},
    };
    for (const auto &[n, key] : names)
        if (n == name) return key;
    return Key::None;
}

} // namespace

BrowserView::BrowserView(Form &form) : form_(&form) {
    const SizeF client = form.clientSize();
    page::init(form.Caption(), int(client.width), int(client.height), form.BackColor());
    for (const auto &control : form.controls())
        createControl(*control);
    takeScale();
    setBackendClock(this);
    setHost(this);
    form.setView(this);
}

BrowserView::~BrowserView() {
    form_->setView(nullptr);
    setHost(nullptr);
    setBackendClock(nullptr);
}

void BrowserView::createControl(const Control &c) {
    std::string kind, caption, back = page::css(SystemColour::ButtonFace),
                               fore = page::css(SystemColour::ButtonText), list;
    switch (c.kind()) {
    case ControlKind::CommandButton: {
        const auto &button = static_cast<const CommandButton &>(c);
        kind = "button";
        caption = button.Caption();
        back = page::css(button.BackColor());
        break;
    }
    case ControlKind::CheckBox: {
        const auto &check = static_cast<const CheckBox &>(c);
        kind = "check";
        caption = check.Caption();
        back = page::css(check.BackColor());
        fore = page::css(check.ForeColor());
        break;
    }
    case ControlKind::TextBox: {
        const auto &box = static_cast<const TextBox &>(c);
        kind = "text";
        caption = box.Text();
        back = page::css(box.BackColor());
        fore = page::css(box.ForeColor());
        break;
    }
    case ControlKind::ComboBox: {
        const auto &combo = static_cast<const ComboBox &>(c);
        kind = "combo";
        caption = combo.Text();
        back = page::css(SystemColour::WindowBackground);
        fore = page::css(SystemColour::WindowText);
        for (Integer i = 0; i < combo.ListCount(); ++i)
            list += (i ? "," : "") + page::json(combo.List(i));
        break;
    }
    default:
        return;
    }
    const RectF &b = c.box();
    std::string def = "{\"id\":" + page::json(idOf(c)) + ",\"kind\":" + page::json(kind) +
                      ",\"box\":[" + number(b.x) + "," + number(b.y) + "," + number(b.width) + "," +
                      number(b.height) + "],\"caption\":" + page::json(caption) +
                      ",\"back\":" + page::json(back) + ",\"fore\":" + page::json(fore) +
                      ",\"font\":{\"px\":" + std::to_string(c.font().pixelSize()) +
                      ",\"bold\":" + (c.font().bold ? "true" : "false") +
                      "},\"tabIndex\":" + std::to_string(c.tabIndex()) +
                      ",\"name\":" + page::json(c.accessibleName()) +
                      ",\"description\":" + page::json(c.description()) + ",\"list\":[" + list +
                      "],\"startFocus\":" + (c.startFocus() ? "true" : "false") + "}";
    page::createControl(def);
    if (!c.Enabled()) page::set(idOf(c), "enabled", "false");
}

void BrowserView::takeScale() {
    const double s = page::scale();
    if (s > 0) scale_ = s;
}

void BrowserView::invalidate(const Region &pixels) {
    for (const Rect &r : pixels)
        if (!r.isEmpty()) damage_.push_back(r);
}

void BrowserView::invalidateAll() {
    const SizeF client = form_->clientSize();
    damage_.assign(1, Rect{0, 0, int(std::ceil(client.width * scale_)),
                           int(std::ceil(client.height * scale_))});
}

void BrowserView::flush() {
    // Controls and the status follow the model once a frame, like the board: a step changes
    // them between two waits, where any work would make the frame late.
    for (const Update &u : updates_)
        page::set(u.id, u.property, u.json);
    updates_.clear();
    if (statusChanged_) {
        statusChanged_ = false;
        page::setStatus(form_->statusText());
    }
    if (page::repaintNeeded()) {
        takeScale();
        invalidateAll();
    }
    if (damage_.empty()) return;
    const SizeF client = form_->clientSize();
    const Rect board{0, 0, int(std::ceil(client.width * scale_)),
                     int(std::ceil(client.height * scale_))};
    // Each area is painted on its own, everything beneath and above it again: areas that
    // overlap or nearly touch are joined first, but far-apart ones (the water, the stream and
    // the graph's point move together) stay apart, so no frame repaints the board between.
    Region areas;
    for (const Rect &r : damage_) {
        Rect area = r.intersected(board);
        if (area.isEmpty()) continue;
        for (auto it = areas.begin(); it != areas.end();) {
            const Rect joined = Rect::fromEdges(
                std::min(area.left(), it->left()), std::min(area.top(), it->top()),
                std::max(area.right(), it->right()), std::max(area.bottom(), it->bottom()));
            const long both = long(joined.width) * joined.height;
            if (both <=
                (long(area.width) * area.height + long(it->width) * it->height) * 3 / 2 + 64) {
                area = joined;
                it = areas.erase(it);
                it = areas.begin(); // the larger area may now reach others
            } else {
                ++it;
            }
        }
        areas.push_back(area);
    }
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

void BrowserView::set(const std::string &id, std::string_view property, std::string json) {
    for (Update &u : updates_) {
        if (u.id == id && u.property == property) {
            u.json = std::move(json);
            return;
        }
    }
    updates_.push_back({id, std::string(property), std::move(json)});
}

void BrowserView::controlChanged(Control &control, Control::Change what) {
    const std::string id = idOf(control);
    switch (what) {
    case Control::Change::Enabled:
        set(id, "enabled", control.Enabled() ? "true" : "false");
        return;
    case Control::Change::Visible:
        set(id, "visible", control.Visible() ? "true" : "false");
        return;
    case Control::Change::Colours:
        if (control.kind() == ControlKind::CommandButton)
            set(id, "back",
                page::json(page::css(static_cast<CommandButton &>(control).BackColor())));
        return;
    case Control::Change::Value:
        if (control.kind() == ControlKind::CheckBox)
            set(id, "value", std::to_string(static_cast<CheckBox &>(control).Value()));
        return;
    case Control::Change::Text:
        if (!echo_) return; // the page shows what the user typed
        if (control.kind() == ControlKind::TextBox)
            set(id, "text", page::json(static_cast<TextBox &>(control).Text()));
        else if (control.kind() == ControlKind::ComboBox)
            set(id, "text", page::json(static_cast<ComboBox &>(control).Text()));
        return;
    }
}

void BrowserView::statusChanged() {
    statusChanged_ = true;
}

void BrowserView::showNote(std::string_view title, std::span<const NoteRow> rows) {
    std::string json = "[";
    for (const NoteRow &row : rows) {
        if (json.size() > 1) json += ",";
        json += "[" + page::json(row.keys) + "," + page::json(row.does) + "]";
    }
    page::showNote(title, json + "]");
}

TextMetrics BrowserView::measure(const FontSpec &font, std::string_view text) const {
    const auto key = std::tuple(std::string(text), font.pixelSize(), font.bold);
    if (const auto it = metrics_.find(key); it != metrics_.end()) return it->second;
    if (metrics_.size() > 1024) metrics_.clear(); // a pupil's typing can make many
    const TextMetrics m = page::measure(text, font.pixelSize(), font.bold);
    metrics_.emplace(key, m);
    return m;
}

std::uint32_t BrowserView::ticks() {
    lastReading_ = page::now();
    lastTicks_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(lastReading_));
    return lastTicks_;
}

void BrowserView::idle(std::int32_t maxMs) {
    flush();
    const double now = page::now();
    if (maxMs > 0) {
        // Wake at the start of the millisecond the counter reaches, as the caller counts:
        // waking late would stretch every frame. Timers fire a fraction of a millisecond
        // after whole milliseconds, so the last part is waited out in short yields.
        const double deadline =
            std::min(std::floor(lastReading_) + maxMs, now + static_cast<double>(maxMs));
        page::waitForEvent(static_cast<std::int32_t>(std::max(0.0, std::floor(deadline - now))));
        resumed_ = page::now();
    } else if (now - resumed_ > 0.5) {
        // Events reach the queue only while the page has the thread. Just back from a wait,
        // the queue already holds whatever arrived.
        page::waitForEvent(0);
        resumed_ = page::now();
    }
    while (std::optional<page::Event> e = page::takeEvent()) {
        handle(e->type, e->id, e->value);
        if (ending()) return;
    }
}

Control *BrowserView::controlById(const std::string &id) const {
    for (const auto &c : form_->controls())
        if (idOf(*c) == id) return c.get();
    return nullptr;
}

void BrowserView::handle(const std::string &type, const std::string &id, const std::string &value) {
    if (type == "key") {
        if (const Key key = keyNamed(value.empty() ? id : value); key != Key::None)
            form_->pressKey(key);
        return;
    }
    Control *c = controlById(id);
    if (!c) return;
    if (type == "click") {
        dispatch([c] { c->click(); });
    } else if (type == "check" && c->kind() == ControlKind::CheckBox) {
        auto *check = static_cast<CheckBox *>(c);
        const int wanted = value == "1" ? 1 : 0;
        if (check->Enabled()) dispatch([check, wanted] { check->setValue(wanted); });
        // The page shows the model's value, whatever the handler made of the click.
        if (!ending()) set(id, "value", std::to_string(check->Value()));
    } else if (type == "text") {
        echo_ = false;
        if (c->kind() == ControlKind::TextBox)
            static_cast<TextBox *>(c)->setText(value);
        else if (c->kind() == ControlKind::ComboBox)
            static_cast<ComboBox *>(c)->setText(value);
        echo_ = true;
    }
}

void BrowserView::run() {
    while (!ending())
        dispatch([this] { idle(60'000); });
}

void BrowserView::quit() {
    flush();
    page::end();
}

void BrowserView::report(const RuntimeError &error) {
    page::reportError("実行時エラー '" + std::to_string(error.number()) +
                      "': " + error.description());
}

} // namespace rt::web
