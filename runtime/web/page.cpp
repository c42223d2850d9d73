#include "runtime/web/page.h"

#include "runtime/core/formdefinition.h"

#include <emscripten.h>

#include <cstdio>
#include <vector>

// clang-format off
EM_JS(void, js_init, (const char *caption, int width, int height, const char *back), {
    lessonPage.init({caption: UTF8ToString(caption), width: width, height: height,
                     back: UTF8ToString(back)});
});
EM_JS(void, js_create, (const char *def), {
    lessonPage.createControl(JSON.parse(UTF8ToString(def)));
});
EM_JS(void, js_set, (const char *id, const char *property, const char *value), {
    lessonPage.set(UTF8ToString(id), UTF8ToString(property), JSON.parse(UTF8ToString(value)));
});
EM_JS(void, js_resize, (int width, int height), { lessonPage.resize(width, height); });
EM_JS(double, js_scale, (), { return lessonPage.scale(); });
EM_JS(int, js_repaint_needed, (), { return lessonPage.repaintNeeded() ? 1 : 0; });
EM_JS(void, js_begin_paint, (int x, int y, int w, int h), { lessonPage.beginPaint(x, y, w, h); });
EM_JS(void, js_end_paint, (), { lessonPage.endPaint(); });
EM_JS(void, js_fill, (int x, int y, int w, int h, const char *colour), {
    lessonPage.fill(x, y, w, h, UTF8ToString(colour));
});
EM_JS(void, js_text, (const char *text, double x, double y, double size, int bold,
                      const char *colour, int cx, int cy, int cw, int ch), {
    lessonPage.text(UTF8ToString(text), x, y, size, !!bold, UTF8ToString(colour), cx, cy, cw, ch);
});
EM_JS(void, js_measure, (const char *text, double size, int bold, double *out), {
    const m = lessonPage.measure(UTF8ToString(text), size, !!bold);
    HEAPF64[out >> 3] = m[0];
    HEAPF64[(out >> 3) + 1] = m[1];
    HEAPF64[(out >> 3) + 2] = m[2];
});
EM_ASYNC_JS(void, js_wait, (int ms), { await lessonPage.waitForEvent(ms); });
EM_JS(int, js_take_event, (char *buffer, int capacity), {
    const e = lessonPage.takeEvent();
    if (!e) return -1;
    const s = [e.type, e.id ?? "", String(e.value ?? e.key ?? "")].join("\t");
    const length = lengthBytesUTF8(s);
    if (length < capacity)
        stringToUTF8(s, buffer, capacity);
    else
        lessonPage.events.unshift(e); // taken again with a buffer of its size
    return length;
});
EM_JS(double, js_now, (), { return performance.now(); });
EM_JS(void, js_status, (const char *text), { lessonPage.setStatus(UTF8ToString(text)); });
EM_JS(void, js_note, (const char *title, const char *rows), {
    lessonPage.showNote(UTF8ToString(title), JSON.parse(UTF8ToString(rows)));
});
EM_JS(void, js_end, (), { lessonPage.end(); });
EM_JS(void, js_error, (const char *text), {
    console.error(UTF8ToString(text));
    lessonPage.showNote("実行時エラー", [[UTF8ToString(text), ""]]);
});
// clang-format on

namespace rt::web::page {

namespace {

std::string z(std::string_view s) {
    return std::string(s);
}

} // namespace

void init(std::string_view caption, int width, int height, Colour back) {
    js_init(z(caption).c_str(), width, height, css(back).c_str());
}

void createControl(const std::string &def) {
    js_create(def.c_str());
}

void set(std::string_view id, std::string_view property, const std::string &json) {
    js_set(z(id).c_str(), z(property).c_str(), json.c_str());
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
    js_fill(pixels.x, pixels.y, pixels.width, pixels.height, css(colour).c_str());
}

void text(std::string_view text, double x, double y, double pixelSize, bool bold, Colour colour,
          const Rect &clip) {
    js_text(z(text).c_str(), x, y, pixelSize, bold ? 1 : 0, css(colour).c_str(), clip.x, clip.y,
            clip.width, clip.height);
}

TextMetrics measure(std::string_view text, double pixelSize, bool bold) {
    double out[3] = {};
    js_measure(z(text).c_str(), pixelSize, bold ? 1 : 0, out);
    return {out[0], out[1], out[2]};
}

void waitForEvent(std::int32_t ms) {
    js_wait(ms);
}

std::optional<Event> takeEvent() {
    std::vector<char> buffer(256);
    int length = js_take_event(buffer.data(), int(buffer.size()));
    if (length < 0) return std::nullopt;
    if (length >= int(buffer.size())) {
        // A long typed text comes back whole, in a buffer of its size.
        buffer.resize(std::size_t(length) + 1);
        length = js_take_event(buffer.data(), int(buffer.size()));
        if (length < 0) return std::nullopt;
    }
    const std::string s(buffer.data(), std::size_t(length));
    Event e;
    const auto tab1 = s.find('\t');
    const auto tab2 = tab1 == std::string::npos ? tab1 : s.find('\t', tab1 + 1);
    e.type = s.substr(0, tab1);
    if (tab1 != std::string::npos) e.id = s.substr(tab1 + 1, tab2 - tab1 - 1);
    if (tab2 != std::string::npos) e.value = s.substr(tab2 + 1);
    return e;
}

double now() {
    return js_now();
}

void setStatus(std::string_view text) {
    js_status(z(text).c_str());
}

void showNote(std::string_view title, const std::string &rows) {
    js_note(z(title).c_str(), rows.c_str());
}

void end() {
    js_end();
}

void reportError(std::string_view text) {
    js_error(z(text).c_str());
}

std::string css(Colour colour) {
    switch (colour) {
    case SystemColour::WindowBackground:
        return "#ffffff";
    case SystemColour::WindowText:
    case SystemColour::ButtonText:
        return "#000000";
    case SystemColour::ButtonFace:
        return "#efefef";
    default:
        break;
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(colour & 0xFF),
                  unsigned((colour >> 8) & 0xFF), unsigned((colour >> 16) & 0xFF));
    return text;
}

std::string json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace rt::web::page
