#include "runtime/textbox.h"

namespace rt {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

void TextBox::setText(const QString &text) {
    if (text == QLineEdit::text()) return;
    QLineEdit::setText(text);
}

} // namespace rt
