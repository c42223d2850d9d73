#pragma once

#include "runtime/core/events.h"

#include <QPointer>

namespace rt::qt {

class Window;

/// Ends the program, shows its run-time errors and puts another form in its window on the
/// desktop.
class DesktopHost final : public Host {
public:
    /// Installs the host and the steady clock once; later calls change only the window that
    /// shows the forms and the errors.
    static void install(Window *window);

    void quit() override;
    void report(const RuntimeError &error) override;
    void showForm(Form &form) override;

private:
    QPointer<Window> window_;
};

/// Takes the program's arguments (rt::argument) from its command line, `--name=value` each:
/// call it once the application has taken its own options out of `argv`.
void takeArguments(int argc, char *argv[]);

} // namespace rt::qt
