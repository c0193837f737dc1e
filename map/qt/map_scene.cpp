#include "map/qt/map_scene.h"

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
        day.reset();
}

const QPainterPath& MapScene::Track(int day) const { return Day(day).track; }

const QPainterPath& MapScene::Swath(int day) const { return Day(day).swath; }

const MapScene::DayPaths& MapScene::Day(int day) const
{
    const DayGeometry& geometry = map_.Day(day);  // checks the day
    std::optional<DayPaths>& paths = days_[static_cast<std::size_t>(day)];
    if (!paths) {
        paths.emplace();
        for (const Polyline& piece : geometry.track) {
            paths->track.moveTo(piece.front().lonDeg, piece.front().latDeg);
            for (std::size_t i = 1; i < piece.size(); ++i)
                paths->track.lineTo(piece[i].lonDeg, piece[i].latDeg);
        }
        paths->swath.setFillRule(Qt::WindingFill);
        for (const Ring& ring : geometry.swath) {
            paths->swath.moveTo(ring.front().lonDeg, ring.front().latDeg);
            for (std::size_t i = 1; i < ring.size(); ++i)
                paths->swath.lineTo(ring[i].lonDeg, ring[i].latDeg);
            paths->swath.closeSubpath();
        }
    }
    return *paths;
}

}  // namespace world_map
