#pragma once

#include "runtime/core/controlarray.h"
#include "runtime/core/form.h"

#include <string>
#include <string_view>

namespace layout {

/// A control of a layout table by its name and its type: the table takes the name from here
/// and the lesson the control, so that each name is written once.
template <typename T> struct Named {
    std::string_view name;

    /// The control in `form`, which was made from a table holding it.
    T &in(const rt::Form &form) const { return form.control<T>(name); }
};

/// A control array: the table holds its element 0, which the lesson's load() copies.
template <typename T> struct NamedArray {
    std::string_view name;

    rt::ControlArray<T> in(rt::Form &form) const { return {form, std::string(name)}; }
};

} // namespace layout
