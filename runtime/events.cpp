#include "runtime/events.h"

#include "runtime/clock.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <cstdio>

namespace rt {

namespace {

bool endCalled = false;
QPointer<QWidget> reportWindow;
ErrorReporter customReporter;

void defaultReport(const RuntimeError &error) {
    std::fprintf(stderr, "water-proportion: run-time error %d: %s\n", error.number(), error.what());
    std::fflush(stderr);
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return;
    // Window-modal and not blocking: the error stops the handler, not the program.
    auto *box = new QMessageBox(
        QMessageBox::Critical, QStringLiteral("実行時エラー"),
        QStringLiteral("実行時エラー '%1':\n\n%2").arg(error.number()).arg(error.description()),
        QMessageBox::Ok, reportWindow.data());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void report(const RuntimeError &error) {
    if (customReporter)
        customReporter(error);
    else
        defaultReport(error);
}

} // namespace

void dispatch(const std::function<void()> &handler) noexcept {
    if (endCalled || !handler) return;
    try {
        handler();
    } catch (const EndProgram &) {
        // The program is ending; the event loop has been told to quit.
    } catch (const RuntimeError &error) {
        report(error);
    } catch (const std::exception &error) {
        report(RuntimeError(ErrorCode::InvalidCall, QString::fromLocal8Bit(error.what())));
    } catch (...) {
        report(RuntimeError(ErrorCode::InvalidCall));
    }
}

void DoEvents() {
    throwIfEnding();
    clock().idle(0);
    throwIfEnding();
}

void DoEventsWaiting(qint32 maxMs) {
    throwIfEnding();
    clock().idle(maxMs);
    throwIfEnding();
}

void End() {
    if (!endCalled) {
        endCalled = true;
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }
    throw EndProgram{};
}

bool ending() {
    return endCalled;
}

void throwIfEnding() {
    if (endCalled) throw EndProgram{};
}

ErrorReporter setErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(customReporter);
    customReporter = std::move(reporter);
    return previous;
}

void setReportWindow(QWidget *window) {
    reportWindow = window;
}

} // namespace rt
