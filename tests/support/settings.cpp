// Built into every test executable that opens a window (a static library's startup function
// could be left out by the linker): whatever reaches for the user's settings gets a test's
// folder of Qt's instead, never the developer's or the build machine's own. A test of the
// remembered place gives the window settings of its own in a fresh folder.

#include <QCoreApplication>
#include <QStandardPaths>

namespace {

void keepAwayFromTheUsersSettings() {
    QStandardPaths::setTestModeEnabled(true);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(keepAwayFromTheUsersSettings)
