#include "probes.h"

#include "runtime/form.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

QColor bgr(quint32 colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QImage formPicture(rt::Form &form, qreal dpr) {
    QImage image(form.size() * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::black);
    form.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

QImage screen(QWidget &form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage presented(QWidget &window) {
    QCoreApplication::processEvents();
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QColor pixel(const QImage &image, int x, int y) {
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(int(x * dpr), int(y * dpr));
}

int countColour(const QImage &image, const QRect &area, const QColor &colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++count;
    return count;
}

int countNear(const QImage &image, const QRect &area, const QColor &colour, int tolerance) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance)
                ++count;
        }
    return count;
}

bool anyOtherThan(const QImage &image, const QRect &area, const QColor &colour) {
    const QRect inside = area.intersected(image.rect());
    return countColour(image, inside, colour) != inside.width() * inside.height();
}
