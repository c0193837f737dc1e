#pragma once
// One design's ground track map ready to draw: the land, and each day's track
// and swath as shapes in degrees (x = longitude, y = latitude), made when a
// day is first drawn at a level of detail and kept until the swath changes.

#include "map/ground_track_map.h"
#include "map_qt/world_shapes.h"

#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace world_map {

struct DayShapes {
    // The track as single segments: a painter draws many segments far faster
    // than one long path with a pen wider than a pixel.
    std::vector<QLineF> track;
    // The pieces passed in the dark (only with an epoch), drawn thinner.
    std::vector<QLineF> darkTrack;
    // The swath's rings, each filled on its own (opaque, then laid on as a
    // whole).
    std::vector<QPolygonF> swathRings;
};

// Day and night at one instant of the cycle, in degrees on the map.
struct NightShapes {
    double secondsAfterStart = 0;  // after day 0's first ascending node
    LonLat subSolar;
    LonLat satellite;
    std::vector<QPolygonF> night;      // the Sun below the horizon (nonzero rule)
    std::vector<QPolygonF> deepNight;  // below civil twilight
    std::vector<QPolygonF> terminator; // as open lines
};

class MapScene {
public:
    // Throws orbit::OrbitError as GroundTrackMap does.
    MapScene(std::shared_ptr<const WorldShapes> world, const MapDesign& design, double swathKm = 0);

    const GroundTrackMap& Map() const { return map_; }
    const WorldShapes& World() const { return *world_; }

    void SetSwathKm(double swathKm);
    double SwathKm() const { return map_.SwathKm(); }

    // Day `day` of Map().DayLimit() at the level of detail `detail`. Any
    // thread may ask for days and draw them, several at once, as long as no
    // other changes the swath meanwhile.
    const DayShapes& Day(int day, int detail) const;
    // Makes days 0 ... days-1 at `detail` that are not made yet, on every
    // core: after a new swath, laying the bands is most of a redraw.
    void Prepare(int days, int detail) const;
    // Its swath as one area filled with the nonzero rule, for drawings that
    // cannot be laid on as a layer (SVG). Made on each call.
    QPainterPath SwathArea(int day, int detail) const;

    // Shows day and night `secondsAfterStart` after day 0's first ascending
    // node, or none. Throws orbit::OrbitError (Usage) for a design without
    // an epoch. Only on the drawing's thread, between drawings.
    void SetNightAt(std::optional<double> secondsAfterStart);
    const std::optional<NightShapes>& Night() const { return night_; }

private:
    std::shared_ptr<const WorldShapes> world_;
    GroundTrackMap map_;
    mutable std::vector<std::mutex> dayLocks_;
    mutable std::vector<std::array<std::optional<DayShapes>, 4>> days_;
    std::optional<NightShapes> night_;
};

}  // namespace world_map
