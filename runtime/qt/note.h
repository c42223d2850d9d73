#pragma once

#include "runtime/core/formview.h"

#include <QPointer>

#include <span>
#include <string_view>

class QMessageBox;
class QWidget;

namespace rt::qt {

class Keyboard;

/// The small window a form shows beside it, such as its list of keys: it blocks nothing and
/// takes neither the focus nor a key from the lesson. One at a time; showing another replaces
/// what it says.
class Note {
public:
    /// Notes belong to `window` and pass their keys to `keyboard`; both must outlive the note.
    Note(QWidget &window, Keyboard &keyboard);
    Note(const Note &) = delete;
    Note &operator=(const Note &) = delete;

    void show(std::string_view title, std::span<const NoteRow> rows);
    /// Closes the note shown, if any.
    void close();

private:
    QWidget &window_;
    Keyboard &keyboard_;
    QPointer<QMessageBox> box_; // deletes itself when closed
};

} // namespace rt::qt
