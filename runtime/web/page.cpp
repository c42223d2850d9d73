#include "runtime/web/page.h"

#include "runtime/web/definitions.h"

#include "runtime/core/form.h"
#include "runtime/core/formdefinition.h"

#include <emscripten.h>

#include <string>
#include <utility>
#include <vector>

// Each call below is one entry point of the page's scripts: web/bridge.js lists them with
// their C++ signatures.
// clang-format off
// `areas` holds `count` boxes, left, top, width and height each.
EM_JS(void, js_init, (const char *caption, int width, int height, unsigned back,
                      const std::int32_t *areas, int count), {
    const boxes = [];
    for (let i = 0; i < count; ++i)
        boxes.push(Array.from(HEAP32.subarray((areas >> 2) + 4 * i, (areas >> 2) + 4 * i + 4)));
    lessonPage.program = {wake : _water_wake, pump : _water_pump, later : _water_later,
                          route : _water_route};
    lessonPage.init(UTF8ToString(caption), width, height, back >>> 0, boxes);
});
EM_JS(void, js_remove_controls, (), { lessonPage.removeControls(); });
EM_JS(void, js_create, (int handle, int kind, int focusKind, double x, double y, double w,
                        double h, int fontPx, int bold, int tabIndex, const char *id,
                        const char *name, const char *description, const char *group,
                        const char *heading, int toggle), {
    lessonPage.createControl(handle, kind, focusKind, [x, y, w, h], fontPx, !!bold, tabIndex,
                             UTF8ToString(id), UTF8ToString(name), UTF8ToString(description),
                             UTF8ToString(group), UTF8ToString(heading), !!toggle);
});
EM_JS(void, js_entry, (int handle, const char *text), {
    lessonPage.addEntry(handle, UTF8ToString(text));
});
EM_JS(void, js_apply, (int handle, int changed, const char *text, unsigned back, unsigned fore,
                       int value, int enabled, int visible, int focused, int pressed), {
    lessonPage.apply(handle, changed, UTF8ToString(text), back >>> 0, fore >>> 0, value,
                     !!enabled, !!visible, !!focused, !!pressed);
});
EM_JS(void, js_focus, (int handle), { lessonPage.focus(handle); });
EM_JS(void, js_resize, (int width, int height), { lessonPage.resize(width, height); });
EM_JS(double, js_scale, (), { return lessonPage.scale(); });
EM_JS(int, js_repaint_needed, (), { return lessonPage.repaintNeeded() ? 1 : 0; });
EM_JS(void, js_begin_paint, (int x, int y, int w, int h), { lessonPage.beginPaint(x, y, w, h); });
EM_JS(void, js_end_paint, (), { lessonPage.endPaint(); });
EM_JS(void, js_fill, (int x, int y, int w, int h, unsigned colour), {
    lessonPage.fill(x, y, w, h, colour >>> 0);
});
EM_JS(void, js_text, (const char *text, double x, double y, double size, int bold,
                      unsigned colour, int cx, int cy, int cw, int ch), {
    lessonPage.text(UTF8ToString(text), x, y, size, !!bold, colour >>> 0, cx, cy, cw, ch);
});
EM_JS(void, js_measure, (const char *text, double size, int bold, double *out), {
    const m = lessonPage.measure(UTF8ToString(text), size, !!bold);
    HEAPF64[out >> 3] = m.width;
    HEAPF64[(out >> 3) + 1] = m.ascent;
    HEAPF64[(out >> 3) + 2] = m.height;
});
EM_JS(void, js_wake_at, (double ms), { lessonPage.wakeAt(ms); });
EM_JS(void, js_later, (), { lessonPage.later(); });
// The oldest input into `record` (type, control, value, modifiers, where, editing) and its text
// into `text`: 0 when taken, -1 when there is none, else the bytes its text needs.
EM_JS(int, js_take_input, (std::int32_t *record, char *text, int capacity), {
    const e = lessonPage.peekInput();
    if (!e) return -1;
    const bytes = lengthBytesUTF8(e.text) + 1;
    if (bytes > capacity) return bytes;
    stringToUTF8(e.text, text, capacity);
    HEAP32.set([e.type, e.control, e.value, e.modifiers, e.where, e.editing ? 1 : 0],
               record >> 2);
    lessonPage.shiftInput();
    return 0;
});
EM_JS(double, js_now, (), { return performance.now(); });
EM_JS(void, js_status, (const char *text, const char *announcement), {
    lessonPage.setStatus(UTF8ToString(text), UTF8ToString(announcement));
});
EM_JS(void, js_begin_note, (const char *title), { lessonPage.beginNote(UTF8ToString(title)); });
EM_JS(void, js_note_row, (const char *keys, const char *does), {
    lessonPage.noteRow(UTF8ToString(keys), UTF8ToString(does));
});
EM_JS(void, js_end, (), { lessonPage.end(); });
// The query into `out` when it fits; returns the bytes it needs.
EM_JS(int, js_query, (char *out, int capacity), {
    const q = lessonPage.query();
    const bytes = lengthBytesUTF8(q) + 1;
    if (bytes <= capacity) stringToUTF8(q, out, capacity);
    return bytes;
});
EM_JS(void, js_replace_query, (const char *query), {
    lessonPage.replaceQuery(UTF8ToString(query));
});
EM_JS(void, js_error, (const char *title, const char *text), {
    lessonPage.reportError(UTF8ToString(title), UTF8ToString(text));
});
EM_JS(void, js_keep, (const char *record), { lessonPage.keep(UTF8ToString(record)); });
// The record kept into `out` when it fits; returns the bytes it needs.
EM_JS(int, js_kept, (char *out, int capacity), {
    const r = lessonPage.kept();
    const bytes = lengthBytesUTF8(r) + 1;
    if (bytes <= capacity) stringToUTF8(r, out, capacity);
    return bytes;
});
// clang-format on

