#include "map_qt/strip_painting.h"

#include "platform/background_work.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace world_map {

namespace {

// A strip must be worth its thread: each one walks all the shapes, and only
// the filling of pixels is shared out.
constexpr int kMinRowsPerStrip = 160;
constexpr int kMaxStrips = 8;
// Rows painted past a strip's share on either side and thrown away.
constexpr int kMarginRows = 8;

}  // namespace

int StripCount(int rows) { return std::clamp(rows / kMinRowsPerStrip, 1, std::min(platform::CoreCount(), kMaxStrips)); }

void PaintInStrips(QImage& image, const std::function<void(QPainter&)>& paint, int strips, const QImage* start)
{
    if (start && (start->size() != image.size() || start->format() != image.format()))
        throw std::invalid_argument("PaintInStrips: a start picture of another size or format");
    const QImage& source = start ? *start : image;
    if (image.isNull())
        return;
    const int height = image.height();
    strips = strips > 0 ? std::min(strips, height) : StripCount(height);
    if (strips == 1) {
        if (start) {
            const qreal ratio = image.devicePixelRatio();
            image = start->copy();
            image.setDevicePixelRatio(ratio);
        }
        QPainter painter(&image);
        paint(painter);
        return;
    }
    const auto topOf = [&](int strip) { return height * strip / strips; };
    const qreal ratio = image.devicePixelRatio();

    // First every strip paints from the source as it stands, which nobody
    // writes meanwhile; then each copies its own rows into the image.
    std::vector<QImage> painted(static_cast<std::size_t>(strips));
    platform::RunOnCores(strips, [&](int strip) {
        // Past the image's own top and bottom too: copy() fills those rows
        // with zeros.
        const int from = topOf(strip) - kMarginRows;
        const int to = topOf(strip + 1) + kMarginRows;
        QImage rows = source.copy(0, from, source.width(), to - from);
        rows.setDevicePixelRatio(ratio);
        QPainter painter(&rows);
        painter.translate(0, -from / ratio);
        paint(painter);
        painter.end();
        painted[static_cast<std::size_t>(strip)] = std::move(rows);
    });
    const qsizetype bytesPerLine = image.bytesPerLine();
    uchar* const bits = image.bits();
    platform::RunOnCores(strips, [&](int strip) {
        const QImage& rows = painted[static_cast<std::size_t>(strip)];
        const int from = topOf(strip) - kMarginRows;
        for (int y = topOf(strip); y < topOf(strip + 1); ++y)
            std::memcpy(bits + y * bytesPerLine, rows.constScanLine(y - from),
                        static_cast<std::size_t>(bytesPerLine));
    });
}

}  // namespace world_map
