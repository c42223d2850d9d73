#pragma once

#include "runtime/core/events.h"

#include <QPointer>
#include <QWidget>

namespace rt::qt {

/// Ends the program and shows its run-time errors on the desktop.
class DesktopHost final : public Host {
public:
    /// Installs the host and the steady clock once; later calls change only the window errors
    /// are shown over.
    static void install(QWidget *reportWindow);

    void quit() override;
    void report(const RuntimeError &error) override;

private:
    QPointer<QWidget> reportWindow_;
};

} // namespace rt::qt
