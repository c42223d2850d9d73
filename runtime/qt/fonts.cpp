#include "runtime/qt/fonts.h"

#include <QStringList>

#include <cmath>

namespace rt::qt {

void installFontSubstitutes(const QString &family) {
    // The design font is not on Linux: IPA P Gothic has the same proportional design,
    // Noto Sans CJK JP comes next, and fontconfig supplies any other Japanese font after that.
    QFont::insertSubstitutions(family,
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("IPAGothic"), QStringLiteral("sans-serif")});
}

int fontPixelSize(double points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont makeFont(const QString &family, double points, bool bold, double zoom) {
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontPixelSize(points) * zoom))));
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

QFont toQFont(const FontSpec &font, double zoom) {
    return makeFont(QString::fromStdString(font.family), font.points, font.bold, zoom);
}

} // namespace rt::qt
