#pragma once

#include "runtime/runtimeerror.h"

#include <functional>

class QWidget;

namespace rt {

/// Runs an event handler. A run-time error ends the handler and is reported; after End no
/// handler runs any more. Nothing ever escapes into Qt's event loop.
void dispatch(const std::function<void()> &handler) noexcept;

/// Processes every pending window event, running its handler, then returns.
void DoEvents();

/// Like DoEvents, but when nothing is pending waits up to `maxMs` for an event to arrive.
void DoEventsWaiting(qint32 maxMs);

/// Ends the program at once: the window disappears, no handler runs any more, the handlers
/// still on the stack are unwound, and the process exits with status 0.
[[noreturn]] void End();

/// True once End has been called.
bool ending();

/// Throws the unwinding signal of End when End has been called; used after every point
/// where other handlers may have run.
void throwIfEnding();

/// Receives each reported run-time error; the default shows a message box and writes stderr.
using ErrorReporter = std::function<void(const RuntimeError &)>;

/// Replaces the reporter (nullptr restores the default); returns the previous one.
ErrorReporter setErrorReporter(ErrorReporter reporter);

/// The window over which errors are reported.
void setReportWindow(QWidget *window);

/// The unwinding signal of End; deliberately not a std::exception.
struct EndProgram {};

} // namespace rt
