#pragma once

#include "runtime/core/runtimeerror.h"

#include <functional>

namespace rt {

class Form;

/// What the program asks of the backend that runs it, beyond drawing: ending, showing
/// run-time errors, and putting another form in the window.
class Host {
public:
    virtual ~Host() = default;
    /// The program ends: stop everything the user could still do and leave the event loop.
    virtual void quit() = 0;
    /// Shows a run-time error without blocking.
    virtual void report(const RuntimeError &error) = 0;
    /// Shows `form` in the window in place of the form shown now: the window keeps its place,
    /// zoom and full screen. A host that shows one form only does nothing.
    virtual void showForm(Form &form) { (void)form; }
};

/// Installs the backend's host; nullptr removes it. The caller keeps ownership.
void setHost(Host *host);

/// Shows `form` in the program's one window in place of the form shown now. Each form keeps
/// its state (controls, printed text, focus) while the other is shown; `form` must outlive
/// the window. Nothing happens after End or without a host.
void showForm(Form &form);

/// Runs an event handler. A run-time error ends the handler and is reported; after End no
/// handler runs any more. Nothing ever escapes into the backend's event loop.
void dispatch(const std::function<void()> &handler) noexcept;

/// Runs a handler the user started: a click, a check, a key. Then the clock learns when a
/// waiting task is due, which the handler may have changed.
void dispatchInput(const std::function<void()> &handler);

/// Ends the program at once: the window disappears, no handler runs any more, the handler
/// running is unwound, the waiting tasks are dropped, and the event loop is left.
[[noreturn]] void End();

/// True once End has been called.
bool ending();

/// Throws the unwinding signal of End when End has been called; used after every pause,
/// where other handlers may have run.
void throwIfEnding();

/// Names the program in the lines it prints: a run-time error's line starts with it.
void setProgramName(std::string_view name);

/// Receives each reported run-time error; by default the host shows it.
using ErrorReporter = std::function<void(const RuntimeError &)>;

/// Replaces the reporter (nullptr restores the default); returns the previous one.
ErrorReporter setErrorReporter(ErrorReporter reporter);

/// The unwinding signal of End; deliberately not a std::exception.
struct EndProgram {};

} // namespace rt
