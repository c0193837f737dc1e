#include "map_qt/map_scene.h"

#include "core/orbit_error.h"
#include "map/daylight.h"
#include "map/simplify.h"
#include "platform/background_work.h"

#include <algorithm>

namespace world_map {

MapScene::MapScene(std::shared_ptr<const WorldShapes> world, const MapDesign& design, double swathKm)
    : world_(std::move(world)),
      map_(design, swathKm),
      dayLocks_(static_cast<std::size_t>(map_.DayLimit())),
      days_(static_cast<std::size_t>(map_.DayLimit()))
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
    if (day < 0 || day >= map_.DayLimit())
        map_.Day(day);  // throws, naming the fault
    // One day's shapes are made by one thread; other days meanwhile by others.
    const std::lock_guard lock(dayLocks_[static_cast<std::size_t>(day)]);
    const DayGeometry& geometry = map_.Day(day);
    std::optional<DayShapes>& shapes = days_[static_cast<std::size_t>(day)].at(static_cast<std::size_t>(detail));
    if (shapes)
        return *shapes;
    shapes.emplace();
    const double tolerance = kDetailToleranceDeg.at(static_cast<std::size_t>(detail));
    for (std::size_t k = 0; k < geometry.track.size(); ++k) {
        const Polyline piece = Simplified(geometry.track[k], tolerance);
        std::vector<QLineF>& lines = geometry.trackLit[k] ? shapes->track : shapes->darkTrack;
        for (std::size_t i = 1; i < piece.size(); ++i)
            lines.emplace_back(piece[i - 1].lonDeg, piece[i - 1].latDeg, piece[i].lonDeg, piece[i].latDeg);
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

void MapScene::Prepare(int days, int detail) const
{
    days = std::clamp(days, 0, map_.DayLimit());
    const int threads = std::min(days, platform::CoreCount());
    platform::RunOnCores(threads, [&](int thread) {
        for (int day = thread; day < days; day += threads)
            Day(day, detail);
    });
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

namespace {

QPolygonF ToPolygon(const std::vector<LonLat>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const LonLat& p : points)
        polygon << QPointF(p.lonDeg, p.latDeg);
    return polygon;
}

}  // namespace

void MapScene::SetNightAt(std::optional<double> secondsAfterStart)
{
    if (!secondsAfterStart) {
        night_.reset();
        return;
    }
    const std::optional<MapEpoch>& epoch = map_.Design().epoch;
    if (!epoch)
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "Day and night need an epoch");
    NightShapes night;
    night.secondsAfterStart = *secondsAfterStart;
    night.subSolar = SubSolarPoint(epoch->epoch.PlusSeconds(*secondsAfterStart));
    night.satellite = map_.SatelliteAt(*secondsAfterStart);
    for (const Ring& ring : NightRings(night.subSolar, 0))
        night.night.push_back(ToPolygon(ring));
    for (const Ring& ring : NightRings(night.subSolar, kCivilTwilightDeg))
        night.deepNight.push_back(ToPolygon(ring));
    for (const Polyline& line : Terminator(night.subSolar))
        night.terminator.push_back(ToPolygon(line));
    night_ = std::move(night);
}

}  // namespace world_map
