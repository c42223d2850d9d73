#pragma once

#include "runtime/core/form.h"

#include <string>

namespace rt {

/// Controls of one name addressed by a 16-bit index; a missing element is a run-time error.
template <typename T> class ControlArray {
public:
    ControlArray(Form &form, std::string name) : form_(&form), name_(std::move(name)) {}

    /// Element `index`.
    T &operator()(Integer index) const { return form_->control<T>(name_, index); }

    /// Creates element `index` as a hidden copy of element 0.
    void Load(Integer index) { form_->load(name_, index); }

private:
    Form *form_;
    std::string name_;
};

} // namespace rt
