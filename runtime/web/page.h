#pragma once

#include "runtime/core/control.h"
#include "runtime/core/geometry.h"
#include "runtime/core/input.h"
#include "runtime/core/painter.h"
#include "runtime/core/types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rt {
class Form;
}

/// The page around the program: thin calls into the page's scripts (`lessonPage`), which own
/// the canvas, the HTML controls, the input queue and the timers. Numbers pass as numbers;
/// what the page needs to know of the runtime's definitions (key names, measurements, the
/// palette, the words it shows) it is told once, at init. The page comes into the program only
/// from its own event loop, through the entries of setProgram.
namespace rt::web::page {

/// Sets the page up for `form`: its caption, its size in form pixels, its background, the areas
/// an upright screen stacks, and, the first time, the runtime's definitions: input types, focus
/// kinds, key names, palette, measurements, words. Called again for another form, it keeps the
/// page's fit.
void init(const Form &form);
/// Removes every control's element, the focus ring and the note, and drops the queued input
/// that names a control (clicks, text, checks, choices, focus): another form takes the page.
/// Keys stay queued, for the form shown next.
void removeControls();

/// The program's entries for the page: its alarm rang (wake), input was queued (pump), a task
/// asked for by later() is due (later); and what a key does (route), asked while the key is
/// down, so that the page takes from the browser exactly the keys the program uses.
struct Program {
    std::function<void()> wake;
    std::function<void()> pump;
    std::function<void()> later;
    std::function<KeyOutcome(Key, unsigned, FocusKind, bool)> route;
};
void setProgram(Program entries);
/// What the page does with a key of `outcome`: 0 leaves it to the browser, 1 takes it and
/// does nothing, 2 takes it and queues it for the program.
int taking(KeyOutcome outcome);

/// Makes the element of a windowed control, without its look.
void createControl(const Control &control);
/// Which fields of a look apply() changes, as bits.
namespace Changed {
inline constexpr unsigned Text = 1;
inline constexpr unsigned Colours = 2;
inline constexpr unsigned Value = 4;
inline constexpr unsigned Enabled = 8;
inline constexpr unsigned Visible = 16;
inline constexpr unsigned Focused = 32;
inline constexpr unsigned Pressed = 64;
inline constexpr unsigned All = 127;
} // namespace Changed
/// Shows the `changed` fields of `look` on control `handle`.
void apply(int handle, unsigned changed, const ControlLook &look);
/// Gives the keyboard focus to control `handle`, or to the board (-1).
void focus(int handle);
void resize(int width, int height);
/// Device pixels per form pixel.
double scale();
/// True once after the page changed its scale: everything must be drawn again.
bool repaintNeeded();

void beginPaint(const Rect &clip);
void endPaint();
void fill(const Rect &pixels, Colour colour);
void text(std::string_view text, double x, double y, double pixelSize, bool bold, Colour colour,
          const Rect &clip);
TextMetrics measure(std::string_view text, double pixelSize, bool bold);

/// Calls the program's wake entry once now() has reached `ms`, in place of any call asked for
/// before; -1: no call.
void wakeAt(double ms);
/// Calls the program's later entry once the page has had the thread: one call for each.
void later();
/// The oldest input the page has queued.
std::optional<Input> takeInput();

/// Milliseconds of the page's monotonic clock.
double now();

/// The whole state, read on demand, and what changed, read out at once.
void setStatus(std::string_view text, std::string_view announcement);
/// Shows a note: begun with its title, then a row at a time.
void beginNote(std::string_view title);
void noteRow(std::string_view keys, std::string_view does);
void end();
/// The query of the page's address, "?…", or "".
std::string query();
/// Puts `query` ("" for none) in the page's address in place of its query, the rest of the
/// address kept: no reload, no new history entry.
void replaceQuery(std::string_view query);
void reportError(std::string_view title, std::string_view text);
/// Keeps `record` for the page's tab (its session storage), when the browser lets it.
void keep(std::string_view record);
/// The record kept for the tab, or "" when there is none or it cannot be read.
std::string kept();

} // namespace rt::web::page
