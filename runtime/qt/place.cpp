#include "runtime/qt/place.h"

#include "runtime/qt/zoom.h"

#include <QSettings>
#include <QVariant>

namespace rt::qt {

namespace {

// Keys of the program's own: the window's place, under a group of its own.
const QString ZoomKey = QStringLiteral("window/zoom");
const QString FullScreenKey = QStringLiteral("window/fullScreen");
const QString ScreenKey = QStringLiteral("window/screen");

// A number written as the settings write one, as text, or read back as a number.
bool toNumber(const QVariant &value, double &number) {
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::QString:
        number = value.toString().toDouble(&ok);
        break;
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
        number = value.toDouble(&ok);
        break;
    default:
        break;
    }
    return ok;
}

// Only "true" and "false": QVariant takes any other text but "0" and "false" for true.
bool toBool(const QVariant &value, bool &flag) {
    if (value.typeId() == QMetaType::Bool) {
        flag = value.toBool();
        return true;
    }
    if (value.typeId() != QMetaType::QString) return false;
    const QString text = value.toString();
    if (text != QLatin1String("true") && text != QLatin1String("false")) return false;
    flag = text == QLatin1String("true");
    return true;
}

} // namespace

Place readPlace(const QSettings &settings) {
    Place place;
    if (double zoom = 0; toNumber(settings.value(ZoomKey), zoom) && zoom::isStep(zoom))
        place.zoom = zoom;
    if (bool fullScreen = false; toBool(settings.value(FullScreenKey), fullScreen))
        place.fullScreen = fullScreen;
    if (const QVariant screen = settings.value(ScreenKey); screen.typeId() == QMetaType::QString)
        place.screen = screen.toString();
    return place;
}

void writePlace(QSettings &settings, const Place &place) {
    settings.setValue(ZoomKey, place.zoom);
    settings.setValue(FullScreenKey, place.fullScreen);
    settings.setValue(ScreenKey, place.screen);
    settings.sync();
}

} // namespace rt::qt
