#include "app/lessons.h"

#include "runtime/core/arguments.h"
#include "runtime/core/events.h"
#include "runtime/qt/desktophost.h"
#include "runtime/qt/window.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QSettings>

#include <memory>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    rt::setProgramName(WATER_PROGRAM_NAME);
    rt::qt::takeArguments(argc, argv); // --lesson=…, once Qt has taken its own options
    // Docks and task bars find the menu entry, and so the name and icon, by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(WATER_APP_ID));
    // The lesson's icon from the PNGs built in, in every size rendered.
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &png : icons.entryList({QStringLiteral("*.png")}))
        icon.addFile(icons.filePath(png));
    QApplication::setWindowIcon(icon);

    Lessons lessons(rt::argument("lesson"));
    rt::qt::Window window(lessons.shown());
    lessons.load();
    if (rt::ending()) return 0;
    // The zoom, full screen and screen of the last run, kept under the menu entry's id; the
    // lesson itself starts afresh.
    window.rememberPlaceIn(std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(WATER_APP_ID)));
    window.show();
    return app.exec();
}
