#include "runtime/core/form.h"

#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/events.h"
#include "runtime/core/label.h"
#include "runtime/core/line.h"
#include "runtime/core/numeric.h"
#include "runtime/core/painter.h"
#include "runtime/core/shape.h"
#include "runtime/core/task.h"
#include "runtime/core/textbox.h"

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

constexpr float px(int twips) {
    return static_cast<float>(twips) / TwipsPerPixel;
}

} // namespace

int FontSpec::pixelSize() const {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

Form::Form(const FormDef &def)
    : def_(&def), caption_(def.caption), family_(def.fontFamily), font_(def.font), back_(def.back),
      fore_(def.fore), fontSize_(def.font.points),
      widthTwips_(def.clientWidthTwips + FrameWidthPixels * TwipsPerPixel),
      heightTwips_(def.clientHeightTwips + FrameHeightPixels * TwipsPerPixel) {
    for (const ControlDef &c : def.controls)
        createControl(c);
    std::stable_sort(controls_.begin(), controls_.end(),
                     [](const auto &a, const auto &b) { return a->tabIndex() < b->tabIndex(); });
    for (std::size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->handle_ = static_cast<int>(i);
    for (const KeyDef &k : def.keys) {
        if (k.control.empty()) {
            bindKey(
                k.key, [] {}, k.remote);
            continue;
        }
        Control *target = find<Control>(k.control, k.index);
        if (!target) raise(ErrorCode::SubscriptOutOfRange, describe(k.control, k.index));
        // Exactly what a click does, and only when a click could: enabled and shown.
        bindKey(
            k.key, [target] { target->click(); }, k.remote);
    }
}

Form::~Form() = default;

std::string Form::describe(std::string_view name, Integer index) {
    return std::string(name) + "(" + std::to_string(index) + ")";
}

FontSpec Form::fontOf(const FontDef &font) const {
    const FontDef &f = font.points > 0 ? font : font_;
    return {family_, f.points, f.bold};
}

FontSpec Form::printFont(double points) const {
    return {family_, points, font_.bold};
}

void Form::createControl(const ControlDef &def) {
    const auto [a, b, c, d] = def.twips;
    const std::string name(def.name);
    const FontSpec font = fontOf(def.font);
    switch (def.kind) {
    case ControlKind::CommandButton:
        controls_.push_back(std::make_unique<CommandButton>(*this, def, font));
        return;
    case ControlKind::CheckBox:
        controls_.push_back(std::make_unique<CheckBox>(*this, def, font));
        return;
    case ControlKind::TextBox:
        controls_.push_back(std::make_unique<TextBox>(*this, def, font));
        return;
    case ControlKind::ComboBox:
        controls_.push_back(std::make_unique<ComboBox>(*this, def, font));
        return;
    case ControlKind::Label: {
        auto label = std::make_unique<Label>(*this, name, def.index, font);
        label->setCaption(std::string(def.caption));
        label->setBackColor(def.back);
        label->setForeColor(def.fore);
        label->setAutoSize(def.autoSize);
        label->setBox(px(a), px(b), px(c), px(d));
        stacking_.push_back(label.get());
        graphics_.push_back(std::move(label));
        return;
    }
    case ControlKind::Line: {
        auto line = std::make_unique<Line>(*this, name, def.index);
        line->setX1(px(a));
        line->setY1(px(b));
        line->setX2(px(c));
        line->setY2(px(d));
        line->setBorderWidth(def.borderWidth);
        line->setBorderColor(def.fore);
        stacking_.push_back(line.get());
        graphics_.push_back(std::move(line));
        return;
    }
    case ControlKind::Shape: {
        auto shape = std::make_unique<Shape>(*this, name, def.index);
        shape->setLeft(px(a));
        shape->setTop(px(b));
        shape->setWidth(px(c));
        shape->setHeight(px(d));
        shape->setBackColor(def.back);
        shape->setBorderColor(def.fore);
        shape->setBorderWidth(def.borderWidth);
        shape->setStyle(def.style);
        stacking_.push_back(shape.get());
        graphics_.push_back(std::move(shape));
        return;
    }
    }
}

void Form::setHeight(int twips) {
    if (heightTwips_ == twips) return;
    heightTwips_ = twips;
    if (view_) view_->sizeChanged();
}

void Form::setWidth(int twips) {
    if (widthTwips_ == twips) return;
    widthTwips_ = twips;
    if (view_) view_->sizeChanged();
}

SizeF Form::clientSize() const {
    return {double(clientWidth(widthTwips_)), double(clientHeight(heightTwips_))};
}

void Form::Print(std::string_view text) {
    const TextMetrics metrics = measure(printFont(fontSize_), text);
    const PointF at{currentX_, currentY_};
    // Synthesised bold and overhanging glyphs ink a little past the advance.
    const double pad = metrics.height * 0.25 + 2;
    const RectF bounds =
        RectF{at.x, at.y, metrics.advance, metrics.height}.adjusted(-pad, -pad, pad, pad);
    currentX_ = 0;
    currentY_ = static_cast<float>(currentY_ + metrics.height);

    // The same text in the same font at the same place covers exactly the pixels of the
    // earlier print, so the earlier one can never show again: keep only the new one. Erasing
    // by overprinting in the board colour then leaves no anti-aliasing fringe behind.
    std::erase_if(printed_, [&](const PrintedText &p) {
        return p.text == text && p.position == at && p.points == fontSize_;
    });
    const bool overlapsOther =
        std::any_of(printed_.begin(), printed_.end(),
                    [&](const PrintedText &p) { return p.bounds.intersects(bounds); });
    // Board-coloured text over bare board changes no pixel.
    if (fore_ != back_ || overlapsOther)
        printed_.push_back({std::string(text), at, fontSize_, fore_, bounds});
    invalidate(bounds);
}

void Form::Print(double number) {
    Print(Str(number));
}

void Form::Cls() {
    printed_.clear();
    currentX_ = 0;
    currentY_ = 0;
    if (view_) view_->invalidateAll();
}

void Form::bindKey(Key key, std::function<void()> action, bool remote) {
    keys_[key] = {std::move(action), remote};
}

namespace {

// Keys that type into a box or move its cursor.
bool editsText(Key key) {
    switch (key) {
    case Key::Text:
    case Key::Space:
    case Key::Period:
    case Key::Plus:
    case Key::Equal:
    case Key::Minus:
    case Key::Zero:
    case Key::B:
    case Key::G:
    case Key::H:
    case Key::T:
    case Key::One:
    case Key::Two:
    case Key::Three:
    case Key::Four:
    case Key::Five:
    case Key::Six:
    case Key::Left:
    case Key::Right:
    case Key::Up:
    case Key::Down:
    case Key::Home:
    case Key::End:
    case Key::Backspace:
    case Key::Delete:
        return true;
    default:
        return false;
    }
}

} // namespace

KeyOutcome Form::routeKey(Key key, unsigned modifiers, FocusKind where, bool editing) const {
    const bool box =
        where == FocusKind::TextBox || where == FocusKind::ComboBox || where == FocusKind::OpenList;
    // Held with Ctrl (or ⌘): + (or =), - and 0 zoom; the rest, and whatever is held with Alt,
    // belongs to the toolkit, or to a box's own editing (select all, paste, Alt+↓ opening the
    // list). A letter alone is the lesson's, not Alt + the letter.
    if (modifiers & (Modifier::Control | Modifier::Alt | Modifier::Meta)) {
        if (!(modifiers & Modifier::Alt)) {
            if (key == Key::Plus || key == Key::Equal) return KeyOutcome::ZoomIn;
            if (key == Key::Minus) return KeyOutcome::ZoomOut;
            if (key == Key::Zero) return KeyOutcome::ZoomReset;
        }
        return box ? KeyOutcome::Box : KeyOutcome::Toolkit;
    }
    if (key == Key::F11) return KeyOutcome::FullScreen;
    if (key == Key::Tab) return KeyOutcome::Toolkit;
    const auto bound = keys_.find(key);
    const bool action = bound != keys_.end();
    if (box) {
        // Enter confirms what was typed and gives the keys back to the lesson; in the open
        // list it picks the entry.
        if (key == Key::Enter)
            return where == FocusKind::OpenList ? KeyOutcome::Box : KeyOutcome::LeaveBox;
        // The remote's keys act in every box; "." types only into a delay being typed, which
        // may be "2.5".
        if (action && bound->second.remote)
            return key == Key::Period && where == FocusKind::ComboBox && editing
                       ? KeyOutcome::Box
                       : KeyOutcome::Action;
        if (editsText(key)) return KeyOutcome::Box;
        return action ? KeyOutcome::Action : KeyOutcome::Toolkit;
    }
    if (action) return KeyOutcome::Action;
    if (where == FocusKind::Button || where == FocusKind::CheckBox) {
        // Enter and Space click a button, as browsers and Windows do; Space toggles a check
        // box. The arrows that step nothing move the focus nowhere, least of all into a box.
        if (key == Key::Space || (key == Key::Enter && where == FocusKind::Button))
            return KeyOutcome::Click;
        if (key == Key::Up || key == Key::Down) return KeyOutcome::Ignore;
    }
    return KeyOutcome::Toolkit;
}

KeyOutcome Form::keyPressed(Key key, unsigned modifiers, FocusKind where, bool editing) {
    const KeyOutcome outcome = routeKey(key, modifiers, where, editing);
    switch (outcome) {
    case KeyOutcome::Action:
        pressKey(key);
        break;
    case KeyOutcome::Click:
        if (Control *c = focus_) dispatchInput([c] { c->click(); });
        break;
    case KeyOutcome::LeaveBox:
        moveFocus(nullptr, nullptr);
        break;
    default:
        break;
    }
    return outcome;
}

void Form::pressKey(Key key) {
    if (!keys_.contains(key)) return;
    // Looked up when it runs, which may be later: the action may bind keys anew.
    dispatchInput([this, key] {
        const auto it = keys_.find(key);
        if (it == keys_.end()) return;
        const std::function<void()> action = it->second.action;
        action();
    });
}

void Form::moveFocus(Control *control, Control *parkedFrom) {
    parkedFrom_ = parkedFrom;
    if (focus_ == control) return;
    Control *was = focus_;
    focus_ = control;
    editing_ = false; // a new visit to a box: nothing typed yet
    if (!view_) return;
    view_->focusChanged();
    if (was) view_->controlChanged(*was);
    if (control) view_->controlChanged(*control);
}

void Form::handOver(Control &control) {
    if (focus_ == &control) moveFocus(nullptr, &control);
}

void Form::handBack(Control &control) {
    if (parkedFrom_ == &control && !focus_ && control.canTakeFocus()) moveFocus(&control, nullptr);
}

void Form::takeStartFocus() {
    auto takes = [](const auto &c) { return c->canTakeFocus(); };
    auto chosen = std::find_if(controls_.begin(), controls_.end(),
                               [&](const auto &c) { return c->startFocus() && takes(c); });
    if (chosen == controls_.end()) chosen = std::find_if(controls_.begin(), controls_.end(), takes);
    moveFocus(chosen == controls_.end() ? nullptr : chosen->get(), nullptr);
}

void Form::showing() {
    if (shownBefore_) return;
    shownBefore_ = true;
    takeStartFocus();
}

void Form::input(const Input &in) {
    Control *c = in.control >= 0 && in.control < int(controls_.size())
                     ? controls_[std::size_t(in.control)].get()
                     : nullptr;
    switch (in.type) {
    case Input::Type::Click:
        if (c) dispatchInput([c] { c->click(); });
        return;
    case Input::Type::Check:
        if (c) dispatchInput([c, value = in.value] { c->userChecked(value); });
        return;
    case Input::Type::Text:
        if (!c) return;
        if (c == focus_) editing_ = true;
        c->userTyped(in.text);
        afterHandler(); // a new delay may end a pause sooner
        return;
    case Input::Type::Choose:
        if (c) c->userChose(static_cast<Integer>(in.value));
        afterHandler();
        return;
    case Input::Type::Focus:
        // The front end following the runtime's own move changes nothing, least of all where
        // a disabled control's focus goes back to.
        if (c == focus_ || (c && !c->canTakeFocus())) return;
        moveFocus(c, nullptr);
        return;
    case Input::Type::Key:
        if (in.value >= 0 && in.value < KeyCount && static_cast<int>(in.where) < FocusKindCount)
            keyPressed(static_cast<Key>(in.value), in.modifiers, in.where, in.editing);
        return;
    }
}

void Form::setStatusText(const std::string &text, const std::string &announcement) {
    if (status_ == text && announcement_ == announcement) return;
    status_ = text;
    announcement_ = announcement;
    if (view_) view_->statusChanged();
}

void Form::showNote(std::string_view title, std::span<const NoteRow> rows) {
    if (view_) view_->showNote(title, rows);
}

Graphic &Form::load(std::string_view name, Integer index) {
    Graphic *prototype = find<Graphic>(name, 0);
    if (!prototype) raise(ErrorCode::InvalidCall, std::string(name));
    if (find<Graphic>(name, index)) raise(ErrorCode::AlreadyLoaded, describe(name, index));
    std::unique_ptr<Graphic> copy = prototype->clone();
    copy->index_ = index;
    copy->visible_ = false;
    Graphic &ref = *copy;
    stacking_.push_back(copy.get());
    graphics_.push_back(std::move(copy));
    return ref;
}

void Form::restack(Graphic &g, bool toFront) {
    const auto it = std::find(stacking_.begin(), stacking_.end(), &g);
    if (it == stacking_.end()) return;
    stacking_.erase(it);
    if (toFront)
        stacking_.push_back(&g);
    else
        stacking_.insert(stacking_.begin(), &g);
    if (g.Visible()) invalidate(g.bounds());
}

void Form::setView(FormView *view) {
    if (view_ == view) return;
    view_ = view;
    metrics_.clear();
    if (!view_) return;
    // Captions sized by the estimate take the size the view's fonts give them.
    for (const auto &g : graphics_)
        if (auto *label = dynamic_cast<Label *>(g.get())) label->refit();
    view_->invalidateAll();
}

double Form::deviceScale() const {
    return view_ ? view_->deviceScale() : 1.0;
}

TextMetrics Form::measure(const FontSpec &font, std::string_view text) const {
    if (view_) {
        MetricsKey key{std::string(text), font};
        if (const auto it = metrics_.find(key); it != metrics_.end()) return it->second;
        if (metrics_.size() > 1024) metrics_.clear(); // a pupil's typing can make many
        return metrics_.emplace(std::move(key), view_->measure(font, text)).first->second;
    }
    // Without a view nothing is drawn; an em per character and a line of 1.2 em will do.
    const double em = font.pixelSize();
    std::size_t characters = 0;
    for (const unsigned char c : text)
        characters += (c & 0xC0) != 0x80;
    return {em * double(characters), em * 0.88, em * 1.2};
}

void Form::invalidate(const RectF &area) const {
    if (!view_) return;
    const double scale = view_->deviceScale();
    const int margin = std::max(1, static_cast<int>(std::ceil(scale)));
    const Rect pixels = coveringDevicePixels(area, scale);
    if (!pixels.isEmpty()) view_->invalidate({pixels.adjusted(-margin, -margin, margin, margin)});
}

void Form::invalidateDevice(const Region &pixels) const {
    if (view_) view_->invalidate(pixels);
}

void Form::controlChanged(Control &control) {
    if (view_) view_->controlChanged(control);
}

void Form::paint(Painter &painter, double deviceScale, const Rect &area) const {
    painter.fill(area, back_);
    auto needed = [&](const RectF &bounds) {
        return coveringDevicePixels(bounds, deviceScale).intersects(area);
    };
    // Printed text lies beneath everything else.
    for (const PrintedText &p : printed_) {
        if (!needed(p.bounds)) continue;
        const FontSpec font = printFont(p.points);
        const TextMetrics m = measure(font, p.text);
        painter.text(p.text, font, {p.position.x, p.position.y + m.ascent}, p.colour, {});
    }
    for (const Graphic *g : stacking_) {
        if (g->Visible() && needed(g->bounds())) g->paint(painter, deviceScale);
    }
}

} // namespace rt
