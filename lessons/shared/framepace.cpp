#include "lessons/shared/framepace.h"

#include "runtime/core/numeric.h"

#include <algorithm>

FramePace::FramePace(std::string_view text) {
    follow(text);
}

void FramePace::follow(std::string_view text) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return;
    // Whatever a pupil types: a text not led by a number gives 0, a number beyond 32 bits the
    // nearest limit.
    milliseconds_ = rt::clampToLong(rt::Val(text));
}
