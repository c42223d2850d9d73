#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/session.h"
#include "runtime/web/browserview.h"

int main() {
    rt::setProgramName(WATER_PROGRAM_NAME);
    // Both live as long as the page, which goes on running the program after main returns.
    // A reloaded tab comes back to the lessons as they were, when what it kept is sound.
    rt::web::takeArguments();
    rt::web::takeKept();
    static Lessons lessons(rt::argument("lesson"), rt::kept());
    static rt::web::BrowserView view(lessons.shown());
    view.startUp([] { lessons.load(); });
    return 0;
}
