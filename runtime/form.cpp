#include "runtime/form.h"

#include "runtime/checkbox.h"
#include "runtime/colours.h"
#include "runtime/combobox.h"
#include "runtime/comboboxaccessible.h"
#include "runtime/commandbutton.h"
#include "runtime/events.h"
#include "runtime/focusring.h"
#include "runtime/fonts.h"
#include "runtime/label.h"
#include "runtime/line.h"
#include "runtime/shape.h"
#include "runtime/textbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// Outer size minus client size, in pixels: title bar and borders of the design.
constexpr int FramePixels = 25;
constexpr int FrameSidePixels = 8;
// What a window frame adds until the window system tells: the design's borders and title bar.
constexpr QSize DesignFrame(FrameSidePixels, FramePixels);

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

constexpr float px(int twips) {
    return static_cast<float>(twips) / TwipsPerPixel;
}

// Width of the focus ring around the control with the focus, in form pixels.
constexpr double RingWidth = 6;

// The window is a frame to assistive technology, not a filler; an editable combo box is named
// by its name, not by its text.
QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *form = dynamic_cast<Form *>(object); form && form->isWindow())
        return new QAccessibleWidget(form, QAccessible::Window);
    if (auto *combo = dynamic_cast<ComboBox *>(object)) return new ComboBoxAccessible(combo);
    return nullptr;
}

// The list of an open combo box, or nullptr.
QComboBox *comboOfList(const QWidget *w) {
    if (!qobject_cast<const QAbstractItemView *>(w)) return nullptr;
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (auto *combo = qobject_cast<QComboBox *>(p)) return combo;
    return nullptr;
}

