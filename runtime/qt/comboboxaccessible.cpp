#include "runtime/qt/comboboxaccessible.h"

#include <QComboBox>

namespace rt::qt {

ComboBoxAccessible::ComboBoxAccessible(QComboBox *combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

QComboBox *ComboBoxAccessible::combo() const {
    return static_cast<QComboBox *>(widget());
}

QString ComboBoxAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return combo()->currentText();
    return QAccessibleWidget::text(t);
}

QAccessible::State ComboBoxAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = combo()->isEditable();
    s.expandable = true;
    s.expanded = combo()->view()->isVisible();
    return s;
}

QStringList ComboBoxAccessible::actionNames() const {
    return QAccessibleWidget::actionNames() << showMenuAction();
}

void ComboBoxAccessible::doAction(const QString &action) {
    if (action == showMenuAction())
        combo()->showPopup();
    else
        QAccessibleWidget::doAction(action);
}

} // namespace rt::qt
