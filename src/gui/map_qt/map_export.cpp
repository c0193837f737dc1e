#include "map_qt/map_export.h"

#include "core/orbit_error.h"
#include "platform/picture_output.h"

#include <QGuiApplication>
#include <QPainter>

#include <algorithm>

namespace world_map {

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

void CheckPicture(const MapScene& scene, int days, QSize size)
{
    if (size.width() < kMinPictureSize.width() || size.height() < kMinPictureSize.height() ||
        size.width() > kMaxPictureSize.width() || size.height() > kMaxPictureSize.height())
        throw orbit::OrbitError(orbit::ErrorKind::Usage,
                                "The picture size must lie between 320x160 and 8000x4000 pixels");
    if (days < 1 || days > scene.Map().DayLimit())
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "This map shows 1 to " +
                                                             std::to_string(scene.Map().DayLimit()) + " days");
}

MapStyle PictureStyle(QSize size) { return {PictureFont(size), true, true}; }

}  // namespace

QFont PictureFont(QSize size)
{
    QFont font = QGuiApplication::font();
    // 16 pixels on the usual 800-pixel-high picture; narrow pictures keep the
    // title within their width.
    const int byHeight = size.height() / 50, byWidth = size.width() / 90;
    font.setPixelSize(std::max(8, std::min(byHeight, byWidth)));
    return font;
}

QImage RenderMapImage(const MapScene& scene, int days, QSize size, const Viewport& view)
{
    CheckPicture(scene, days, size);
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    const QRectF target(QPointF(0, 0), QSizeF(size));
    PaintMapBase(image, target, scene.World(), view, PictureStyle(size));
    PaintMapOverlay(image, target, scene, days, view, PictureStyle(size));
    return image;
}

void WriteMapPng(const MapScene& scene, int days, const QString& path, QSize size, const Viewport& view)
{
    platform::WritePng(RenderMapImage(scene, days, size, view), path);
}

void WriteMapSvg(const MapScene& scene, int days, const QString& path, QSize size, const Viewport& view)
{
    CheckPicture(scene, days, size);
    const QRectF frame(QPointF(0, 0), QSizeF(size));
    platform::WriteSvg({size, frame, "Ground Track Map", QString::fromStdString(scene.Map().Title())},
                       [&](QPainter& painter) {
                           DrawGroundTrackMap(painter, frame, scene, days, view, PictureStyle(size));
                       },
                       path);
}

}  // namespace world_map
