#include "runtime/core/events.h"

#include "runtime/core/task.h"

#include <cstdio>
#include <string>

namespace rt {

namespace {

bool endCalled = false;
Host *currentHost = nullptr;
ErrorReporter customReporter;
std::string programName;

void report(const RuntimeError &error) {
    if (customReporter) {
        customReporter(error);
        return;
    }
    const std::string by = programName.empty() ? std::string() : programName + ": ";
    std::fprintf(stderr, "%srun-time error %d: %s\n", by.c_str(), error.number(), error.what());
    std::fflush(stderr);
    if (currentHost) currentHost->report(error);
}

} // namespace

void setHost(Host *host) {
    currentHost = host;
}

void showForm(Form &form) {
    if (!endCalled && currentHost) currentHost->showForm(form);
}

void dispatch(const std::function<void()> &handler) noexcept {
    if (endCalled || !handler) return;
    try {
        handler();
    } catch (const EndProgram &) {
        // The program is ending; the host has been told.
    } catch (const RuntimeError &error) {
        report(error);
    } catch (const std::exception &error) {
        report(RuntimeError(ErrorCode::InvalidCall, error.what()));
    } catch (...) {
        report(RuntimeError(ErrorCode::InvalidCall));
    }
}

void dispatchInput(const std::function<void()> &handler) {
    if (endCalled || !handler) return;
    dispatch(handler);
    afterHandler();
}

void End() {
    if (!endCalled) {
        endCalled = true;
        std::fflush(stdout);
        if (currentHost) currentHost->quit();
    }
    throw EndProgram{};
}

bool ending() {
    return endCalled;
}

void throwIfEnding() {
    if (endCalled) throw EndProgram{};
}

void setProgramName(std::string_view name) {
    programName = name;
}

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(customReporter);
    customReporter = std::move(reporter);
    return previous;
}

} // namespace rt
