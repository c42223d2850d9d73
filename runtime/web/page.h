#pragma once

#include "runtime/core/geometry.h"
#include "runtime/core/painter.h"
#include "runtime/core/types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// The page around the program: thin calls into the page's script (`lessonPage`), which owns
/// the canvas, the HTML controls and the input queue.
namespace rt::web::page {

void init(std::string_view caption, int width, int height, Colour back);
/// `def` describes the control in JSON.
void createControl(const std::string &def);
/// `json` is the new value as JSON.
void set(std::string_view id, std::string_view property, const std::string &json);
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

/// Waits until the user does something or `ms` have passed, yielding to the browser meanwhile.
void waitForEvent(std::int32_t ms);

/// One input of the user: what happened, to which control, with which value.
struct Event {
    std::string type;
    std::string id;
    std::string value;
};
std::optional<Event> takeEvent();

/// Milliseconds of the page's monotonic clock.
double now();

void setStatus(std::string_view text);
/// `rows` is a JSON array of [keys, does] pairs.
void showNote(std::string_view title, const std::string &rows);
void end();
void reportError(std::string_view text);

/// `colour` as CSS text; system colours as the desktop's default scheme shows them.
std::string css(Colour colour);
/// `text` as a JSON string literal.
std::string json(std::string_view text);

} // namespace rt::web::page
