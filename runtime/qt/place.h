#pragma once

#include <QString>

class QSettings;

namespace rt::qt {

/// How and where the window shows the lessons, kept from one run to the next: the zoom chosen,
/// full screen and the screen. The lessons' own state is not part of it: every run starts at
/// the initial screen of the lesson asked for.
struct Place {
    double zoom = 1.0;
    bool fullScreen = false;
    QString screen; // the screen's name; empty for the primary screen
    friend bool operator==(const Place &, const Place &) = default;
};

/// The place kept in `settings`, each entry checked: one that is missing, of another type or
/// not a value the window takes (a zoom other than the steps) stays at its default. Whether
/// the screen is still there is the window's to find out.
Place readPlace(const QSettings &settings);

/// Keeps `place` in `settings` and writes it out at once.
void writePlace(QSettings &settings, const Place &place);

} // namespace rt::qt
