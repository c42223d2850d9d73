#include "runtime/qt/colours.h"

#include "runtime/core/formdefinition.h"

#include <QGuiApplication>
#include <QPalette>

namespace rt::qt {

QColor toQColor(Colour c) {
    if (c & 0x80000000u) {
        const QPalette palette = QGuiApplication::palette();
        switch (c) {
        case SystemColour::WindowBackground:
            return palette.color(QPalette::Base);
        case SystemColour::WindowText:
            return palette.color(QPalette::Text);
        case SystemColour::ButtonText:
            return palette.color(QPalette::ButtonText);
        default:
            return palette.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

} // namespace rt::qt
