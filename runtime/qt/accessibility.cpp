#include "runtime/qt/accessibility.h"

#include "runtime/qt/combobox.h"
#include "runtime/qt/comboboxaccessible.h"
#include "runtime/qt/commandbutton.h"
#include "runtime/qt/window.h"

#include <QAccessibleWidget>

namespace rt::qt {

namespace {

// A toggle button: checkable, and checked while the program has it pressed. Qt's own button
// would offer a toggle action that flips the state behind the program's back; this one is
// only pressed, as a click would.
class ToggleButtonAccessible : public QAccessibleWidget {
public:
    explicit ToggleButtonAccessible(CommandButton *button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? button()->text() : text;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->isChecked();
        s.pressed = button()->isDown();
        return s;
    }
    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (button()->isEnabled()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override {
        if (action != pressAction()) return QAccessibleWidget::doAction(action);
        if (button()->isEnabled()) button()->click();
    }

private:
    CommandButton *button() const { return static_cast<CommandButton *>(widget()); }
};

QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *window = qobject_cast<Window *>(object); window && window->isWindow())
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *combo = qobject_cast<ComboBox *>(object)) return new ComboBoxAccessible(combo);
    if (auto *button = qobject_cast<CommandButton *>(object); button && button->isCheckable())
        return new ToggleButtonAccessible(button);
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(installed);
}

} // namespace rt::qt