// Undoes the window's fixed size, which would keep it from filling the screen.
void allowAnySize(QWidget &window) {
    window.setMinimumSize(0, 0);
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace

Form::Form(const FormDef &def, QWidget *parent)
    : QWidget(parent), family_(text(def.fontFamily)), font_(def.font), back_(def.back),
      fore_(def.fore), fontSize_(def.font.points),
      widthTwips_(def.clientWidthTwips + FrameSidePixels * TwipsPerPixel),
      heightTwips_(def.clientHeightTwips + FramePixels * TwipsPerPixel), frame_(DesignFrame) {
    static const bool accessible = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(accessible);
    installFontSubstitutes(family_);
    setObjectName(text(def.name));
    setWindowTitle(text(def.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(back_));
    setPalette(pal);
    setReportWindow(this);

    for (const ControlDef &c : def.controls)
        createControl(c);

    std::stable_sort(widgets_.begin(), widgets_.end(),
                     [](const auto &a, const auto &b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 1; i < widgets_.size(); ++i)
        setTabOrder(widgets_[i - 1].widget, widgets_[i].widget);
    for (const KeyDef &k : def.keys) {
        auto *button = find<QAbstractButton>(text(k.control), k.index);
        Q_ASSERT(button);
        // Exactly what a click does, and only when a click could: enabled and shown.
        bindKey(
            k.key,
            [button] {
                if (button->isEnabled() && button->isVisible()) button->click();
            },
            k.remote);
    }
    // A click on the board, Enter in a box and the disabling of a control with the focus give
    // the focus to the board, where every key reaches the lesson.
    setFocusPolicy(Qt::ClickFocus);
    ring_ = new FocusRing(this);
    // Keys reach the focused control first: watch them all.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    setAccessibleName(windowTitle());
    bindKey(Qt::Key_F11, [this] { toggleFullScreen(); });
    applyGeometry();
}

Form::~Form() = default;

void Form::createControl(const ControlDef &def) {
    const QString name = text(def.name);
    const auto [a, b, c, d] = def.twips;
    const QRectF box(px(a), px(b), px(c), px(d));
    const FontDef font = def.font.points > 0 ? def.font : font_;

    auto addWidget = [&](QWidget *w) {
        w->setObjectName(def.index < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(def.index));
        w->setFocusPolicy(Qt::StrongFocus);
        if (!def.accessibleName.empty()) w->setAccessibleName(text(def.accessibleName));
        if (!def.description.empty()) w->setAccessibleDescription(text(def.description));
        // An editable combo box speaks through its edit field.
        if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
            combo->lineEdit()->setAccessibleName(w->accessibleName());
            combo->lineEdit()->setAccessibleDescription(w->accessibleDescription());
        }
        widgets_.push_back({name, def.index, w, box, font, def.tabIndex, def.startFocus});
    };

    switch (def.kind) {
    case ControlKind::CommandButton: {
        auto *button = new CommandButton(this);
        button->setText(text(def.caption));
        button->setBackColor(def.back);
        addWidget(button);
        break;
    }
    case ControlKind::CheckBox: {
        auto *check = new CheckBox(this);
        check->setText(text(def.caption));
        check->setColours(def.back, def.fore);
        addWidget(check);
        break;
    }
    case ControlKind::TextBox: {
        auto *edit = new TextBox(this);
        edit->setText(text(def.caption));
        addWidget(edit);
        break;
    }
    case ControlKind::ComboBox: {
        auto *combo = new ComboBox(this);
        for (std::string_view entry : def.list)
            combo->addItem(text(entry));
        combo->setCurrentIndex(-1);
        combo->lineEdit()->setText(text(def.caption));
        combo->view(); // made now, so that its keys are watched as well
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, combo] { typedInto_ = combo; });
        addWidget(combo);
        break;
    }
    case ControlKind::Label: {
        auto label = std::make_unique<Label>(*this, name, def.index,
                                             makeFont(family_, font.points, font.bold));
        label->setCaption(text(def.caption));
        label->setBackColor(def.back);
        label->setForeColor(def.fore);
        label->setAutoSize(def.autoSize);
        label->setBox(box.left(), box.top(), box.width(), box.height());
        stacking_.push_back(label.get());
        graphics_.push_back(std::move(label));
        break;
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
        break;
    }
    case ControlKind::Shape: {
        auto shape = std::make_unique<Shape>(*this, name, def.index);
        shape->setLeft(box.left());
        shape->setTop(box.top());
        shape->setWidth(box.width());
        shape->setHeight(box.height());
        shape->setBackColor(def.back);
        shape->setBorderColor(def.fore);
        shape->setBorderWidth(def.borderWidth);
        shape->setStyle(def.style);
        stacking_.push_back(shape.get());
        graphics_.push_back(std::move(shape));
        break;
    }
    }
}

void Form::setHeight(int twips) {
    if (heightTwips_ == twips) return;
    heightTwips_ = twips;
    rememberFrame();
    applyGeometry();
}

void Form::setWidth(int twips) {
    if (widthTwips_ == twips) return;
    widthTwips_ = twips;
    applyGeometry();
}

QSizeF Form::clientSize() const {
    auto inner = [](int twips, int frame) {
        return double(std::max(0L, std::lround(double(twips) / TwipsPerPixel) - long(frame)));
    };
    return QSizeF(inner(widthTwips_, FrameSidePixels), inner(heightTwips_, FramePixels));
}

void Form::setZoom(double zoom) {
    // Full screen already shows the design as large as the screen allows.
    if (zoom <= 0 || isFullScreen()) return;
    rememberFrame();
    // A step beyond what fits changes nothing, not even the zoom to come back to.
    const double fitting = fittingZoom(zoom);
    if (fitting == zoom_) return;
    chosenZoom_ = fitting;
    applyGeometry();
}

