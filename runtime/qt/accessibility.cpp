#include "runtime/qt/accessibility.h"

#include "runtime/qt/combobox.h"
#include "runtime/qt/comboboxaccessible.h"
#include "runtime/qt/window.h"

#include <QAccessibleWidget>

namespace rt::qt {

namespace {

QAccessibleInterface *accessibleFactory(const QString &, QObject *object) {
    if (auto *window = qobject_cast<Window *>(object); window && window->isWindow())
        return new QAccessibleWidget(window, QAccessible::Window);
    if (auto *combo = qobject_cast<ComboBox *>(object)) return new ComboBoxAccessible(combo);
    return nullptr;
}

} // namespace

void installAccessibility() {
    static const bool installed = (QAccessible::installFactory(accessibleFactory), true);
    Q_UNUSED(installed);
}

} // namespace rt::qt
