#pragma once

#include "runtime/core/types.h"

#include <string_view>

/// The pause between frames that a delay box asks for, in milliseconds, following the box's
/// text. A text with no figure in it (the box cleared to type a new delay, a lone "." or "-",
/// a word) keeps the pause of the last text that had one: selecting the delay to type another
/// must not end a running animation at once. "0" is a real "no pause".
class FramePace {
public:
    explicit FramePace(std::string_view text);

    /// Takes the box's new text.
    void follow(std::string_view text);
    rt::Long milliseconds() const { return milliseconds_; }

private:
    rt::Long milliseconds_ = 0;
};
