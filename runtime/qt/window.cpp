#include "runtime/qt/window.h"

#include "runtime/core/checkbox.h"
#include "runtime/core/combobox.h"
#include "runtime/core/commandbutton.h"
#include "runtime/core/events.h"
#include "runtime/core/textbox.h"
#include "runtime/qt/checkbox.h"
#include "runtime/qt/colours.h"
#include "runtime/qt/combobox.h"
#include "runtime/qt/comboboxaccessible.h"
#include "runtime/qt/commandbutton.h"
#include "runtime/qt/desktophost.h"
#include "runtime/qt/focusring.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/textbox.h"

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
#include <QSignalBlocker>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace rt::qt {

namespace {

// What a window frame adds until the window system tells: the design's borders and title bar.
constexpr QSize DesignFrame(8, 25);

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRectF toQRectF(const RectF &r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

// The lesson's keys by their toolkit names.
Key keyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_F1:
        return Key::F1;
    case Qt::Key_F5:
        return Key::F5;
    case Qt::Key_F11:
        return Key::F11;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_Period:
        return Key::Period;
    case Qt::Key_B:
        return Key::B;
    case Qt::Key_G:
        return Key::G;
    case Qt::Key_H:
        return Key::H;
    case Qt::Key_T:
        return Key::T;
    default:
        return Key::None;
    }
}

// Width of the focus ring around the control with the focus, in form pixels.
constexpr double RingWidth = 6;

// The window is a frame to assistive technology, not a filler; an editable combo box is named
// by its name, not by its text.
QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *window = dynamic_cast<Window *>(object); window && window->isWindow())
        return new QAccessibleWidget(window, QAccessible::Window);
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

// Draws the board's fills and texts with a QPainter in the window's device pixels.
class Window::BoardPainter final : public Painter {
public:
    // `painter` stands at the design's top-left corner in widget pixels.
    BoardPainter(const Window &window, QPainter &painter, qreal dpr, qreal scale)
        : window_(window), painter_(painter), device_(painter.transform()),
          form_(painter.transform()) {
        device_.scale(1 / dpr, 1 / dpr);
        form_.scale(scale, scale);
        painter_.setTransform(device_);
    }

    void fill(const Rect &pixels, Colour colour) override {
        painter_.fillRect(QRect(pixels.x, pixels.y, pixels.width, pixels.height), toQColor(colour));
    }

    void text(std::string_view text, const FontSpec &font, PointF baseline, Colour colour,
              const Rect &clip) override {
        painter_.save();
        if (!clip.isEmpty())
            painter_.setClipRect(QRect(clip.x, clip.y, clip.width, clip.height), Qt::IntersectClip);
        painter_.setTransform(form_);
        const RasterKey key{std::string(text), font.family, font.points, font.bold,
                            baseline.x,        baseline.y,  colour};
        window_.raster(key).draw(painter_, toQFont(font), qt::text(text),
                                 QPointF(baseline.x, baseline.y), toQColor(colour));
        painter_.restore();
    }

private:
    const Window &window_;
    QPainter &painter_;
    QTransform device_; // device pixels from the design's top-left
    QTransform form_;   // form pixels
};

