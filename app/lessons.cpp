#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/events.h"
#include "runtime/core/session.h"
#include "runtime/core/task.h"

using namespace design::inverse;

namespace {

// A delay text that cannot stand in the record (a page of pasted text) is kept as the pace it
// gives, so that the rest of the lesson is never lost with it.
lessonrecord::Options options(const rt::CheckBox &hint, const rt::CheckBox &table,
                              const rt::CheckBox &graph, const rt::ComboBox &delay, rt::Long pace) {
    return {hint.Value() == 1, table.Value() == 1, graph.Value() == 1,
            lessonrecord::keepable(delay.Text()) ? delay.Text() : std::to_string(pace)};
}

} // namespace

Lessons::Lessons(std::string_view first, std::string_view kept)
    : shown_(first == "inverse" ? static_cast<rt::Form *>(&inverse_) : &proportion_),
      restoring_(lessonrecord::parse(kept)) {
    if (restoring_)
        shown_ = restoring_->inverseShown ? static_cast<rt::Form *>(&inverse_) : &proportion_;
    proportion_.SwitchLesson = [this] { show(inverse_); };
    inverse_.SwitchLesson = [this] { show(proportion_); };
    proportion_.StateChanged = [this] { keep(); };
    inverse_.StateChanged = [this] { keep(); };
}

Lessons::~Lessons() {
    rt::abandonTasks();
}

void Lessons::load() {
    rt::dispatch([this] { proportion_.Form_Load(); });
    rt::dispatch([this] { inverse_.Form_Load(); });
    if (restoring_) {
        rt::dispatch([this] { restore(*restoring_); });
        restoring_.reset();
        // The address follows the lesson brought back.
        rt::setArgument("lesson", shown_ == &inverse_ ? "inverse" : "");
    }
    keeping_ = true;
    keep();
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
    const Form1 &p = proportion_;
    r.proportion.progress = p.Progress;
    r.proportion.options = options(p.Check1, p.Check2, p.Check3, p.Combo2, p.FrameDelay());
    const Form2 &i = inverse_;
    r.inverse.rate = i.Rate;
    r.inverse.minutes = i.Minutes;
    r.inverse.recorded = i.Recorded;
    r.inverse.options = options(i.Check1, i.Check2, i.Check3, i.Combo2, i.FrameDelay());
    return r;
}

void Lessons::keep() {
    if (keeping_ && rt::keeping()) rt::keep(lessonrecord::compose(record()));
}

// The lessons' own steps and fills draw the state again, with no pause between frames: a pause
// of 0 goes straight on, so the replay runs to its end before anything is shown.
// The pupil's delay goes back last.
void Lessons::restore(const lessonrecord::Record &r) {
    const auto setOptions = [](rt::CheckBox &hint, rt::CheckBox &table, rt::CheckBox &graph,
                               const lessonrecord::Options &o) {
        hint.setValue(o.hint ? 1 : 0);
        table.setValue(o.table ? 1 : 0);
        graph.setValue(o.graph ? 1 : 0);
    };

    Form1 &p = proportion_;
    p.Combo2.setText("0");
    setOptions(p.Check1, p.Check2, p.Check3, r.proportion.options);
    for (int k = 0; k < r.proportion.progress / 2 && p.Progress < r.proportion.progress; ++k)
        rt::start(p.Command4_Click(0));
    p.Combo2.setText(r.proportion.options.delay);

    Form2 &f = inverse_;
    f.Combo2.setText("0");
    setOptions(f.Check1, f.Check2, f.Check3, r.inverse.options);
    // Every full container in the table, the chosen rate's last: a fill starts from empty.
    for (rt::Integer k = 0; k < RateCount; ++k) {
        if (!r.inverse.recorded[std::size_t(k)] || Rates[k] == r.inverse.rate) continue;
        f.Command8_Click(k);
        rt::start(f.Fill(Capacity / Rates[k]));
    }
    const auto chosen = rt::Integer(index(r.inverse.rate));
    f.Command8_Click(chosen);
    const int full = Capacity / r.inverse.rate;
    if (r.inverse.recorded[std::size_t(chosen)]) rt::start(f.Fill(full));
    if (r.inverse.minutes < full &&
        (r.inverse.minutes > 0 || r.inverse.recorded[std::size_t(chosen)]))
        rt::start(f.Fill(r.inverse.minutes));
    f.Combo2.setText(r.inverse.options.delay);
}
