#include "runtime/qt/desktophost.h"

#include "runtime/core/clock.h"
#include "runtime/qt/clock.h"

#include <QApplication>
#include <QMessageBox>

namespace rt::qt {

void DesktopHost::install(QWidget *reportWindow) {
    static DesktopHost host;
    static SteadyClock steady;
    host.reportWindow_ = reportWindow;
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
        QString::fromStdString(error.report()), QMessageBox::Ok, reportWindow_.data());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace rt::qt
