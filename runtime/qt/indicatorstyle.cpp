#include "runtime/qt/indicatorstyle.h"

#include <cmath>

namespace rt::qt {

IndicatorStyle::IndicatorStyle(QObject *owner) {
    setParent(owner);
}

int IndicatorStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                const QWidget *widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_CheckBoxLabelSpacing:
        return static_cast<int>(std::lround(base * scale_));
    default:
        return base;
    }
}

} // namespace rt::qt
