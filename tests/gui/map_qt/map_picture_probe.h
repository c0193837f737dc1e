#pragma once
// Looking at a rendered ground track map: the land from the source tree, and
// where a place on the Earth falls in a picture and what colour it has there.

#include "map/day_colours.h"
#include "map_qt/map_export.h"
#include "map_qt/map_painter.h"
#include "map_qt/world_shapes.h"

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <memory>

namespace map_test {

// The tests run from their own folders, not beside share/repeat-orbit/.
inline void UseSourceLand() { world_map::UseLandFile(QStringLiteral(LAND_FILE)); }

inline std::shared_ptr<world_map::MapScene> Scene(const world_map::MapDesign& design, double swathKm = 0)
{
    UseSourceLand();
    return std::make_shared<world_map::MapScene>(world_map::InstalledWorld(), design, swathKm);
}

// The pixel of a picture made by RenderMapImage where `place` is drawn.
inline QPoint PixelOf(const QImage& image, const world_map::LonLat& place, const world_map::Viewport& view = {})
{
    const world_map::MapStyle style{world_map::PictureFont(image.size()), true, true};
    const QRectF frame = world_map::LayOutMap(QRectF(image.rect()), style, &image).frame;
    return world_map::DegreesToFrame(frame, view).map(QPointF(place.lonDeg, place.latDeg)).toPoint();
}

inline QColor ToQColor(world_map::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

inline bool Close(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Whether `colour` occurs within `radius` pixels of `at`.
inline bool ColourNear(const QImage& image, QPoint at, QColor colour, int radius = 1, int tolerance = 12)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (image.rect().contains(at + QPoint(dx, dy)) &&
                Close(image.pixelColor(at + QPoint(dx, dy)), colour, tolerance))
                return true;
    return false;
}

}  // namespace map_test
