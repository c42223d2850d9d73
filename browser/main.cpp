#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/events.h"
#include "runtime/core/session.h"
#include "runtime/web/browserview.h"

int main() {
    rt::setProgramName(WATER_PROGRAM_NAME);
    // All live as long as the page: the program's loop below never returns before End.
    // Start-up in short tasks, the page getting the thread between them: making the controls
    // (one a task), Form_Load, then the first board.
    // A reloaded tab comes back to the lessons as they were, when what it kept is sound.
    rt::web::takeArguments();
    rt::web::takeKept();
    static Lessons lessons(rt::argument("lesson"), rt::kept());
    static rt::web::BrowserView view(lessons.shown());
    view.yieldToPage();
    lessons.load();
    view.yieldToPage();
    view.flush();
    view.run();
    return 0;
}
