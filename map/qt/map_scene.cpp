#include "map/qt/map_scene.h"

#include "map/simplify.h"

namespace world_map {

MapScene::MapScene(std::shared_ptr<const WorldShapes> world, const MapDesign& design, double swathKm)
    : world_(std::move(world)), map_(design, swathKm), days_(static_cast<std::size_t>(map_.DayLimit()))
{
}

void MapScene::SetSwathKm(double swathKm)
{
    if (swathKm == map_.SwathKm())
        return;
    map_.SetSwathKm(swathKm);
    for (auto& day : days_)
        for (auto& level : day)
            level.reset();
}

const DayShapes& MapScene::Day(int day, int detail) const
{
    const DayGeometry& geometry = map_.Day(day);  // checks the day
    std::optional<DayShapes>& shapes = days_[static_cast<std::size_t>(day)].at(static_cast<std::size_t>(detail));
    if (shapes)
        return *shapes;
    shapes.emplace();
    const double tolerance = kDetailToleranceDeg.at(static_cast<std::size_t>(detail));
    for (const Polyline& full : geometry.track) {
        const Polyline piece = Simplified(full, tolerance);
        for (std::size_t i = 1; i < piece.size(); ++i)
            shapes->track.emplace_back(piece[i - 1].lonDeg, piece[i - 1].latDeg, piece[i].lonDeg, piece[i].latDeg);
    }
    for (const Ring& full : geometry.swath) {
        const Ring ring = SimplifiedRing(full, tolerance);
        if (ring.empty())
            continue;
        QPolygonF polygon;
        polygon.reserve(static_cast<qsizetype>(ring.size()));
        for (const LonLat& p : ring)
            polygon << QPointF(p.lonDeg, p.latDeg);
        shapes->swathRings.push_back(std::move(polygon));
    }
    return *shapes;
}

QPainterPath MapScene::SwathArea(int day, int detail) const
{
    QPainterPath area;
    area.setFillRule(Qt::WindingFill);
    for (const QPolygonF& ring : Day(day, detail).swathRings) {
        area.addPolygon(ring);
        area.closeSubpath();
    }
    return area;
}

}  // namespace world_map
