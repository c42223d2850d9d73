#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/events.h"

Lessons::Lessons(std::string_view first)
    : shown_(first == "inverse" ? static_cast<rt::Form *>(&inverse_) : &proportion_) {
    proportion_.SwitchLesson = [this] { show(inverse_); };
    inverse_.SwitchLesson = [this] { show(proportion_); };
}

void Lessons::load() {
    rt::dispatch([this] { proportion_.Form_Load(); });
    rt::dispatch([this] { inverse_.Form_Load(); });
}

void Lessons::show(rt::Form &form) {
    if (shown_ == &form) return;
    shown_ = &form;
    // The address follows, so that a bookmark opens the lesson shown.
    rt::setArgument("lesson", shown_ == &inverse_ ? "inverse" : "");
    rt::showForm(form);
}
