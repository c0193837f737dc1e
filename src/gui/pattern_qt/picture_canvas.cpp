#include "pattern_qt/picture_canvas.h"

#include "core/orbit_error.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace pattern {

namespace {

// Keeps the part of the segment a-b on the inner side of one edge, the line
// x = limit (alongX) or y = limit, whose outside lies towards larger values
// (outwards = +1) or smaller ones (-1). The cut end is put on the
// edge itself rather than interpolated, so a horizontal or vertical line
// stays exact however far out its ends lie. False when nothing is left.
bool CutAtEdge(QPointF& a, QPointF& b, bool alongX, double limit, double outwards)
{
    const auto along = [alongX](const QPointF& p) { return alongX ? p.x() : p.y(); };
    const auto across = [alongX](const QPointF& p) { return alongX ? p.y() : p.x(); };
    const auto outside = [&](const QPointF& p) { return (along(p) - limit) * outwards > 0; };
    if (outside(a) && outside(b))
        return false;
    for (QPointF* end : {&a, &b}) {
        if (!outside(*end))
            continue;
        const QPointF inner = end == &a ? b : a;
        const double ratio = (limit - along(inner)) / (along(*end) - along(inner));
        const double crossing = across(inner) + ratio * (across(*end) - across(inner));
        *end = alongX ? QPointF(limit, crossing) : QPointF(crossing, limit);
    }
    return true;
}

// Cuts a line to `bounds`. Far-off coordinates would otherwise reach the
// rasteriser, whose fixed-point arithmetic cannot take them; the part inside
// the bounds is all that can be seen anyway. False when nothing is left.
bool ClipLine(QLineF& line, const QRectF& bounds)
{
    QPointF a = line.p1(), b = line.p2();
    if (!CutAtEdge(a, b, true, bounds.left(), -1) || !CutAtEdge(a, b, true, bounds.right(), +1) ||
        !CutAtEdge(a, b, false, bounds.top(), -1) || !CutAtEdge(a, b, false, bounds.bottom(), +1))
        return false;
    line = QLineF(a, b);
    return true;
}

}  // namespace

PictureCanvas::PictureCanvas(QSizeF logicalSize, QColor foreColor, QFont font)
    : size_(logicalSize), foreColor_(foreColor), font_(std::move(font))
{
}

void PictureCanvas::Scale(float x1, float y1, float x2, float y2)
{
    if (x1 == x2 || y1 == y2 || !std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) ||
        !std::isfinite(y2))
        throw orbit::OrbitError(orbit::ErrorKind::InvalidArgument);
    left_ = x1;
    top_ = y1;
    unitX_ = size_.width() / (static_cast<double>(x2) - x1);
    unitY_ = size_.height() / (static_cast<double>(y2) - y1);
}

void PictureCanvas::DrawWidth(int widthPx)
{
    if (widthPx < 1 || widthPx > 32767)
        throw orbit::OrbitError(orbit::ErrorKind::InvalidPropertyValue);
    drawWidthPx_ = widthPx;
}

QPointF PictureCanvas::ToLogical(double x, double y) const
{
    return {(x - left_) * unitX_, (y - top_) * unitY_};
}

void PictureCanvas::Line(QPainter& painter, float x1, float y1, float x2, float y2,
                         std::optional<Rgb> colour) const
{
    QLineF line(ToLogical(x1, y1), ToLogical(x2, y2));
    const double margin = drawWidthPx_ + 1.0;
    if (!ClipLine(line, QRectF(QPointF(0, 0), size_).adjusted(-margin, -margin, margin, margin)))
        return;
    const QColor penColour = colour ? QColor(colour->red, colour->green, colour->blue) : foreColor_;
    painter.setPen(QPen(penColour, drawWidthPx_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawLine(line);
}

void PictureCanvas::Print(QPainter& painter, const QString& text)
{
    painter.setFont(font_);
    const QFontMetricsF metrics(font_, painter.device());
    const QPointF topLeft = ToLogical(currentX_, currentY_);
    // Text entirely off the picture is skipped: a long pattern prints many
    // day numbers below the bottom edge.
    const bool visible = topLeft.y() < size_.height() && topLeft.x() < size_.width() &&
                         topLeft.y() + metrics.height() > 0 &&
                         topLeft.x() + metrics.horizontalAdvance(text) > 0;
    if (visible) {
        painter.setPen(foreColor_);
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
    }
    // On to the start of the next text line.
    currentX_ = static_cast<float>(left_);
    currentY_ = static_cast<float>(currentY_ + metrics.height() / unitY_);
}

}  // namespace pattern
