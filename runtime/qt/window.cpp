#include "runtime/qt/window.h"

#include "runtime/core/controlmetrics.h"
#include "runtime/core/events.h"
#include "runtime/core/words.h"
#include "runtime/qt/accessibility.h"
#include "runtime/qt/colours.h"
#include "runtime/qt/desktophost.h"
#include "runtime/qt/focusring.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/keyboard.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QWindow>

#include <cmath>

namespace rt::qt {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRectF toQRectF(const RectF &r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

QSizeF clientOf(const Form &form) {
    return QSizeF(form.clientSize().width, form.clientSize().height);
}

} // namespace

Window::Window(Form &form, QWidget *parent)
    : QWidget(parent), form_(&form), placement_(*this), keyboard_(new Keyboard(*this)),
      note_(*this, *keyboard_) {
    installAccessibility();
    setAttribute(Qt::WA_OpaquePaintEvent);
    DesktopHost::install(this);
    // A click on the board gives it the focus, where every key reaches the lesson.
    setFocusPolicy(Qt::ClickFocus);
    ring_ = new FocusRing(this);
    keyboard_->watch(*this);
    adopt();
}

void Window::adopt() {
    Form &form = *form_;
    const FormDef &def = form.definition();
    installFontSubstitutes(text(def.fontFamily));
    setObjectName(text(def.name));
    setWindowTitle(text(form.Caption()));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(form.BackColor()));
    setPalette(pal);

    for (const auto &control : form.controls()) {
        ControlWidget &w = ControlWidget::make(*control, this);
        widgets_.push_back(&w);
        keyboard_->watch(w.widget());
        // The ring follows its control when the zoom moves it.
        w.widget().installEventFilter(this);
    }
    for (std::size_t i = 1; i < widgets_.size(); ++i)
        setTabOrder(&widgets_[i - 1]->widget(), &widgets_[i]->widget());
    setAccessibleName(windowTitle());
    form.setView(this);
    applyGeometry();
}

void Window::setForm(Form &next) {
    if (&next == form_) return;
    placement_.rememberFrame();
    {
        const QScopedValueRollback<bool> guard(switching_, true);
        // Nothing the window showed of the old form stays: its note, its ring, its widgets
        // (the board holds the focus meanwhile, so that none of them passes it on).
        note_.close();
        ring_->surround(nullptr, 0);
        if (hasFocus() || isAncestorOf(focusWidget())) setFocus(Qt::OtherFocusReason);
        for (ControlWidget *w : widgets_) {
            w->widget().removeEventFilter(this);
            keyboard_->unwatch(w->widget());
            w->retire();
        }
        widgets_.clear();
        form_->setView(nullptr);
        form_ = &next;
        board_ = BoardPainter();
        adopt();
    }
    update();
    statusChanged();
    // Before the window first shows, showing it takes the start focus.
    if (shownOnce_) form_->showing();
    focusChanged();
}

Window::~Window() {
    placement_.save();
    DesktopHost::uninstall(this);
    form_->setView(nullptr);
}

QWidget *Window::widget(const Control &control) const {
    const int handle = control.handle();
    if (&control.form() != form_ || handle < 0 || handle >= int(widgets_.size())) return nullptr;
    return &widgets_[std::size_t(handle)]->widget();
}

ControlWidget *Window::controlWidgetOf(const QWidget *w) const {
    for (ControlWidget *shown : widgets_) {
        QWidget &widget = shown->widget();
        if (&widget == w || (w && widget.isAncestorOf(w))) return shown;
        // A combo box's list is a window of its own.
        if (auto *combo = qobject_cast<QComboBox *>(&widget);
            combo && w && (w == combo->view() || combo->view()->isAncestorOf(w)))
            return shown;
    }
    return nullptr;
}

void Window::controlChanged(Control &control) {
    if (QWidget *w = widget(control)) {
        widgets_[std::size_t(control.handle())]->render();
        if (w == ring_->target()) updateFocusRing();
    }
}

void Window::focusChanged() {
    const Control *focus = form_->focus();
    ControlWidget *target = focus ? widgets_[std::size_t(focus->handle())] : nullptr;
    ControlWidget *current = controlWidgetOf(focusWidget());
    if (current != target || (!target && focusWidget() != this)) {
        if (current)
            if (auto *combo = qobject_cast<QComboBox *>(&current->widget())) combo->hidePopup();
        // Before the window first shows, the focus is the widget's once it shows.
        (target ? target->widget() : static_cast<QWidget &>(*this)).setFocus(Qt::OtherFocusReason);
    }
    updateFocusRing();
}

void Window::sizeChanged() {
    placement_.rememberFrame();
    applyGeometry();
}

void Window::setZoom(double zoom) {
    if (!placement_.choose(clientOf(*form_), zoom)) return;
    applyGeometry();
    placement_.save();
}

void Window::zoomBy(int direction) {
    setZoom(zoom::step(zoom(), direction));
}

void Window::toggleFullScreen() {
    placement_.toggleFullScreen();
}

Place Window::place() const {
    return placement_.place();
}

void Window::rememberPlaceIn(std::unique_ptr<QSettings> settings) {
    placement_.keepIn(std::move(settings), clientOf(*form_));
    applyGeometry();
}

void Window::applyGeometry() {
    const zoom::Fit fit = placement_.fit(clientOf(*form_));
    if (fit.scale != scale_ || fit.offset != offset_) {
        scale_ = fit.scale;
        offset_ = fit.offset;
        update();
    }
    for (ControlWidget *w : widgets_)
        w->place(toWidget(toQRectF(w->control().box())).toRect(), scale_);
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
    board_.paint(*form_, painter, dpr, scale_,
                 Rect{device.x(), device.y(), device.width(), device.height()});
}

QImage Window::boardPicture(qreal dpr) const {
    const SizeF client = form_->clientSize();
    QImage image(QSize(int(std::lround(client.width * dpr)), int(std::lround(client.height * dpr))),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter painter(&image);
    board_.paint(*form_, painter, dpr, 1.0, Rect{0, 0, image.width(), image.height()});
    return image;
}

TextMetrics Window::measure(const FontSpec &font, std::string_view s) const {
    const QFontMetricsF metrics(toQFont(font));
    return {metrics.horizontalAdvance(text(s)), metrics.ascent(), metrics.height()};
}

void Window::updateFocusRing() {
    const Control *focus = form_->focus();
    QWidget *target = focus ? widget(*focus) : nullptr;
    ring_->surround(target && target->isVisible() ? target : nullptr,
                    int(std::lround(metrics::FocusRing * zoom())));
}

bool Window::eventFilter(QObject *watched, QEvent *event) {
    if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        watched == ring_->target())
        updateFocusRing();
    return QWidget::eventFilter(watched, event);
}

void Window::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // On another screen the window fits that screen.
    connect(windowHandle(), &QWindow::screenChanged, this, [this] {
        placement_.rememberFrame();
        applyGeometry();
        placement_.save();
    });
    form_->showing();
    focusChanged();
}

void Window::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    // Full screen follows whatever size the window system gives.
    if (isFullScreen()) applyGeometry();
}

void Window::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    applyGeometry();
    placement_.save();
}

void Window::statusChanged() {
    const QString status = text(form_->statusText());
    if (accessibleDescription() == status) return;
    setAccessibleDescription(status); // sends the change to assistive technology
}

void Window::showNote(std::string_view title, std::span<const NoteRow> rows) {
    note_.show(title, rows);
}

void Window::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program, exactly as End does, from any state.
    event->accept();
    placement_.save();
    dispatch([] { End(); });
}

} // namespace rt::qt
