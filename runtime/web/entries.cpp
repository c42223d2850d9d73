#include "runtime/web/page.h"

#include <emscripten.h>

#include <utility>

namespace rt::web::page {

namespace {

Program program;

} // namespace

int taking(KeyOutcome outcome) {
    if (performedByRuntime(outcome)) return 2;
    return outcome == KeyOutcome::Ignore ? 1 : 0;
}

void setProgram(Program entries) {
    program = std::move(entries);
}

} // namespace rt::web::page

// The page's ways into the program, each run from the page's own event loop.
extern "C" {

EMSCRIPTEN_KEEPALIVE void water_wake() {
    if (rt::web::page::program.wake) rt::web::page::program.wake();
}

EMSCRIPTEN_KEEPALIVE void water_pump() {
    if (rt::web::page::program.pump) rt::web::page::program.pump();
}

EMSCRIPTEN_KEEPALIVE void water_later() {
    if (rt::web::page::program.later) rt::web::page::program.later();
}

// What the page does with a key: 0 leaves it to the browser, 1 takes it and does nothing, 2
// takes it and sends it to the program.
EMSCRIPTEN_KEEPALIVE int water_route(int key, int modifiers, int where, int editing) {
    using namespace rt;
    const auto &route = web::page::program.route;
    if (!route || key < 0 || key >= KeyCount || where < 0 || where >= FocusKindCount) return 0;
    const KeyOutcome outcome = route(static_cast<Key>(key), static_cast<unsigned>(modifiers),
                                     static_cast<FocusKind>(where), editing != 0);
    return web::page::taking(outcome);
}

} // extern "C"
