#pragma once

#include <QLineEdit>

namespace rt {

/// A single-line text box the user can type into.
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget *parent = nullptr);

    /// The text shown.
    QString Text() const { return text(); }
    void setText(const QString &text);
};

} // namespace rt
