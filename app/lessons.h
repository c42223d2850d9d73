#pragma once

#include "app/lessonrecord.h"
#include "lessons/constant/constantlesson.h"
#include "lessons/inverse/inverselesson.h"
#include "lessons/proportion/proportionlesson.h"

#include <optional>
#include <string_view>

/// The unit's three lessons in the program's one window: proportion at 5 L a minute, inverse
/// proportion, and proportion at any rate before and after now. Each keeps its state while
/// another is shown; its two buttons switch to the others and F2 to the next in turn, at rest
/// only, as their enabled state has it.
///
/// All keep their state for the session (rt::keep) at every whole minute and every change of
/// an option, so that a reloaded page comes back to them as they were.
class Lessons {
public:
    /// `first` names the lesson shown first: "inverse" for the second, "constant" for the
    /// third, anything else for the first. A valid `kept` record (what rt::kept() held at start-up)
    /// overrides it and is restored by load(); anything else in it is ignored.
    explicit Lessons(std::string_view first = {}, std::string_view kept = {});
    /// Drops the lessons' waiting tasks before the lessons go.
    ~Lessons();
    Lessons(const Lessons &) = delete;
    Lessons &operator=(const Lessons &) = delete;

    ProportionLesson &proportion() { return proportion_; }
    InverseLesson &inverse() { return inverse_; }
    ConstantLesson &constant() { return constant_; }
    /// The lesson shown now.
    rt::Form &shown() const { return *shown_; }

    /// Loads the lessons, brings back the kept record if there was a valid one, and
    /// keeps the state from then on.
    void load();
    /// Shows `form`, one of the three.
    void show(rt::Form &form);
    /// Shows `lesson`.
    void show(LessonId lesson);

    /// The state of the lessons as the record keeps it; meaningful at rest.
    lessonrecord::Record record() const;

private:
    void restore(const lessonrecord::Record &record);
    void restoreInverse(const lessonrecord::Inverse &record);
    void restoreConstant(const lessonrecord::Constant &record);
    void keep();
    ContainerLesson &lesson(LessonId id);
    LessonId shownId() const;

    ProportionLesson proportion_;
    InverseLesson inverse_;
    ConstantLesson constant_;
    rt::Form *shown_;
    std::optional<lessonrecord::Record> restoring_;
    bool keeping_ = false;
};
