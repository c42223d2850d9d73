#include "app/form1.h"

#include "runtime/core/events.h"
#include "runtime/web/browserview.h"

int main() {
    // Both live as long as the page: the program's loop below never returns before End.
    static Form1 form;
    static rt::web::BrowserView view(form);
    rt::dispatch([] { form.Form_Load(); });
    view.flush();
    view.run();
    return 0;
}
