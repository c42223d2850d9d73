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
#include "runtime/core/textbox.h"

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// Outer size minus client size, in pixels: title bar and borders of the design.
constexpr int FramePixels = 25;
constexpr int FrameSidePixels = 8;

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
      widthTwips_(def.clientWidthTwips + FrameSidePixels * TwipsPerPixel),
      heightTwips_(def.clientHeightTwips + FramePixels * TwipsPerPixel) {
    for (const ControlDef &c : def.controls)
        createControl(c);
    std::stable_sort(controls_.begin(), controls_.end(),
                     [](const auto &a, const auto &b) { return a->tabIndex() < b->tabIndex(); });
    for (const KeyDef &k : def.keys) {
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
    auto inner = [](int twips, int frame) {
        return double(std::max(0L, std::lround(double(twips) / TwipsPerPixel) - long(frame)));
    };
    return {inner(widthTwips_, FrameSidePixels), inner(heightTwips_, FramePixels)};
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

bool Form::isRemote(Key key) const {
    const auto it = keys_.find(key);
    return it != keys_.end() && it->second.remote;
}

bool Form::pressKey(Key key) {
    const auto it = keys_.find(key);
    if (it == keys_.end()) return false;
    // A copy: the action may bind keys anew.
    const std::function<void()> action = it->second.action;
    dispatch(action);
    return true;
}

void Form::setStatusText(const std::string &text) {
    if (status_ == text) return;
    status_ = text;
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
    if (view_) return view_->measure(font, text);
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

void Form::controlChanged(Control &control, Control::Change what) {
    if (view_) view_->controlChanged(control, what);
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