Window::Window(Form &form, QWidget *parent) : QWidget(parent), form_(&form), frame_(DesignFrame) {
    static const bool accessible = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(accessible);
    const FormDef &def = form.definition();
    installFontSubstitutes(text(def.fontFamily));
    setObjectName(text(def.name));
    setWindowTitle(text(def.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(form.BackColor()));
    setPalette(pal);
    DesktopHost::install(this);

    for (const auto &control : form.controls())
        createWidget(*control);
    for (std::size_t i = 1; i < shown_.size(); ++i)
        setTabOrder(shown_[i - 1].widget, shown_[i].widget);
    // A click on the board, Enter in a box and the disabling of a control with the focus give
    // the focus to the board, where every key reaches the lesson.
    setFocusPolicy(Qt::ClickFocus);
    ring_ = new FocusRing(this);
    // Keys reach the focused control first: watch them all.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    setAccessibleName(windowTitle());
    form.bindKey(Key::F11, [this] { toggleFullScreen(); });
    form.setView(this);
    applyGeometry();
}

Window::~Window() {
    form_->setView(nullptr);
}

void Window::createWidget(Control &control) {
    QWidget *w = nullptr;
    switch (control.kind()) {
    case ControlKind::CommandButton: {
        auto &model = static_cast<rt::CommandButton &>(control);
        auto *button = new CommandButton(this);
        button->setText(text(model.Caption()));
        button->setBackColor(model.BackColor());
        connect(button, &QPushButton::clicked, this,
                [&model] { dispatch([&] { model.click(); }); });
        w = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto &model = static_cast<rt::CheckBox &>(control);
        auto *check = new CheckBox(this);
        check->setText(text(model.Caption()));
        check->setColours(model.BackColor(), model.ForeColor());
        check->setChecked(model.Value() != 0);
        // The user's clicks and Space: the model runs the click handler.
        connect(check, &QCheckBox::clicked, this,
                [&model](bool on) { dispatch([&] { model.setValue(on ? 1 : 0); }); });
        w = check;
        break;
    }
    case ControlKind::TextBox: {
        auto &model = static_cast<rt::TextBox &>(control);
        auto *edit = new TextBox(this);
        edit->setText(text(model.Text()));
        connect(edit, &QLineEdit::textEdited, this,
                [&model](const QString &typed) { model.setText(typed.toStdString()); });
        w = edit;
        break;
    }
    case ControlKind::ComboBox: {
        auto &model = static_cast<rt::ComboBox &>(control);
        auto *combo = new ComboBox(this);
        for (Integer i = 0; i < model.ListCount(); ++i)
            combo->addItem(text(model.List(i)));
        combo->setCurrentIndex(-1);
        combo->lineEdit()->setText(text(model.Text()));
        combo->view(); // made now, so that its keys are watched as well
        connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, combo, &model] {
            typedInto_ = combo;
            model.setText(combo->currentText().toStdString());
        });
        connect(combo, &QComboBox::activated, this,
                [&model](int index) { model.setListIndex(static_cast<Integer>(index)); });
        w = combo;
        break;
    }
    default:
        return;
    }
    w->setObjectName(control.Index() < 0
                         ? text(control.Name())
                         : QStringLiteral("%1_%2").arg(text(control.Name())).arg(control.Index()));
    w->setFocusPolicy(Qt::StrongFocus);
    w->setEnabled(control.Enabled());
    if (!control.accessibleName().empty()) w->setAccessibleName(text(control.accessibleName()));
    if (!control.description().empty()) w->setAccessibleDescription(text(control.description()));
    // An editable combo box speaks through its edit field.
    if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->lineEdit()) {
        combo->lineEdit()->setAccessibleName(w->accessibleName());
        combo->lineEdit()->setAccessibleDescription(w->accessibleDescription());
    }
    shown_.push_back({&control, w});
}

QWidget *Window::widget(const Control &control) const {
    for (const Shown &s : shown_)
        if (s.control == &control) return s.widget;
    return nullptr;
}

void Window::controlChanged(Control &control, Control::Change what) {
    for (const Shown &s : shown_)
        if (s.control == &control) sync(s, what);
}

void Window::sync(const Shown &shown, Control::Change what) {
    QWidget *w = shown.widget;
    switch (what) {
    case Control::Change::Enabled:
        w->setEnabled(shown.control->Enabled());
        return;
    case Control::Change::Visible:
        w->setVisible(shown.control->Visible());
        return;
    case Control::Change::Colours:
        if (auto *button = dynamic_cast<CommandButton *>(w))
            button->setBackColor(static_cast<rt::CommandButton *>(shown.control)->BackColor());
        return;
    case Control::Change::Value:
        if (auto *check = dynamic_cast<CheckBox *>(w))
            check->setChecked(static_cast<rt::CheckBox *>(shown.control)->Value() != 0);
        return;
    case Control::Change::Text:
        if (auto *edit = dynamic_cast<TextBox *>(w)) {
            edit->setText(text(static_cast<rt::TextBox *>(shown.control)->Text()));
        } else if (auto *combo = dynamic_cast<ComboBox *>(w)) {
            const auto &model = *static_cast<rt::ComboBox *>(shown.control);
            if (model.ListIndex() >= 0) {
                if (combo->currentIndex() != model.ListIndex())
                    combo->setCurrentIndex(model.ListIndex());
            } else {
                combo->setText(text(model.Text()));
            }
        }
        return;
    }
}

