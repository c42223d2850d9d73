#pragma once

#include "app/lessonrecord.h"
#include "lessons/inverse/inverselesson.h"
#include "lessons/proportion/proportionlesson.h"

#include <optional>
#include <string_view>

/// Both lessons of the unit in the program's one window: the first on proportion, the second
/// on inverse proportion. Each keeps its state while the other is shown; the button and F2
/// of each switch to the other, at rest only, as their enabled state has it.
///
/// Both keep their state for the session (rt::keep) at every whole minute and every change of
/// an option, so that a reloaded page comes back to them as they were.
class Lessons {
public:
    /// `first` names the lesson shown first: "inverse" for the second, anything else for the
    /// first. A valid `kept` record (what rt::kept() held at start-up) overrides it and is
    /// restored by load(); anything else in it is ignored.
    explicit Lessons(std::string_view first = {}, std::string_view kept = {});
    /// Drops the lessons' waiting tasks before the lessons go.
    ~Lessons();
    Lessons(const Lessons &) = delete;
    Lessons &operator=(const Lessons &) = delete;

    ProportionLesson &proportion() { return proportion_; }
    InverseLesson &inverse() { return inverse_; }
    /// The lesson shown now.
    rt::Form &shown() const { return *shown_; }

    /// Loads both lessons, brings back the kept record if there was a valid one, and
    /// keeps the state from then on.
    void load();
    /// Shows `form`, one of the two.
    void show(rt::Form &form);
    /// Shows `lesson`.
    void show(LessonId lesson);

    /// The state of both lessons as the record keeps it; meaningful at rest.
    lessonrecord::Record record() const;

private:
    void restore(const lessonrecord::Record &record);
    void keep();

    ProportionLesson proportion_;
    InverseLesson inverse_;
    rt::Form *shown_;
    std::optional<lessonrecord::Record> restoring_;
    bool keeping_ = false;
};
