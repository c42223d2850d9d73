#include "runtime/combobox.h"

#include <QLineEdit>

namespace rt {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(true);
    // Typed text stays text: it is not added to the list on Enter.
    setInsertPolicy(QComboBox::NoInsert);
}

void ComboBox::setText(const QString &text) {
    if (text == currentText()) return;
    setCurrentIndex(-1);
    lineEdit()->setText(text);
}

} // namespace rt
