#include "runtime/form.h"

#include "runtime/checkbox.h"
#include "runtime/colours.h"
#include "runtime/combobox.h"
#include "runtime/commandbutton.h"
#include "runtime/events.h"
#include "runtime/fonts.h"
#include "runtime/label.h"
#include "runtime/line.h"
#include "runtime/shape.h"
#include "runtime/textbox.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rt {

namespace {

// Outer height minus client height, in pixels: title bar and borders of the design.
constexpr int FramePixels = 25;

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

constexpr float px(int twips) {
    return static_cast<float>(twips) / TwipsPerPixel;
}

} // namespace

Form::Form(const FormDef &def, QWidget *parent)
    : QWidget(parent), family_(text(def.fontFamily)), font_(def.font), back_(def.back),
      fore_(def.fore), fontSize_(def.font.points), clientWidthTwips_(def.clientWidthTwips),
      heightTwips_(def.clientHeightTwips + FramePixels * TwipsPerPixel) {
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
        bindKey(k.key, [button] {
            if (button->isEnabled() && button->isVisible()) button->click();
        });
    }
    // Keys reach the focused control first: watch them all.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    setAccessibleName(windowTitle());
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
        widgets_.push_back({name, def.index, w, box, font, def.tabIndex});
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
        stacking_.push_back(shape.get());
        graphics_.push_back(std::move(shape));
        break;
    }
    }
}

void Form::setHeight(int twips) {
    if (heightTwips_ == twips) return;
    heightTwips_ = twips;
    applyGeometry();
}

QSizeF Form::clientSize() const {
    const double height =
        std::max(0L, std::lround(double(heightTwips_) / TwipsPerPixel) - long(FramePixels));
    return QSizeF(double(clientWidthTwips_) / TwipsPerPixel, height);
}

void Form::setZoom(double zoom) {
    if (zoom_ == zoom || zoom <= 0) return;
    zoom_ = zoom;
    applyGeometry();
    update();
}

void Form::applyGeometry() {
    const QSizeF client = clientSize();
    setFixedSize(int(std::lround(client.width() * zoom_)),
                 int(std::lround(client.height() * zoom_)));
    for (const WindowedControl &w : widgets_) {
        w.widget->setGeometry(toWidget(w.box).toRect());
        w.widget->setFont(makeFont(family_, w.font.points, w.font.bold, zoom_));
    }
}

QRectF Form::toWidget(const QRectF &area) const {
    return QRectF(area.x() * zoom_, area.y() * zoom_, area.width() * zoom_, area.height() * zoom_);
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
        QStaticText layout(text);
        layout.setTextFormat(Qt::PlainText);
        layout.setPerformanceHint(QStaticText::AggressiveCaching);
        printed_.push_back({text, layout, at, fontSize_, fore_, bounds});
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
    if (ratio == 1.0) {
        update(pixels);
        return;
    }
    QRegion widgetPixels;
    for (const QRect &r : pixels)
        widgetPixels += QRectF(r.x() / ratio, r.y() / ratio, r.width() / ratio, r.height() / ratio)
                            .toAlignedRect();
    update(widgetPixels);
}

void Form::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRegion exposed = event->region();
    const QColor board = toQColor(back_);
    for (const QRect &r : exposed)
        painter.fillRect(r, board);
    painter.scale(zoom_, zoom_);
    // What needs painting, in form pixels; items outside it are skipped.
    auto needed = [&](const QRectF &designArea) {
        return exposed.intersects(toWidget(designArea).toAlignedRect());
    };

    // Printed text lies beneath everything else.
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const PrintedText &p : printed_) {
        if (!needed(p.bounds)) continue;
        const QFont font = printFont(p.points);
        painter.setFont(font);
        painter.setPen(toQColor(p.colour));
        painter.drawStaticText(p.position, p.layout);
    }

    painter.setRenderHint(QPainter::Antialiasing, false);
    // Zoom and device pixel ratio together, also when rendered into a high-density image.
    const qreal deviceScale = painter.deviceTransform().m11();
    for (const Graphic *g : stacking_) {
        if (g->Visible() && needed(g->bounds())) g->paint(painter, deviceScale);
    }
}

void Form::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    // The focus starts on the first control in the tab order that can take it.
    for (const WindowedControl &w : widgets_) {
        if (w.widget->isEnabled() && w.widget->isVisible()) {
            w.widget->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void Form::bindKey(int key, std::function<void()> action) {
    keys_[key] = std::move(action);
}

void Form::setStatusText(const QString &text) {
    if (accessibleDescription() == text) return;
    setAccessibleDescription(text); // sends the change to assistive technology
}

void Form::showNote(const QString &title, const QString &text) {
    auto *note = new QMessageBox(QMessageBox::NoIcon, title, text, QMessageBox::Close, this);
    note->setAttribute(Qt::WA_DeleteOnClose);
    note->setWindowModality(Qt::NonModal);
    note->show();
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

bool Form::editsText(const QObject *focus, const QKeyEvent &key) {
    const bool textBox =
        qobject_cast<const QLineEdit *>(focus) || qobject_cast<const QComboBox *>(focus);
    if (!textBox) return false;
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

bool Form::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (zoomKey(key)) return true;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const auto binding = keys_.find(key.key());
    if (binding == keys_.end() || editsText(focusWidget(), key)) return false;
    dispatch(binding->second);
    return true;
}

void Form::closeEvent(QCloseEvent *event) {
    // Closing the window ends the program, exactly as End does, from any state.
    event->accept();
    dispatch([] { End(); });
}

} // namespace rt
