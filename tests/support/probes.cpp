#include "probes.h"

#include "runtime/qt/window.h"

#include <QBackingStore>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <cstring>

QColor bgr(quint32 colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

QImage formPicture(rt::qt::Window &form, qreal dpr) {
    QImage image(form.size() * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::black);
    form.render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

QImage screen(QWidget &form) {
    return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

namespace {

// The backing store's own image, or null where it is no image or the pixels are the X
// server's to tell.
const QImage *backingImage(QWidget &window) {
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) return nullptr;
    QBackingStore *store = window.window()->backingStore();
    if (!store || store->paintDevice()->devType() != QInternal::Image) return nullptr;
    return static_cast<const QImage *>(store->paintDevice());
}

} // namespace

QImage presented(QWidget &window) {
    // Posted update requests paint and flush the damaged areas.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    // The backing store's image is what was painted and flushed, in device pixels. (The
    // offscreen platform's grabWindow reads it too, but only a corner of it when scaled.)
    if (const QImage *store = backingImage(window))
        return store->copy(QRect(QPoint(), window.size() * window.devicePixelRatioF()))
            .convertToFormat(QImage::Format_RGB32);
    return window.screen()
        ->grabWindow(window.winId())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage freshRender(QWidget &window) {
    // Drawn into the backing store's pixel format: anti-aliasing rounds differently in others.
    const QImage *store = backingImage(window);
    const qreal dpr = window.devicePixelRatioF();
    QImage image(window.size() * dpr, store ? store->format() : QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::black);
    window.render(&image);
    return image.convertToFormat(QImage::Format_RGB32);
}

QRect presentedDiffers(QWidget &window) {
    const QImage shown = presented(window);
    const QImage fresh = freshRender(window);
    if (shown.size() != fresh.size()) return QRect(QPoint(), shown.size().expandedTo(fresh.size()));
    const int width = shown.width(), height = shown.height();
    const auto rowBytes = std::size_t(width) * sizeof(QRgb);
    QRect differs;
    for (int y = 0; y < height; ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(fresh.constScanLine(y));
        if (std::memcmp(a, b, rowBytes) == 0) continue;
        for (int x = 0; x < width; ++x)
            if (a[x] != b[x]) differs |= QRect(x, y, 1, 1);
    }
    return differs;
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