void Form::toggleFullScreen() {
    // The window system puts the window back where it was; the zoom is this form's.
    if (isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        return;
    }
    allowAnySize(*this); // before the window system sizes the window
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void Form::applyGeometry() {
    const QSizeF client = clientSize();
    double scale = zoom_;
    QPointF offset;
    if (isFullScreen()) {
        allowAnySize(*this);
        if (!client.isEmpty())
            scale = std::min(width() / client.width(), height() / client.height());
        // Centred on whole device pixels: edges snapped to device pixels stay on them.
        const qreal dpr = devicePixelRatioF();
        auto centre = [dpr](qreal room) { return std::round(room / 2 * dpr) / dpr; };
        offset = QPointF(centre(width() - client.width() * scale),
                         centre(height() - client.height() * scale));
    } else {
        zoom_ = fittingZoom(chosenZoom_);
        scale = zoom_;
        setFixedSize(windowSize(zoom_));
        keepOnScreen();
    }
    if (scale != scale_ || offset != offset_) {
        scale_ = scale;
        offset_ = offset;
        update();
    }
    for (const WindowedControl &w : widgets_) {
        w.widget->setGeometry(toWidget(w.box).toRect());
        w.widget->setFont(makeFont(family_, w.font.points, w.font.bold, scale_));
        if (auto *check = dynamic_cast<CheckBox *>(w.widget)) check->setScale(scale_);
    }
}

QSize Form::windowSize(double zoom) const {
    const QSizeF client = clientSize();
    return QSize(int(std::lround(client.width() * zoom)), int(std::lround(client.height() * zoom)));
}

double Form::fittingZoom(double wanted) const {
    const QScreen *s = screen();
    if (!s) return wanted;
    const QSize room = s->availableGeometry().size() - frame_;
    auto fits = [&](double zoom) {
        const QSize size = windowSize(zoom);
        return size.width() <= room.width() && size.height() <= room.height();
    };
    if (fits(wanted)) return wanted;
    // Never below the design size: there the window is as small as it gets.
    double best = std::min(wanted, ZoomSteps.front());
    for (double step : ZoomSteps)
        if (step < wanted && fits(step)) best = step;
    return best;
}

void Form::rememberFrame() {
    // Before the window is shown nothing is reported: the estimate stays.
    if (isVisible() && !isFullScreen()) frame_ = frameGeometry().size() - size();
}

void Form::keepOnScreen() {
    if (!isVisible() || !screen()) return;
    const QRect room = screen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveRight(std::min(frame.right(), room.right()));
    frame.moveBottom(std::min(frame.bottom(), room.bottom()));
    frame.moveLeft(std::max(frame.left(), room.left()));
    frame.moveTop(std::max(frame.top(), room.top()));
    if (frame.topLeft() != pos()) move(frame.topLeft());
}

QRectF Form::toWidget(const QRectF &area) const {
    return QRectF(area.topLeft() * scale_ + offset_, area.size() * scale_);
}

QFont Form::printFont(double points) const {
    return makeFont(family_, points, font_.bold);
}

void Form::Print(const QString &text) {
    const QFontMetricsF metrics(printFont(fontSize_));
    const QPointF at(currentX_, currentY_);
    // Synthesised bold and overhanging glyphs ink a little past the advance.
    const qreal pad = metrics.height() * 0.25 + 2;
    const QRectF bounds = QRectF(at, QSizeF(metrics.horizontalAdvance(text), metrics.height()))
                              .adjusted(-pad, -pad, pad, pad);
    currentX_ = 0;
    currentY_ = static_cast<float>(currentY_ + metrics.height());

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
    if (fore_ != back_ || overlapsOther) {
        printed_.push_back({text, TextRaster(), at, fontSize_, fore_, bounds});
    }
    invalidate(bounds);
}

void Form::Print(double number) {
    Print(Str(number));
}

void Form::Cls() {
    printed_.clear();
    currentX_ = 0;
    currentY_ = 0;
    update();
}

Graphic &Form::load(QStringView name, Integer index) {
    Graphic *prototype = find<Graphic>(name, 0);
    if (!prototype) rt::raise(ErrorCode::InvalidCall, name.toString());
    if (find<Graphic>(name, index))
        rt::raise(ErrorCode::AlreadyLoaded, QStringLiteral("%1(%2)").arg(name).arg(index));
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

void Form::invalidate(const QRectF &area) {
    update(toWidget(area).toAlignedRect().adjusted(-1, -1, 1, 1));
}

void Form::invalidateDevice(const QRegion &pixels) {
    const qreal ratio = devicePixelRatioF();
    if (ratio == 1.0 && offset_.isNull()) {
        update(pixels);
        return;
    }
    QRegion widgetPixels;
    for (const QRect &r : pixels)
        widgetPixels += QRectF(r.x() / ratio + offset_.x(), r.y() / ratio + offset_.y(),
                               r.width() / ratio, r.height() / ratio)
                            .toAlignedRect();
    update(widgetPixels);
}

void Form::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRegion exposed = event->region();
    const QColor board = toQColor(back_);
    for (const QRect &r : exposed)
        painter.fillRect(r, board);
    // Full screen: what lies beyond the design's client area stays hidden, as in the window.
    if (isFullScreen()) painter.setClipRect(toWidget(QRectF(QPointF(), clientSize())).toRect());
    painter.translate(offset_);
    painter.scale(scale_, scale_);
    // What needs painting, in form pixels; items outside it are skipped.
    auto needed = [&](const QRectF &designArea) {
        return exposed.intersects(toWidget(designArea).toAlignedRect());
    };

    // Printed text lies beneath everything else.
    for (const PrintedText &p : printed_) {
        if (!needed(p.bounds)) continue;
        const QFont font = printFont(p.points);
        p.raster.draw(painter, font, p.text, p.position + QPointF(0, QFontMetricsF(font).ascent()),
                      toQColor(p.colour));
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    // Zoom and device pixel ratio together, also when rendered into a high-density image.
    const qreal deviceScale = painter.deviceTransform().m11();
    for (const Graphic *g : stacking_) {
        if (g->Visible() && needed(g->bounds())) g->paint(painter, deviceScale);
    }
}

const Form::WindowedControl *Form::controlOf(const QWidget *w) const {
    for (const WindowedControl &c : widgets_)
        if (c.widget == w || c.widget->isAncestorOf(w)) return &c;
    return nullptr;
}

void Form::updateFocusRing() {
    const WindowedControl *c = controlOf(focusWidget());
    ring_->surround(c ? c->widget : nullptr, int(std::lround(RingWidth * zoom_)));
}

void Form::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // On another screen the window fits that screen.
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        rememberFrame();
        applyGeometry();
    });
    // The focus starts on the control chosen for it, else on the first in the tab order.
    auto takes = [](const WindowedControl &w) {
        return w.widget->isEnabled() && w.widget->isVisible();
    };
    auto chosen = std::find_if(widgets_.begin(), widgets_.end(),
                               [&](const WindowedControl &w) { return w.startFocus && takes(w); });
    if (chosen == widgets_.end()) chosen = std::find_if(widgets_.begin(), widgets_.end(), takes);
    if (chosen != widgets_.end()) chosen->widget->setFocus(Qt::OtherFocusReason);
}

