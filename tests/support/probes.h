#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QWidget;

namespace rt::qt {
class Window;
}

/// The colour 0x00BBGGRR as a QColor.
QColor bgr(quint32 colour);

/// What the form draws itself (board, printed text, lines, rectangles, labels), without the
/// windowed controls, at `dpr` device pixels per pixel.
QImage formPicture(rt::qt::Window &window, qreal dpr = 1.0);

/// The whole window rendered afresh, controls included.
QImage screen(QWidget &form);

/// What the window last put on the screen, in device pixels, once pending repaints are done:
/// offscreen the backing store, which incremental repaints only partly redraw; on an X server
/// the server's pixels.
QImage presented(QWidget &window);

/// The whole window drawn afresh, as `presented` holds it.
QImage freshRender(QWidget &window);

/// Where the presented image differs from a fresh full render of the same state: empty when
/// they agree pixel for pixel, else the bounding box of the differences in device pixels.
QRect presentedDiffers(QWidget &window);

/// The colour of one pixel, in the image's logical coordinates.
QColor pixel(const QImage &image, int x, int y);

/// Counts the pixels of `colour` in `area`.
int countColour(const QImage &image, const QRect &area, const QColor &colour);

/// Counts the pixels within `tolerance` of `colour` in every channel (anti-aliased text).
int countNear(const QImage &image, const QRect &area, const QColor &colour, int tolerance = 60);

/// True when some pixel of `area` differs from `colour`.
bool anyOtherThan(const QImage &image, const QRect &area, const QColor &colour);
