#include "runtime/qt/desktophost.h"

#include "runtime/core/arguments.h"
#include "runtime/core/clock.h"
#include "runtime/qt/clock.h"
#include "runtime/qt/window.h"

#include <QApplication>
#include <QMessageBox>

#include <string_view>
#include <vector>

namespace rt::qt {

void DesktopHost::install(Window *window) {
    static DesktopHost host;
    static SteadyClock steady;
    host.window_ = window;
    setHost(&host);
    setBackendClock(&steady);
}

void DesktopHost::quit() {
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

void DesktopHost::report(const RuntimeError &error) {
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return;
    // Window-modal and not blocking: the error stops the handler, not the program.
    auto *box = new QMessageBox(
        QMessageBox::Critical, QString::fromUtf8(ErrorTitle.data(), qsizetype(ErrorTitle.size())),
        QString::fromStdString(error.report()), QMessageBox::Ok, window_.data());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DesktopHost::showForm(Form &form) {
    if (window_) window_->setForm(form);
}

void takeArguments(int argc, char *argv[]) {
    const std::vector<std::string_view> args(argv, argv + argc);
    setCommandLine(args);
}

} // namespace rt::qt
