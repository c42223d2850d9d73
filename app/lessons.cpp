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

} // namespace

Lessons::Lessons(std::string_view first, std::string_view kept)
    : shown_(first == "inverse" ? static_cast<rt::Form *>(&inverse_) : &proportion_),
      restoring_(lessonrecord::parse(kept)) {
    if (restoring_)
        shown_ = restoring_->inverseShown ? static_cast<rt::Form *>(&inverse_) : &proportion_;
    proportion_.switchLesson = [this](LessonId lesson) { show(lesson); };
    inverse_.switchLesson = [this](LessonId lesson) { show(lesson); };
    proportion_.stateChanged = [this] { keep(); };
    inverse_.stateChanged = [this] { keep(); };
}

Lessons::~Lessons() {
    rt::abandonTasks();
}

void Lessons::load() {
    rt::dispatch([this] { proportion_.load(); });
    rt::dispatch([this] { inverse_.load(); });
    if (restoring_) {
        rt::dispatch([this] { restore(*restoring_); });
        restoring_.reset();
        // The address follows the lesson brought back.
        rt::setArgument("lesson", shown_ == &inverse_ ? "inverse" : "");
    }
    keeping_ = true;
    keep();
}

void Lessons::show(LessonId lesson) {
    if (lesson == LessonId::Proportion) show(proportion_);
    if (lesson == LessonId::Inverse) show(inverse_);
}

void Lessons::show(rt::Form &form) {
    if (shown_ == &form) return;
    shown_ = &form;
    // The address follows, so that a bookmark opens the lesson shown.
    rt::setArgument("lesson", shown_ == &inverse_ ? "inverse" : "");
    rt::showForm(form);
    keep();
}

lessonrecord::Record Lessons::record() const {
    lessonrecord::Record r;
    r.inverseShown = shown_ == &inverse_;
    r.proportion.progress = proportion_.progress;
    r.proportion.options = options(proportion_);
    r.inverse.rate = inverse_.rate;
    r.inverse.minutes = inverse_.minutes;
    r.inverse.recorded = inverse_.recorded;
    r.inverse.options = options(inverse_);
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

    InverseLesson &f = inverse_;
    f.delay.setText("0");
    setOptions(f, r.inverse.options);
    // Every full container in the table, the chosen rate's last: a fill starts from empty.
    for (rt::Integer k = 0; k < RateCount; ++k) {
        if (!r.inverse.recorded[std::size_t(k)] || Rates[k] == r.inverse.rate) continue;
        f.chooseRate(k);
        rt::start(f.fill(Capacity / Rates[k]));
    }
    const auto chosen = rt::Integer(index(r.inverse.rate));
    f.chooseRate(chosen);
    const int full = Capacity / r.inverse.rate;
    if (r.inverse.recorded[std::size_t(chosen)]) rt::start(f.fill(full));
    if (r.inverse.minutes < full &&
        (r.inverse.minutes > 0 || r.inverse.recorded[std::size_t(chosen)]))
        rt::start(f.fill(r.inverse.minutes));
    f.delay.setText(r.inverse.options.delay);
}
