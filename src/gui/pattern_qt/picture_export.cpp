#include "pattern_qt/picture_export.h"

#include "core/orbit_error.h"
#include "pattern/pattern_drawing.h"
#include "pattern/picture_size.h"
#include "pattern_qt/painter_surface.h"
#include "platform/picture_output.h"

#include <QGuiApplication>
#include <QPainter>

#include <cmath>

namespace pattern {

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;
const QSizeF kPictureSize(kPictureWidthPx, kPictureHeightPx);

void CheckScale(double scale)
{
    if (!(scale >= kMinPictureScale && scale <= kMaxPictureScale))
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "The picture scale must lie between 0.1 and 10");
}

// Draws the pattern on an open painter, magnified by `scale`: lines, pen
// widths and text alike.
void DrawExport(const orbit::DesignRecord& design, QPainter& painter, double scale)
{
    painter.scale(scale, scale);
    painter.fillRect(QRectF(QPointF(0, 0), kPictureSize), Qt::white);
    PainterSurface surface(painter, PictureCanvas(kPictureSize, Qt::black, QGuiApplication::font()));
    surface.Canvas().Scale(0, 0, 50, 40);
    DrawPattern(design, surface);
}

}  // namespace

QImage RenderPatternImage(const orbit::DesignRecord& design, double scale)
{
    CheckScale(scale);
    const QSize pixels(static_cast<int>(std::lround(kPictureSize.width() * scale)),
                       static_cast<int>(std::lround(kPictureSize.height() * scale)));
    QImage image(pixels, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    QPainter painter(&image);
    DrawExport(design, painter, scale);
    painter.end();
    return image;
}

void WritePatternPng(const orbit::DesignRecord& design, const QString& path, double scale)
{
    platform::WritePng(RenderPatternImage(design, scale), path);
}

void WritePatternSvg(const orbit::DesignRecord& design, const QString& path, double scale)
{
    CheckScale(scale);
    const QSize size(static_cast<int>(std::lround(kPictureSize.width() * scale)),
                     static_cast<int>(std::lround(kPictureSize.height() * scale)));
    // User space: the window's pixels, whatever the picture's size.
    platform::WriteSvg({size, QRectF(QPointF(0, 0), kPictureSize), "Relative Ground Tracks", QString()},
                       [&](QPainter& painter) { DrawExport(design, painter, 1); }, path);
}

}  // namespace pattern
