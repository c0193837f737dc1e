#pragma once
// Looking at a rendered pattern: where a point of the user coordinate system
// (0, 0)-(50, 40) falls in an image, and what colours lie around it.

#include <QColor>
#include <QImage>
#include <QPoint>

#include <cstdlib>

namespace pattern_test {

// The scale bars' light red.
inline const QColor kBarRed(255, 0, 0);

// The pixel that holds the user point (x, y) in `image`.
inline QPoint PixelOf(const QImage& image, double x, double y)
{
    return {static_cast<int>(x / 50 * image.width()), static_cast<int>(y / 40 * image.height())};
}

// Whether `colour` occurs within `radius` pixels of the user point (x, y),
// each channel within `tolerance` (for pictures shown scaled and smoothed).
inline bool ColourNear(const QImage& image, double x, double y, QColor colour, int radius = 2, int tolerance = 0)
{
    const auto close = [&](QColor c) {
        return std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance &&
               std::abs(c.blue() - colour.blue()) <= tolerance;
    };
    const QPoint centre = PixelOf(image, x, y);
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = centre + QPoint(dx, dy);
            if (image.rect().contains(p) && close(image.pixelColor(p)))
                return true;
        }
    return false;
}

// Whether every pixel of the user rectangle is `colour`.
inline bool AllOf(const QImage& image, double x1, double y1, double x2, double y2, QColor colour)
{
    const QPoint a = PixelOf(image, x1, y1), b = PixelOf(image, x2, y2);
    for (int y = a.y(); y <= b.y(); ++y)
        for (int x = a.x(); x <= b.x(); ++x)
            if (image.pixelColor(x, y).rgb() != colour.rgb())
                return false;
    return true;
}

}  // namespace pattern_test
