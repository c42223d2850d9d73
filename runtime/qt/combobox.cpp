#include "runtime/qt/combobox.h"

#include <QLineEdit>

namespace rt::qt {

ComboBox::ComboBox(Control &control, QWidget *parent) : QComboBox(parent), ControlWidget(control) {
    setEditable(true);
    // Typed text stays text: it is not added to the list on Enter.
    setInsertPolicy(QComboBox::NoInsert);
    // No inline completion: "2" typed must stay 2, not become the entry "20".
    setCompleter(nullptr);
    for (const std::string &entry : control.entries())
        addItem(QString::fromStdString(entry));
    setCurrentIndex(-1);
    view(); // made now, so that the window watches its keys as well
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        Input typed(Input::Type::Text);
        typed.text = currentText().toStdString();
        report(typed);
    });
    connect(this, &QComboBox::activated, this,
            [this](int index) { report(Input(Input::Type::Choose, -1, index)); });
    introduce();
    // An editable combo box speaks through its edit field.
    lineEdit()->setAccessibleName(accessibleName());
    lineEdit()->setAccessibleDescription(accessibleDescription());
}

void ComboBox::showLook(const ControlLook &look) {
    const QString shown = QString::fromStdString(look.text);
    if (look.value >= 0) {
        if (currentIndex() != look.value) setCurrentIndex(look.value);
    } else if (currentText() != shown) {
        // A text of the program's own, or the pupil's: no entry. Dropping the entry empties
        // the field, and with it the cursor, which stays where the pupil typed.
        const int cursor = lineEdit()->cursorPosition();
        if (currentIndex() != -1) setCurrentIndex(-1);
        showText(*lineEdit(), shown, cursor);
    }
    showColours(*this, look);
}

} // namespace rt::qt
