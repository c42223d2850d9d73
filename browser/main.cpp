#include "app/form1.h"

#include "runtime/core/events.h"
#include "runtime/web/browserview.h"

int main() {
    // Both live as long as the page: the program's loop below never returns before End.
    // Start-up in short tasks, the page getting the thread between them: making the controls
    // (one a task), Form_Load, then the first board.
    static Form1 form;
    static rt::web::BrowserView view(form);
    view.yieldToPage();
    rt::dispatch([] { form.Form_Load(); });
    view.yieldToPage();
    view.flush();
    view.run();
    return 0;
}
