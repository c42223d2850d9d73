#pragma once

#include "app/form1.h"
#include "app/form2.h"

#include <string_view>

/// Both lessons of the unit in the program's one window: the first on proportion, the second
/// on inverse proportion. Each keeps its state while the other is shown; the button and F2
/// of each switch to the other, at rest only, as their enabled state has it.
class Lessons {
public:
    /// `first` names the lesson shown first: "inverse" for the second, anything else for the
    /// first.
    explicit Lessons(std::string_view first = {});
    Lessons(const Lessons &) = delete;
    Lessons &operator=(const Lessons &) = delete;

    Form1 &proportion() { return proportion_; }
    Form2 &inverse() { return inverse_; }
    /// The lesson shown now.
    rt::Form &shown() const { return *shown_; }

    /// Runs both lessons' Form_Load.
    void load();
    /// Shows `form`, one of the two.
    void show(rt::Form &form);

private:
    Form1 proportion_;
    Form2 inverse_;
    rt::Form *shown_;
};
