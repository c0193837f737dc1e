#include "explorer/overlay_map.h"

#include "core/orbit_error.h"
#include "map_qt/world_shapes.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace explorer {

namespace {

const QColor kSea(222, 235, 247);
const QColor kLand(236, 232, 222);
const QColor kCoast(170, 165, 150);
// The coarsest land (the levels go coarsest first): a small map, drawn quickly.
constexpr int kLandDetail = 0;

}  // namespace

OverlayMap::OverlayMap(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(tr("Ground tracks of the orbits compared"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void OverlayMap::SetOrbits(std::vector<Orbit> orbits)
{
    orbits_ = std::move(orbits);
    stale_ = true;
    update();
}

void OverlayMap::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    stale_ = true;
}

void OverlayMap::paintEvent(QPaintEvent*)
{
    if (stale_)
        Render();
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(QPointF(0, 0), picture_);
}

void OverlayMap::Render()
{
    stale_ = false;
    const double ratio = devicePixelRatioF();
    picture_ = QImage((size() * ratio), QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(palette().color(QPalette::Window));
    // The plane's 2 : 1, centred.
    const double w = std::min<double>(width(), 2.0 * height());
    const QRectF frame((width() - w) / 2, (height() - w / 2) / 2, w, w / 2);
    QTransform toFrame;
    toFrame.translate(frame.left(), frame.top());
    toFrame.scale(frame.width() / 360.0, -frame.height() / 180.0);
    toFrame.translate(180, -90);

    QPainter painter(&picture_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(frame, kSea);
    try {
        QPainterPath land;
        land.setFillRule(Qt::OddEvenFill);
        for (const world_map::WorldShapes::LandPolygon& polygon : world_map::InstalledWorld()->Land(kLandDetail))
            for (const QPolygonF& ring : polygon)
                land.addPolygon(toFrame.map(ring));
        painter.setPen(QPen(kCoast, 0.6));
        painter.setBrush(kLand);
        painter.drawPath(land);
    } catch (const orbit::OrbitError&) {
        // The tracks mean something without the land too.
    }
    painter.setBrush(Qt::NoBrush);
    for (const Orbit& orbit : orbits_) {
        painter.setPen(QPen(orbit.colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const world_map::Polyline& line : orbit.track) {
            QPolygonF points;
            points.reserve(static_cast<qsizetype>(line.size()));
            for (const world_map::LonLat& p : line)
                points << toFrame.map(QPointF(p.lonDeg, p.latDeg));
            painter.drawPolyline(points);
        }
    }
    painter.setPen(QPen(kCoast, 1));
    painter.drawRect(frame);
    painter.end();
    emit Rendered();
}

}  // namespace explorer
