#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/events.h"
#include "runtime/core/session.h"
#include "runtime/core/task.h"

using namespace design::inverse;

namespace {

// A delay text that cannot stand in the record (a page of pasted text) is kept as the pace it
// gives, so that the rest of the lesson is never lost with it.
lessonrecord::Options options(const ContainerLesson &lesson) {
    const std::string &delay = lesson.delay.Text();
    return {lesson.hint.Value() == 1, lesson.table.Value() == 1, lesson.graph.Value() == 1,
            lessonrecord::keepable(delay) ? delay : std::to_string(lesson.frameDelay())};
}

// Hint, 表 and グラフ as the record has them.
void setOptions(ContainerLesson &lesson, const lessonrecord::Options &o) {
    lesson.hint.setValue(o.hint ? 1 : 0);
    lesson.table.setValue(o.table ? 1 : 0);
    lesson.graph.setValue(o.graph ? 1 : 0);
}

// The lesson the program's argument names.
LessonId named(std::string_view name) {
    if (name == "inverse") return LessonId::Inverse;
    if (name == "constant") return LessonId::Constant;
    return LessonId::Proportion;
}

// The argument that names `lesson`: none for the first.
const char *argumentOf(LessonId lesson) {
    if (lesson == LessonId::Inverse) return "inverse";
    if (lesson == LessonId::Constant) return "constant";
    return "";
}

} // namespace

Lessons::Lessons(std::string_view first, std::string_view kept)
    : restoring_(lessonrecord::parse(kept)) {
    shown_ = &lesson(restoring_ ? restoring_->shown : named(first));
    for (ContainerLesson *l :
         {static_cast<ContainerLesson *>(&proportion_), static_cast<ContainerLesson *>(&inverse_),
          static_cast<ContainerLesson *>(&constant_)}) {
        l->switchLesson = [this](LessonId id) { show(lesson(id)); };
        l->stateChanged = [this] { keep(); };
    }
}

ContainerLesson &Lessons::lesson(LessonId id) {
    if (id == LessonId::Inverse) return inverse_;
    if (id == LessonId::Constant) return constant_;
    return proportion_;
}

LessonId Lessons::shownId() const {
    if (shown_ == &inverse_) return LessonId::Inverse;
    if (shown_ == &constant_) return LessonId::Constant;
    return LessonId::Proportion;
}

Lessons::~Lessons() {
    rt::abandonTasks();
}

void Lessons::load() {
    rt::dispatch([this] { proportion_.load(); });
    rt::dispatch([this] { inverse_.load(); });
    rt::dispatch([this] { constant_.load(); });
    if (restoring_) {
        rt::dispatch([this] { restore(*restoring_); });
        restoring_.reset();
        // The address follows the lesson brought back.
        rt::setArgument("lesson", argumentOf(shownId()));
    }
    keeping_ = true;
    keep();
}

void Lessons::show(LessonId id) {
    show(lesson(id));
}

void Lessons::show(rt::Form &form) {
    if (shown_ == &form) return;
    shown_ = &form;
    // The address follows, so that a bookmark opens the lesson shown.
    rt::setArgument("lesson", argumentOf(shownId()));
    rt::showForm(form);
    keep();
}

lessonrecord::Record Lessons::record() const {
    lessonrecord::Record r;
    r.shown = shownId();
    r.proportion.progress = proportion_.progress;
    r.proportion.options = options(proportion_);
    r.inverse.rate = inverse_.rate;
    r.inverse.minutes = inverse_.minutes;
    r.inverse.recorded = inverse_.recorded;
    r.inverse.options = options(inverse_);
    r.constant.rate = constant_.rate;
    r.constant.minute = constant_.minute;
    r.constant.from = constant_.reachedFrom;
    r.constant.to = constant_.reachedTo;
    r.constant.lines = constant_.lines;
    r.constant.options = options(constant_);
    return r;
}

void Lessons::keep() {
    if (keeping_ && rt::keeping()) rt::keep(lessonrecord::compose(record()));
}

// The lessons' own steps and fills draw the state again, with no pause between frames: a pause
// of 0 goes straight on, so the replay runs to its end before anything is shown.
// The pupil's delay goes back last.
void Lessons::restore(const lessonrecord::Record &r) {
    ProportionLesson &p = proportion_;
    p.delay.setText("0");
    setOptions(p, r.proportion.options);
    for (int k = 0; k < r.proportion.progress / 2 && p.progress < r.proportion.progress; ++k)
        rt::start(p.stepForward());
    p.delay.setText(r.proportion.options.delay);
    restoreInverse(r.inverse);
    restoreConstant(r.constant);
}

void Lessons::restoreInverse(const lessonrecord::Inverse &r) {
    InverseLesson &f = inverse_;
    f.delay.setText("0");
    setOptions(f, r.options);
    // Every full container in the table, the chosen rate's last: a fill starts from empty.
    for (rt::Integer k = 0; k < RateCount; ++k) {
        if (!r.recorded[std::size_t(k)] || Rates[k] == r.rate) continue;
        f.chooseRate(k);
        rt::start(f.fill(Capacity / Rates[k]));
    }
    const auto chosen = rt::Integer(index(r.rate));
    f.chooseRate(chosen);
    const int full = Capacity / r.rate;
    if (r.recorded[std::size_t(chosen)]) rt::start(f.fill(full));
    if (r.minutes < full && (r.minutes > 0 || r.recorded[std::size_t(chosen)]))
        rt::start(f.fill(r.minutes));
    f.delay.setText(r.options.delay);
}

// Each line drawn by showing every minute of its rate; then the chosen rate from now, the
// minutes reached, and the minute shown.
void Lessons::restoreConstant(const lessonrecord::Constant &r) {
    namespace constant = layout::constant;
    ConstantLesson &c = constant_;
    c.delay.setText("0");
    setOptions(c, r.options);
    // A step at rest always moves: the guards only keep a fault from looping.
    const auto to = [&c](int minute) {
        for (int k = 0; k < constant::Columns && c.minute > minute; ++k)
            rt::start(c.stepBack());
        for (int k = 0; k < constant::Columns && c.minute < minute; ++k)
            rt::start(c.stepForward());
    };
    for (rt::Integer k = 0; k < constant::RateCount; ++k) {
        if (!r.lines[std::size_t(k)]) continue;
        c.chooseRate(k);
        to(constant::MinMinute);
        to(constant::MaxMinute);
    }
    // Choosing the rate shown returns to now; a rate chosen already is chosen anew.
    const auto chosen = rt::Integer(constant::index(r.rate));
    if (c.rate == r.rate) c.chooseRate(chosen == 0 ? 1 : 0);
    c.chooseRate(chosen);
    to(r.from);
    to(r.to);
    to(r.minute);
    c.delay.setText(r.options.delay);
}
