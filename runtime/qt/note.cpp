#include "runtime/qt/note.h"

#include "runtime/core/words.h"
#include "runtime/qt/keyboard.h"

#include <QMessageBox>

namespace rt::qt {

namespace {

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

Note::Note(QWidget &window, Keyboard &keyboard) : window_(window), keyboard_(keyboard) {}

void Note::show(std::string_view titleText, std::span<const NoteRow> rows) {
    const QString title = text(titleText);
    QString table = QStringLiteral("<table cellspacing=\"6\">");
    for (const NoteRow &row : rows)
        table += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                     .arg(text(row.keys).toHtmlEscaped(), text(row.does).toHtmlEscaped());
    table += QStringLiteral("</table>");
    if (!box_) {
        box_ = new QMessageBox(QMessageBox::NoIcon, title, table, QMessageBox::NoButton, &window_);
        box_->addButton(text(words::Close), QMessageBox::RejectRole);
        box_->setAttribute(Qt::WA_DeleteOnClose);
        box_->setWindowModality(Qt::NonModal);
        // The lesson keeps the keys: the note neither takes the focus nor holds a key.
        box_->setAttribute(Qt::WA_ShowWithoutActivating);
        keyboard_.watch(*box_);
    }
    box_->setWindowTitle(title);
    box_->setText(table);
    box_->show();
    box_->raise();
}

void Note::close() {
    if (box_) box_->close(); // and deletes itself
    box_.clear();
}

} // namespace rt::qt
