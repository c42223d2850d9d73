#pragma once

#include <QProxyStyle>

namespace rt::qt {

/// The platform's look for check boxes, with the check indicator and the gap beside it grown
/// by the form's scale, so that the box keeps its size next to the enlarged caption.
class IndicatorStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit IndicatorStyle(QObject *owner);

    double scale() const { return scale_; }
    void setScale(double scale) { scale_ = scale; }

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    double scale_ = 1.0;
};

} // namespace rt::qt