void Window::sizeChanged() {
    rememberFrame();
    applyGeometry();
}

void Window::setZoom(double zoom) {
    // Full screen already shows the design as large as the screen allows.
    if (zoom <= 0 || isFullScreen()) return;
    rememberFrame();
    // A step beyond what fits changes nothing, not even the zoom to come back to.
    const double fitting = fittingZoom(zoom);
    if (fitting == zoom_) return;
    chosenZoom_ = fitting;
    applyGeometry();
}

void Window::toggleFullScreen() {
    // The window system puts the window back where it was; the zoom is this form's.
    if (isFullScreen()) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        return;
    }
    allowAnySize(*this); // before the window system sizes the window
    setWindowState(windowState() | Qt::WindowFullScreen);
}

void Window::applyGeometry() {
    const QSizeF client(form_->clientSize().width, form_->clientSize().height);
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
    for (const Shown &s : shown_) {
        s.widget->setGeometry(toWidget(toQRectF(s.control->box())).toRect());
        s.widget->setFont(toQFont(s.control->font(), scale_));
        if (auto *check = dynamic_cast<CheckBox *>(s.widget)) check->setScale(scale_);
    }
}

QSize Window::windowSize(double zoom) const {
    const QSizeF client(form_->clientSize().width, form_->clientSize().height);
    return QSize(int(std::lround(client.width() * zoom)), int(std::lround(client.height() * zoom)));
}

double Window::fittingZoom(double wanted) const {
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

void Window::rememberFrame() {
    // Before the window is shown nothing is reported: the estimate stays.
    if (isVisible() && !isFullScreen()) frame_ = frameGeometry().size() - size();
}

void Window::keepOnScreen() {
    if (!isVisible() || !screen()) return;
    const QRect room = screen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveRight(std::min(frame.right(), room.right()));
    frame.moveBottom(std::min(frame.bottom(), room.bottom()));
    frame.moveLeft(std::max(frame.left(), room.left()));
    frame.moveTop(std::max(frame.top(), room.top()));
    if (frame.topLeft() != pos()) move(frame.topLeft());
}

QRectF Window::toWidget(const QRectF &area) const {
    return QRectF(area.topLeft() * scale_ + offset_, area.size() * scale_);
}

void Window::invalidate(const Region &pixels) {
    const qreal ratio = devicePixelRatioF();
    QRegion widgetPixels;
    for (const Rect &r : pixels) {
        if (r.isEmpty()) continue;
        widgetPixels += QRectF(r.x / ratio + offset_.x(), r.y / ratio + offset_.y(),
                               r.width / ratio, r.height / ratio)
                            .toAlignedRect();
    }
    if (!widgetPixels.isEmpty()) update(widgetPixels);
}

void Window::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRegion exposed = event->region();
    const QColor board = toQColor(form_->BackColor());
    for (const QRect &r : exposed)
        painter.fillRect(r, board);
    // Full screen: what lies beyond the design's client area stays hidden, as in the window.
    const SizeF client = form_->clientSize();
    if (isFullScreen())
        painter.setClipRect(toWidget(QRectF(0, 0, client.width, client.height)).toRect());
    painter.translate(offset_);
    // The target's pixel ratio, also when rendered into a high-density image.
    const qreal dpr = painter.deviceTransform().m11();
    // What needs painting, in device pixels from the design's top-left.
    const QRectF area = QRectF(exposed.boundingRect()).translated(-offset_);
    const QRect device = QRectF(area.topLeft() * dpr, area.size() * dpr).toAlignedRect();
    BoardPainter boardPainter(*this, painter, dpr, scale_);
    form_->paint(boardPainter, scale_ * dpr,
                 Rect{device.x(), device.y(), device.width(), device.height()});
}

