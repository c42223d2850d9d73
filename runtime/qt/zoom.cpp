#include "runtime/qt/zoom.h"

#include <algorithm>
#include <cmath>

namespace rt::qt::zoom {

double step(double zoom, int direction) {
    const auto at = std::find(Steps.begin(), Steps.end(), zoom);
    const long index = at == Steps.end() ? 0 : at - Steps.begin();
    const long last = static_cast<long>(Steps.size()) - 1;
    return Steps[std::size_t(std::clamp(index + direction, 0L, last))];
}

bool isStep(double zoom) {
    return std::find(Steps.begin(), Steps.end(), zoom) != Steps.end();
}

QSize windowSize(QSizeF client, double zoom) {
    return QSize(int(std::lround(client.width() * zoom)), int(std::lround(client.height() * zoom)));
}

double fitting(QSizeF client, double wanted, QSize room) {
    auto fits = [&](double zoom) {
        const QSize size = windowSize(client, zoom);
        return size.width() <= room.width() && size.height() <= room.height();
    };
    if (fits(wanted)) return wanted;
    // Never below the design size: there the window is as small as it gets.
    double best = std::min(wanted, Steps.front());
    for (double s : Steps)
        if (s < wanted && fits(s)) best = s;
    return best;
}

Fit fill(QSizeF client, QSizeF area, double dpr) {
    if (client.isEmpty()) return {};
    const double scale = std::min(area.width() / client.width(), area.height() / client.height());
    auto centre = [dpr](double room) { return std::round(room / 2 * dpr) / dpr; };
    return {scale, QPointF(centre(area.width() - client.width() * scale),
                           centre(area.height() - client.height() * scale))};
}

} // namespace rt::qt::zoom
