#include "runtime/web/definitions.h"

#include "runtime/core/controlmetrics.h"
#include "runtime/core/input.h"
#include "runtime/core/keynames.h"
#include "runtime/core/types.h"
#include "runtime/core/words.h"
#include "runtime/web/page.h"

#include <emscripten.h>

#include <string>
#include <string_view>
#include <utility>

// clang-format off
EM_JS(void, js_define, (const char *group, const char *name, double value), {
    lessonPage.define(UTF8ToString(group), UTF8ToString(name), value);
});
EM_JS(void, js_define_text, (const char *group, const char *name, const char *text), {
    lessonPage.define(UTF8ToString(group), UTF8ToString(name), UTF8ToString(text));
});
EM_JS(void, js_palette, (unsigned colour, const char *css), {
    lessonPage.palette(colour >>> 0, UTF8ToString(css));
});
// clang-format on

namespace rt::web::page {

namespace {

std::string z(std::string_view s) {
    return std::string(s);
}

void define(const char *group, const char *name, double value) {
    js_define(group, name, value);
}

template <typename E> void define(const char *group, const char *name, E value) {
    js_define(group, name, static_cast<double>(value));
}

// The system colours as the desktop's default scheme shows them.
constexpr std::pair<Colour, const char *> Palette[] = {
    {SystemColour::WindowBackground, "#ffffff"},
    {SystemColour::WindowText, "#000000"},
    {SystemColour::ButtonFace, "#efefef"},
    {SystemColour::ButtonText, "#000000"},
};

} // namespace

void sendDefinitions() {
    using T = Input::Type;
    for (const auto &[name, type] : {std::pair{"click", T::Click},
                                     {"check", T::Check},
                                     {"text", T::Text},
                                     {"choose", T::Choose},
                                     {"focus", T::Focus},
                                     {"key", T::Key}})
        define("input", name, type);
    using F = FocusKind;
    for (const auto &[name, kind] : {std::pair{"board", F::Board},
                                     {"button", F::Button},
                                     {"check", F::CheckBox},
                                     {"text", F::TextBox},
                                     {"combo", F::ComboBox},
                                     {"list", F::OpenList}})
        define("focus", name, kind);
    using C = ControlKind;
    for (const auto &[name, kind] : {std::pair{"button", C::CommandButton},
                                     {"check", C::CheckBox},
                                     {"text", C::TextBox},
                                     {"combo", C::ComboBox}})
        define("kind", name, kind);
    for (const KeyName &k : KeyNames)
        define("key", std::string(k.page).c_str(), k.key);
    define("key", "text", Key::Text);
    define("key", "none", Key::None);
    for (const auto &[name, bit] : {std::pair{"shift", Modifier::Shift},
                                    {"ctrl", Modifier::Control},
                                    {"alt", Modifier::Alt},
                                    {"meta", Modifier::Meta}})
        define("modifier", name, bit);
    for (const auto &[name, value] : {std::pair{"focusRing", metrics::FocusRing},
                                      {"focusRingEdgeShare", double(metrics::FocusRingEdgeShare)},
                                      {"boxStretch", metrics::BoxStretch / 100.0},
                                      {"boldStrokePerEm", metrics::BoldStrokePerEm},
                                      {"boxBorder", double(metrics::BoxBorder)},
                                      {"boxPaddingPerEm", 1.0 / metrics::BoxPaddingEms}})
        define("metric", name, value);
    for (const auto &[name, bit] : {std::pair{"text", Changed::Text},
                                    {"colours", Changed::Colours},
                                    {"value", Changed::Value},
                                    {"enabled", Changed::Enabled},
                                    {"visible", Changed::Visible},
                                    {"focused", Changed::Focused},
                                    {"pressed", Changed::Pressed}})
        define("changed", name, bit);
    for (const auto &[name, word] : {std::pair{"close", words::Close},
                                     {"ended", words::Ended},
                                     {"again", words::Again},
                                     {"openList", words::OpenList}})
        js_define_text("word", name, z(word).c_str());
    for (const auto &[colour, css] : Palette)
        js_palette(colour, css);
}

} // namespace rt::web::page