void Form::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // Full screen follows whatever size the window system gives.
    if (isFullScreen()) applyGeometry();
}

void Form::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) applyGeometry();
}

void Form::bindKey(int key, std::function<void()> action, bool remote) {
    keys_[key] = {std::move(action), remote};
}

void Form::setStatusText(const QString &text) {
    if (accessibleDescription() == text) return;
    setAccessibleDescription(text); // sends the change to assistive technology
}

void Form::showNote(const QString &title, const QString &text) {
    if (!note_) {
        note_ = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, this);
        note_->addButton(QStringLiteral("閉じる"), QMessageBox::RejectRole);
        note_->setAttribute(Qt::WA_DeleteOnClose);
        note_->setWindowModality(Qt::NonModal);
        // The lesson keeps the keys: the note neither takes the focus nor holds a key.
        note_->setAttribute(Qt::WA_ShowWithoutActivating);
        for (QWidget *w : note_->findChildren<QWidget *>())
            w->installEventFilter(this);
        note_->installEventFilter(this);
    }
    note_->setWindowTitle(title);
    note_->setText(text);
    note_->show();
    note_->raise();
}

bool Form::zoomKey(const QKeyEvent &key) {
    if (!(key.modifiers() & Qt::ControlModifier)) return false;
    const auto at = std::find(ZoomSteps.begin(), ZoomSteps.end(), zoom_);
    const auto step = at == ZoomSteps.end() ? 0 : at - ZoomSteps.begin();
    const auto last = static_cast<long>(ZoomSteps.size()) - 1;
    switch (key.key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setZoom(ZoomSteps[std::size_t(std::min(step + 1, last))]);
        return true;
    case Qt::Key_Minus:
        setZoom(ZoomSteps[std::size_t(std::max(step - 1, 0L))]);
        return true;
    case Qt::Key_0:
        setZoom(1.0);
        return true;
    default:
        return false;
    }
}

