#include "runtime/qt/combobox.h"

#include <QLineEdit>

namespace rt::qt {

ComboBox::ComboBox(QWidget *parent) : QComboBox(parent) {
    setEditable(true);
    // Typed text stays text: it is not added to the list on Enter.
    setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: "2" typed must stay 2, not become the entry "20".
    setCompleter(nullptr);
}

void ComboBox::setText(const QString &text) {
    if (text == currentText()) return;
    setCurrentIndex(-1);
    lineEdit()->setText(text);
}

} // namespace rt::qt
