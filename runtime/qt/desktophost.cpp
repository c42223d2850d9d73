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
    auto *box = new QMessageBox(QMessageBox::Critical, QStringLiteral("実行時エラー"),
                                QStringLiteral("実行時エラー '%1':\n\n%2")
                                    .arg(error.number())
                                    .arg(QString::fromStdString(error.description())),
                                QMessageBox::Ok, reportWindow_.data());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace rt::qt
