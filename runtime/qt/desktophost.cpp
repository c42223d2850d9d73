#include "runtime/qt/desktophost.h"

#include "runtime/core/arguments.h"
#include "runtime/core/clock.h"
#include "runtime/qt/clock.h"
#include "runtime/qt/window.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <string_view>
#include <vector>

namespace rt::qt {

DesktopHost &DesktopHost::instance() {
    static DesktopHost host;
    return host;
}

void DesktopHost::install(Window *window) {
    static SteadyClock steady;
    instance().windows_.push_back(window);
    setHost(&instance());
    setBackendClock(&steady);
}

void DesktopHost::uninstall(Window *window) {
    auto &windows = instance().windows_;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
}

void DesktopHost::quit() {
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    QCoreApplication::exit(0);
}

void DesktopHost::report(const RuntimeError &error) {
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) return;
    // Window-modal and not blocking: the error stops the handler, not the program.
    auto *box = new QMessageBox(QMessageBox::Critical,
                                QString::fromUtf8(ErrorTitle.data(), qsizetype(ErrorTitle.size())),
                                QString::fromStdString(error.report()), QMessageBox::Ok, window());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DesktopHost::showForm(Form &form) {
    if (Window *w = window()) w->setForm(form);
}

void takeArguments(int argc, char *argv[]) {
    const std::vector<std::string_view> args(argv, argv + argc);
    setCommandLine(args);
}

} // namespace rt::qt