namespace rt::web::page {

namespace {

std::string z(std::string_view s) {
    return std::string(s);
}

} // namespace

void init(const Form &form) {
    static bool defined = false;
    if (!defined) {
        defined = true;
        sendDefinitions();
    }
    std::vector<std::int32_t> areas;
    for (const AreaDef &a : form.definition().stacked)
        areas.insert(areas.end(), {a.left, a.top, a.width, a.height});
    const SizeF client = form.clientSize();
    js_init(form.Caption().c_str(), int(client.width), int(client.height), form.BackColor(),
            areas.data(), int(areas.size() / 4));
}

void removeControls() {
    js_remove_controls();
}

void createControl(const Control &c) {
    const std::string id = c.Index() < 0 ? c.Name() : c.Name() + "_" + std::to_string(c.Index());
    const RectF &b = c.box();
    js_create(c.handle(), static_cast<int>(c.kind()), static_cast<int>(c.focusKind()), b.x, b.y,
              b.width, b.height, c.font().pixelSize(), c.font().bold ? 1 : 0, c.tabIndex(),
              id.c_str(), c.accessibleName().c_str(), c.description().c_str(), c.group().c_str(),
              c.groupHeading().c_str(), c.toggle() ? 1 : 0);
    for (const std::string &entry : c.entries())
        js_entry(c.handle(), entry.c_str());
}

void apply(int handle, unsigned changed, const ControlLook &look) {
    js_apply(handle, int(changed), look.text.c_str(), look.back, look.fore, look.value,
             look.enabled, look.visible, look.focused, look.pressed);
}

void focus(int handle) {
    js_focus(handle);
}

void resize(int width, int height) {
    js_resize(width, height);
}

double scale() {
    return js_scale();
}

bool repaintNeeded() {
    return js_repaint_needed() != 0;
}

void beginPaint(const Rect &clip) {
    js_begin_paint(clip.x, clip.y, clip.width, clip.height);
}

void endPaint() {
    js_end_paint();
}

void fill(const Rect &pixels, Colour colour) {
    js_fill(pixels.x, pixels.y, pixels.width, pixels.height, colour);
}

void text(std::string_view text, double x, double y, double pixelSize, bool bold, Colour colour,
          const Rect &clip) {
    js_text(z(text).c_str(), x, y, pixelSize, bold ? 1 : 0, colour, clip.x, clip.y, clip.width,
            clip.height);
}

TextMetrics measure(std::string_view text, double pixelSize, bool bold) {
    double out[3] = {};
    js_measure(z(text).c_str(), pixelSize, bold ? 1 : 0, out);
    return {out[0], out[1], out[2]};
}

void wakeAt(double ms) {
    js_wake_at(ms);
}

void later() {
    js_later();
}

std::optional<Input> takeInput() {
    std::int32_t record[6] = {};
    std::vector<char> text(64);
    int needed = js_take_input(record, text.data(), int(text.size()));
    if (needed > 0) {
        // A long typed text comes whole, in a buffer of its size.
        text.resize(std::size_t(needed));
        needed = js_take_input(record, text.data(), int(text.size()));
    }
    if (needed != 0) return std::nullopt;
    Input in(static_cast<Input::Type>(record[0]), record[1], record[2]);
    in.modifiers = static_cast<unsigned>(record[3]);
    in.where = static_cast<FocusKind>(record[4]);
    in.editing = record[5] != 0;
    in.text = text.data();
    return in;
}

double now() {
    return js_now();
}

void setStatus(std::string_view text, std::string_view announcement) {
    js_status(z(text).c_str(), z(announcement).c_str());
}

void beginNote(std::string_view title) {
    js_begin_note(z(title).c_str());
}

void noteRow(std::string_view keys, std::string_view does) {
    js_note_row(z(keys).c_str(), z(does).c_str());
}

void end() {
    js_end();
}

namespace {

// A text the page hands over into a buffer: `read` fills it when it fits, and returns the
// bytes it needs.
std::string readText(int (*read)(char *, int)) {
    std::vector<char> out(256);
    const int needed = read(out.data(), int(out.size()));
    if (needed > int(out.size())) {
        out.resize(std::size_t(needed));
        read(out.data(), int(out.size()));
    }
    return out.data();
}

} // namespace

std::string query() {
    return readText(js_query);
}

void replaceQuery(std::string_view query) {
    js_replace_query(z(query).c_str());
}

void reportError(std::string_view title, std::string_view text) {
    js_error(z(title).c_str(), z(text).c_str());
}

void keep(std::string_view record) {
    js_keep(z(record).c_str());
}

std::string kept() {
    return readText(js_kept);
}

} // namespace rt::web::page
