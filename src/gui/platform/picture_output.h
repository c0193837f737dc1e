#pragma once
// Pictures as files: a PNG from an image, an SVG from a drawing. Every picture
// the program saves (the pattern, the map, the coverage chart, the icon) is
// encoded here and written through WriteOutputFile, so a failure anywhere
// leaves no partial file.

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace platform {

// Throws orbit::OrbitError (File) when the image cannot be encoded or written.
void WritePng(const QImage& image, const QString& path);

struct SvgPage {
    QSize size;       // the picture's size in pixels at 96 dots per inch
    QRectF viewBox;   // the user space `draw` paints in
    QString title;
    QString description;
};

// Records what `draw` paints as vector graphics. Nothing is written when
// `draw` throws; the exception goes on to the caller.
void WriteSvg(const SvgPage& page, const std::function<void(QPainter&)>& draw, const QString& path);

}  // namespace platform