QImage Window::boardPicture(qreal dpr) const {
    const SizeF client = form_->clientSize();
    QImage image(QSize(int(std::lround(client.width * dpr)), int(std::lround(client.height * dpr))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter painter(&image);
    BoardPainter board(*this, painter, dpr, 1.0);
    form_->paint(board, dpr, Rect{0, 0, image.width(), image.height()});
    return image;
}

TextRaster &Window::raster(const RasterKey &key) const {
    // A bound on what a pupil's long session can pile up: every text shown at once fits.
    if (rasters_.size() > 512) rasters_.clear();
    return rasters_[key];
}

TextMetrics Window::measure(const FontSpec &font, std::string_view s) const {
    MetricsKey key{std::string(s), font.family, font.points, font.bold};
    if (const auto it = metrics_.find(key); it != metrics_.end()) return it->second;
    if (metrics_.size() > 1024) metrics_.clear(); // a pupil's typing can make many
    const QFontMetricsF metrics(toQFont(font));
    const TextMetrics m{metrics.horizontalAdvance(text(s)), metrics.ascent(), metrics.height()};
    metrics_.emplace(std::move(key), m);
    return m;
}

const Window::Shown *Window::shownOf(const QWidget *w) const {
    for (const Shown &s : shown_)
        if (s.widget == w || s.widget->isAncestorOf(w)) return &s;
    return nullptr;
}
void Window::updateFocusRing() {
    const Shown *s = shownOf(focusWidget());
    ring_->surround(s ? s->widget : nullptr, int(std::lround(RingWidth * zoom_)));
}

void Window::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // On another screen the window fits that screen.
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        rememberFrame();
        applyGeometry();
    });
    // The focus starts on the control chosen for it, else on the first in the tab order.
    auto takes = [](const Shown &s) { return s.widget->isEnabled() && s.widget->isVisible(); };
    auto chosen = std::find_if(shown_.begin(), shown_.end(),
                               [&](const Shown &s) { return s.control->startFocus() && takes(s); });
    if (chosen == shown_.end()) chosen = std::find_if(shown_.begin(), shown_.end(), takes);
    if (chosen != shown_.end()) chosen->widget->setFocus(Qt::OtherFocusReason);
}

void Window::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // Full screen follows whatever size the window system gives.
    if (isFullScreen()) applyGeometry();
}

void Window::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) applyGeometry();
}

void Window::statusChanged() {
    const QString status = text(form_->statusText());
    if (accessibleDescription() == status) return;
    setAccessibleDescription(status); // sends the change to assistive technology
}

void Window::showNote(std::string_view titleText, std::span<const NoteRow> rows) {
    const QString title = text(titleText);
    QString table = QStringLiteral("<table cellspacing=\"6\">");
    for (const NoteRow &row : rows)
        table += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                     .arg(text(row.keys).toHtmlEscaped(), text(row.does).toHtmlEscaped());
    table += QStringLiteral("</table>");
    if (!note_) {
        note_ = new QMessageBox(QMessageBox::NoIcon, title, table, QMessageBox::NoButton, this);
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
    note_->setText(table);
    note_->show();
    note_->raise();
}

bool Window::zoomKey(const QKeyEvent &key) {
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

bool Window::keyForBox(const QWidget *focus, const QKeyEvent &key, bool remote) const {
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
bool Window::filterKey(QWidget *focus, const QKeyEvent &key) {
    if (zoomKey(key)) return true;
    // Alt + a letter is no key of the lesson: the letters act alone.
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (enter && (qobject_cast<QLineEdit *>(focus) || qobject_cast<QComboBox *>(focus))) {
        // The text stands as typed; the keys go back to the lesson.
        setFocus(Qt::OtherFocusReason);
        return true;
    }
    const Key bound = keyOf(key.key());
    if (!form_->isBound(bound) || keyForBox(focus, key, form_->isRemote(bound))) return false;
    if (QComboBox *combo = comboOfList(focus)) combo->hidePopup();
    form_->pressKey(bound);
    return true;
}

bool Window::eventFilter(QObject *watched, QEvent *event) {
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

void Window::watchFocus(QObject *watched, QEvent::Type type) {
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

bool Window::focusNextPrevChild(bool next) {
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

void Window::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program, exactly as End does, from any state.
    event->accept();
    dispatch([] { End(); });
}

} // namespace rt::qt
