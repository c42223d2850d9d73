#pragma once

#include <QLineEdit>

namespace rt {

/// A single-line text box the user can type into, with a sunken two-pixel border drawn the
/// same under every style (and cheaply: the time box is rewritten on every animation frame).
class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget *parent = nullptr);

    /// The text shown.
    QString Text() const { return text(); }
    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace rt
