#pragma once

#include "app/lessons.h"
#include "runtime/qt/window.h"
#include "settlingclock.h"

#include <QString>

#include <memory>
#include <string_view>

class QSettings;

/// The lesson's window after start-up, shown, as the program starts it, with the unit's other
/// lesson loaded beside it.
class Lesson {
public:
    Lesson();
    /// The program's start-up: the lesson `first` names (as --lesson= does), in a window that
    /// takes on the place kept in `settings` and keeps its place there.
    Lesson(std::string_view first, std::unique_ptr<QSettings> settings);
    ~Lesson();
    Lesson(const Lesson &) = delete;
    Lesson &operator=(const Lesson &) = delete;

    ProportionLesson &form() { return lessons_.proportion(); }
    ProportionLesson *operator->() { return &form(); }
    /// The desktop window that shows the lesson.
    rt::qt::Window &window() { return window_; }
    /// Both lessons and their switch.
    Lessons &lessons() { return lessons_; }
    InverseLesson &inverse() { return lessons_.inverse(); }
    /// The window, switched to the other lesson as its button would.
    rt::qt::Window &inverseWindow();
    /// The window, switched back to the first lesson.
    rt::qt::Window &proportionWindow();

    /// A real mouse click on `button` (a no-op when it is disabled, as for a pupil).
    static void click(QWidget &button);
    /// A real mouse click on the widget that shows `control`.
    static void click(rt::Control &control);

    /// Types `text` over the whole text of a box, as a pupil does: a click into it, Ctrl+A,
    /// then the keys.
    static void typeInto(rt::Control &box, const QString &text);

    /// The widget that shows `control` in its window.
    static QWidget &widget(rt::Control &control);
    /// The text the pupil reads in the box that shows `control`: a text box or a combo box's
    /// edit field.
    static QString shownText(rt::Control &control);

    /// Run-time errors reported since the lesson started. A test that does not look at them
    /// fails at its end on any reported after its last look: no key or click of a test may
    /// raise one unseen.
    const QStringList &errors() const {
        errorsSeen_ = errors_.size();
        return errors_;
    }

private:
    SettlingClock settling_; // outlives the lessons' tasks
    Lessons lessons_;
    rt::qt::Window window_{lessons_.shown()};
    QStringList errors_;
    mutable qsizetype errorsSeen_ = 0;
};

/// Button states: 自動, 停止, 進む, 戻る, 初期画面.
QString buttonStates(ProportionLesson &form);

/// What at rest does not fit minute progress / 2: progress itself, the water layers, the
/// stream (0 or 1 px) and the buttons. Empty when all fits.
QString restProblem(ProportionLesson &form);

/// UTF-8 text of the lesson as a QString, for comparisons and messages.
inline QString qs(const std::string &s) {
    return QString::fromStdString(s);
}
