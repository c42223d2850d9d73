#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace rt::qt {

/// What a screen reader learns of an editable combo box: its name says what it is (Qt's own
/// interface names it by its text on Linux), its value is the text, and it opens its list.
class ComboBoxAccessible : public QAccessibleWidget {
public:
    explicit ComboBoxAccessible(QComboBox *combo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &action) override;

private:
    QComboBox *combo() const;
};

} // namespace rt::qt
