#include "runtime/qt/controlwidget.h"

#include "runtime/core/form.h"
#include "runtime/qt/checkbox.h"
#include "runtime/qt/colours.h"
#include "runtime/qt/combobox.h"
#include "runtime/qt/commandbutton.h"
#include "runtime/qt/fonts.h"
#include "runtime/qt/textbox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include <array>

namespace rt::qt {

namespace {

template <typename W> ControlWidget &create(Control &control, QWidget *parent) {
    return *new W(control, parent);
}

// Indexed by ControlKind, whose windowed kinds come first.
constexpr std::array<ControlWidget &(*)(Control &, QWidget *), WindowedKindCount> Makers = {
    create<CommandButton>, create<CheckBox>, create<TextBox>, create<ComboBox>};

QString text(const std::string &s) {
    return QString::fromStdString(s);
}

} // namespace

ControlWidget::ControlWidget(Control &control) : control_(&control) {}

ControlWidget &ControlWidget::make(Control &control, QWidget *parent) {
    return Makers.at(static_cast<std::size_t>(control.kind()))(control, parent);
}

void ControlWidget::introduce() {
    QWidget &w = widget();
    const Control &c = *control_;
    w.setObjectName(c.Index() < 0 ? text(c.Name())
                                  : QStringLiteral("%1_%2").arg(text(c.Name())).arg(c.Index()));
    w.setFocusPolicy(Qt::StrongFocus);
    if (!c.accessibleName().empty()) w.setAccessibleName(text(c.accessibleName()));
    if (!c.description().empty()) w.setAccessibleDescription(text(c.description()));
    render();
}

void ControlWidget::render() {
    if (retired_) return;
    const ControlLook look = control_->look();
    QWidget &w = widget();
    showLook(look);
    if (w.isEnabled() != look.enabled) w.setEnabled(look.enabled);
    if (w.isHidden() == look.visible) w.setVisible(look.visible);
}

void ControlWidget::retire() {
    retired_ = true;
    QWidget &w = widget();
    if (auto *combo = qobject_cast<QComboBox *>(&w)) combo->hidePopup();
    w.hide();
    w.deleteLater();
}

void ControlWidget::place(const QRect &box, double scale) {
    QWidget &w = widget();
    w.setGeometry(box);
    w.setFont(toQFont(control_->font(), scale));
}

void ControlWidget::showText(QLineEdit &edit, const QString &text) {
    showText(edit, text, edit.cursorPosition());
}

void ControlWidget::showText(QLineEdit &edit, const QString &text, int cursor) {
    if (edit.text() == text) return;
    edit.setText(text);
    if (edit.hasFocus()) edit.setCursorPosition(std::min(cursor, int(text.size())));
}

void ControlWidget::showColours(QWidget &box, const ControlLook &look) {
    QPalette pal = box.palette();
    const QColor back = toQColor(look.back), fore = toQColor(look.fore);
    if (pal.color(QPalette::Base) == back && pal.color(QPalette::Text) == fore) return;
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, fore);
    box.setPalette(pal);
}

void ControlWidget::report(Input input) {
    if (retired_) return;
    input.control = control_->handle();
    control_->form().input(input);
    render();
}

} // namespace rt::qt
