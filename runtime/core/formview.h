#pragma once

#include "runtime/core/control.h"
#include "runtime/core/geometry.h"
#include "runtime/core/painter.h"

#include <span>
#include <string>
#include <string_view>

namespace rt {

/// One line of a note: a key and what it does.
struct NoteRow {
    std::string_view keys;
    std::string_view does;
};

/// What a backend does for a form it shows: repaint, follow changes, measure text.
class FormView : public TextMeasurer {
public:
    /// Device pixels per form pixel on screen.
    virtual double deviceScale() const = 0;
    /// Repaints `pixels`, device pixels from the design's top-left corner.
    virtual void invalidate(const Region &pixels) = 0;
    /// Repaints the whole board.
    virtual void invalidateAll() = 0;
    /// The form's outer size changed.
    virtual void sizeChanged() = 0;
    /// A windowed control's look changed: render control.look().
    virtual void controlChanged(Control &control) = 0;
    /// The focus moved to Form::focus(): give that control, or the board when none, the
    /// toolkit's focus.
    virtual void focusChanged() = 0;
    /// The text for assistive technology changed.
    virtual void statusChanged() = 0;
    /// Shows a small window with `rows` beside the form, without blocking anything.
    virtual void showNote(std::string_view title, std::span<const NoteRow> rows) = 0;
};

} // namespace rt
