#pragma once

#include "runtime/core/events.h"

#include <vector>

namespace rt::qt {

class Window;

/// Ends the program, shows its run-time errors and puts another form in its window on the
/// desktop.
class DesktopHost final : public Host {
public:
    /// Installs the host and the steady clock once; later calls change only the window that
    /// shows the forms and the errors: the newest still open.
    static void install(Window *window);
    /// Forgets a window that closes for good; the one opened before it takes over.
    static void uninstall(Window *window);

    void quit() override;
    void report(const RuntimeError &error) override;
    void showForm(Form &form) override;

private:
    static DesktopHost &instance();
    Window *window() const { return windows_.empty() ? nullptr : windows_.back(); }

    std::vector<Window *> windows_; // oldest first
};

/// Takes the program's arguments (rt::argument) from its command line, `--name=value` each:
/// call it once the application has taken its own options out of `argv`.
void takeArguments(int argc, char *argv[]);

} // namespace rt::qt
