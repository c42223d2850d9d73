#include "runtime/core/events.h"

#include "runtime/core/clock.h"

#include <cstdio>
#include <deque>
#include <string>

namespace rt {

namespace {

bool endCalled = false;
int depth = 0;
std::deque<std::function<void()>> heldBack;
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

namespace {

// Runs the handlers held back at the deepest level, oldest first, while there is room.
void runHeldBack() {
    while (!heldBack.empty() && depth < MaxWaitDepth && !endCalled) {
        const std::function<void()> handler = std::move(heldBack.front());
        heldBack.pop_front();
        dispatch(handler);
    }
}

// One level of event processing.
void processEvents(std::int32_t maxMs) {
    throwIfEnding();
    struct Level {
        Level() { ++depth; }
        ~Level() { --depth; }
        Level(const Level &) = delete;
        Level &operator=(const Level &) = delete;
    } level;
    runHeldBack();
    clock().idle(maxMs);
    throwIfEnding();
}

} // namespace

int waitDepth() {
    return depth;
}

void dispatchInput(std::function<void()> handler) {
    if (endCalled || !handler) return;
    if (depth >= MaxWaitDepth) {
        heldBack.push_back(std::move(handler));
        return;
    }
    runHeldBack(); // older input first
    dispatch(handler);
    runHeldBack(); // what deeper levels held back and nothing ran since
}

void DoEvents() {
    processEvents(0);
}

void DoEventsWaiting(std::int32_t maxMs) {
    processEvents(maxMs);
}

void End() {
    if (!endCalled) {
        endCalled = true;
        heldBack.clear();
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
