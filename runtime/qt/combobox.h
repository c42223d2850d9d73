#pragma once

#include <QComboBox>

namespace rt::qt {

/// An editable drop-down combo box: the user picks an entry or types any text.
class ComboBox : public QComboBox {
public:
    explicit ComboBox(QWidget *parent = nullptr);

    /// The text in the edit field.
    QString Text() const { return currentText(); }
    void setText(const QString &text);
};

} // namespace rt::qt
