#include "platform/picture_output.h"

#include "core/orbit_error.h"
#include "platform/file_output.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace platform {

void WritePng(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot encode the picture as PNG");
    WriteOutputFile(path, bytes);
}

void WriteSvg(const SvgPage& page, const std::function<void(QPainter&)>& draw, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(page.size);
    generator.setViewBox(page.viewBox);
    generator.setResolution(96);
    generator.setTitle(page.title);
    generator.setDescription(page.description);
    QPainter painter;
    if (!painter.begin(&generator))
        throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot start the SVG picture");
    try {
        draw(painter);
    } catch (...) {
        painter.end();
        throw;
    }
    painter.end();
    WriteOutputFile(path, bytes);
}

}  // namespace platform
