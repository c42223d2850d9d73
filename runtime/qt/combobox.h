#pragma once

#include "runtime/qt/controlwidget.h"

#include <QComboBox>

namespace rt::qt {

/// An editable drop-down combo box: the user picks an entry or types any text.
class ComboBox : public QComboBox, public ControlWidget {
    Q_OBJECT

public:
    ComboBox(Control &control, QWidget *parent);

    QWidget &widget() override { return *this; }

protected:
    void showLook(const ControlLook &look) override;
};

} // namespace rt::qt
