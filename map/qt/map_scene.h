#pragma once
// One design's ground track map ready to draw: the land, and each day's track
// and swath as painter paths in degrees (x = longitude, y = latitude), built
// when a day is first drawn and kept until the swath changes.

#include "map/ground_track_map.h"
#include "map/qt/world_shapes.h"

#include <QPainterPath>

#include <memory>
#include <optional>
#include <vector>

namespace world_map {

class MapScene {
public:
    // Throws orbit::OrbitError as GroundTrackMap does.
    MapScene(std::shared_ptr<const WorldShapes> world, const MapDesign& design, double swathKm = 0);

    const GroundTrackMap& Map() const { return map_; }
    const QPainterPath& Land() const { return world_->land; }

    void SetSwathKm(double swathKm);
    double SwathKm() const { return map_.SwathKm(); }

    // Day `day` of Map().DayLimit(): its track pieces, open subpaths.
    const QPainterPath& Track(int day) const;
    // Its swath band, filled with the nonzero rule; empty without a swath.
    const QPainterPath& Swath(int day) const;

private:
    struct DayPaths {
        QPainterPath track, swath;
    };
    const DayPaths& Day(int day) const;

    std::shared_ptr<const WorldShapes> world_;
    GroundTrackMap map_;
    mutable std::vector<std::optional<DayPaths>> days_;
};

}  // namespace world_map