bool Form::keyForBox(const QWidget *focus, const QKeyEvent &key, bool remote) const {
    const bool box = qobject_cast<const QLineEdit *>(focus) ||
                     qobject_cast<const QComboBox *>(focus) || comboOfList(focus);
    if (!box) return false;
    if (remote) {
        // "." types while the user is typing into a combo box: a delay may be "2.5".
        return key.key() == Qt::Key_Period && typedInto_ &&
               (focus == typedInto_ || focus == typedInto_->lineEdit());
    }
    switch (key.key()) {
    case Qt::Key_Escape:
        return false;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        return !key.text().isEmpty() && key.text().at(0).isPrint();
    }
}

// Whether the lesson takes `key`, pressed with the focus on `focus`.
bool Form::filterKey(QWidget *focus, const QKeyEvent &key) {
    if (zoomKey(key)) return true;
    // Alt + a letter is no key of the lesson: the letters act alone.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter && (qobject_cast<QLineEdit *>(focus) || qobject_cast<QComboBox *>(focus))) {
        // The text stands as typed; the keys go back to the lesson.
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    const auto binding = keys_.find(key.key());
    if (binding == keys_.end() || keyForBox(focus, key, binding->second.remote)) return false;
    if (QComboBox *combo = comboOfList(focus)) combo->hidePopup();
    dispatch(binding->second.action);
    return true;
}

bool Form::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The key's first receiver has the focus in its own window (this one, the note, or
        // the list of a combo box); the key may reach an ancestor after it, with the focus
        // unchanged.
        auto *receiver = qobject_cast<QWidget *>(watched);
        QWidget *focus = receiver ? receiver->window()->focusWidget() : nullptr;
        return filterKey(focus ? focus : this, static_cast<const QKeyEvent &>(*event));
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
    case QEvent::Move:
    case QEvent::Resize:
        watchFocus(watched, event->type());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void Form::watchFocus(QObject *watched, QEvent::Type type) {
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w == this) return;
    if (type == QEvent::EnabledChange) {
        // A control that gave the focus to the board on being disabled takes it back when it
        // is enabled again, unless the user has moved the focus meanwhile.
        if (w == parkedFrom_ && w->isEnabled() && focusWidget() == this) {
            parkedFrom_ = nullptr;
            w->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    if (type == QEvent::FocusIn) {
        parkedFrom_ = nullptr;
        if (w == typedInto_) typedInto_ = nullptr; // a new visit to the box: nothing typed yet
    }
    // The ring follows the focus, and its control when the zoom moves it.
    if (type == QEvent::FocusIn || type == QEvent::FocusOut || w == ring_->target())
        updateFocusRing();
}

bool Form::focusNextPrevChild(bool next) {
    // A control with the focus that is being disabled hands the focus on. Into a box, the
    // remote's keys would be typed; to the next button, Space would do something unasked.
    // The board takes it, and every key acts on the lesson.
    QWidget *leaving = focusWidget();
    if (leaving && leaving != this && !leaving->isEnabled()) {
        parkedFrom_ = leaving;
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void Form::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program, exactly as End does, from any state.
    event->accept();
    dispatch([] { End(); });
}

} // namespace rt
