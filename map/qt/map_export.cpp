#include "map/qt/map_export.h"

#include "core/orbit_error.h"
#include "platform/file_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

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
    QPainter painter(&image);
    DrawGroundTrackMap(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene, days, view, PictureStyle(size));
    painter.end();
    return image;
}

void WriteMapPng(const MapScene& scene, int days, const QString& path, QSize size, const Viewport& view)
{
    const QImage image = RenderMapImage(scene, days, size, view);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot encode the picture as PNG");
    platform::WriteOutputFile(path, bytes);
}

void WriteMapSvg(const MapScene& scene, int days, const QString& path, QSize size, const Viewport& view)
{
    CheckPicture(scene, days, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRectF(QPointF(0, 0), QSizeF(size)));
    generator.setResolution(96);
    generator.setTitle("Ground Track Map");
    generator.setDescription(QString::fromStdString(scene.Map().Title()));
    QPainter painter;
    if (!painter.begin(&generator))
        throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot start the SVG picture");
    try {
        DrawGroundTrackMap(painter, QRectF(QPointF(0, 0), QSizeF(size)), scene, days, view, PictureStyle(size));
    } catch (...) {
        painter.end();
        throw;
    }
    painter.end();
    platform::WriteOutputFile(path, bytes);
}

}  // namespace world_map
