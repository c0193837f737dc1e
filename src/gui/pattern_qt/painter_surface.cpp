#include "pattern_qt/painter_surface.h"

#include <QString>

namespace pattern {

PainterSurface::PainterSurface(QPainter& painter, PictureCanvas canvas)
    : painter_(painter), canvas_(std::move(canvas))
{
}

void PainterSurface::Line(float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    canvas_.Line(painter_, x1, y1, x2, y2, colour);
}

void PainterSurface::Print(const std::string& text) { canvas_.Print(painter_, QString::fromStdString(text)); }

}  // namespace pattern
