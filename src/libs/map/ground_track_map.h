#pragma once
// What the ground track map shows of one completed design, day by day: each
// day's track cut at the map's edges and, when a swath width is set, the band
// the instrument sweeps. Everything is in degrees on the map; drawing it is
// the Qt side's work.
//
// Days are computed when first asked for and kept, so a map can offer the
// whole cycle and show a few days cheaply.
//
// Threads: Day() may run on several threads at once for different days
// (each day's entry is its own, and the tables are sized at construction);
// two threads must never ask for the same day at once, and nothing may run
// beside SetSwathKm(). MapScene keeps this with one lock per day and changes
// the swath only on the window's thread, between drawings.

#include "analysis/ground_track.h"
#include "core/repeat_orbit_solver.h"
#include "ephemeris/instant.h"
#include "map/daylight.h"
#include "map/map_geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace world_map {

// When the orbit flies: the UTC instant of day 0's first ascending node and
// the Earth-fixed longitude it lies at then (the node's local time puts it
// there). With it the map draws true longitudes and knows the Sun.
struct MapEpoch {
    orbit::ephemeris::Instant epoch;
    double nodeLongitudeDeg = 0;
};

// A completed design as the map needs it: the design record, the orbit type
// and the mean altitude for the title; without an epoch the track is drawn
// relative, day 0's node at longitude 0.
struct MapDesign {
    orbit::DesignRecord record;
    orbit::OrbitType type = orbit::OrbitType::ChooseInclination;
    double meanAltitudeKm = 0;
    std::optional<MapEpoch> epoch;
};

// The design record of a completed solve of `type`, with its altitude formed
// again by the same axis relation the solver used.
MapDesign MapDesignOf(const orbit::DesignRecord& record, orbit::OrbitType type);

// At most this many days are drawn (more would cover the map in one colour),
// and at most this many revolutions.
inline constexpr int kMaxMapDays = 100;
inline constexpr double kMaxMapRevolutions = 3000;
inline constexpr double kMaxSwathKm = 5000;

struct DayGeometry {
    std::vector<Polyline> track;  // on the map, cut at its edges
    // For each piece of the track: whether the Sun is up at the point below
    // the satellite as it passes. Every piece is lit without an epoch.
    std::vector<bool> trackLit;
    std::vector<Ring> swath;      // on the map; filled with the nonzero rule
};

// A point of the track: its day, its time after day 0's first ascending
// node, and where it lies.
struct TrackPoint {
    int day = 0;
    double secondsAfterStart = 0;
    LonLat place;
};

class GroundTrackMap {
public:
    // Throws orbit::OrbitError when the design has no ground track, or makes
    // more revolutions a day than a map can draw, or for a swath width out
    // of [0, kMaxSwathKm].
    explicit GroundTrackMap(const MapDesign& design, double swathKm = 0);

    const MapDesign& Design() const { return design_; }
    // The days this design's map offers: its Q whole days, at least one, at
    // most kMaxMapDays and no more than kMaxMapRevolutions in all.
    int DayLimit() const { return dayLimit_; }

    double SwathKm() const { return swathKm_; }
    void SetSwathKm(double swathKm);

    // Day `day` (0 ... DayLimit() - 1), from its first instant to its last.
    const DayGeometry& Day(int day) const;

    double DayLengthS() const { return dayLengthS_; }
    // The time the map's days span: DayLimit() days.
    double SpanS() const { return dayLimit_ * dayLengthS_; }
    bool HasEpoch() const { return design_.epoch.has_value(); }
    // Where the satellite is (on the map) `secondsAfterStart` after day 0's
    // first ascending node.
    LonLat SatelliteAt(double secondsAfterStart) const;
    // The point of days 0 ... days-1 nearest to `place`, when one lies within
    // `withinDeg` (measured on the ground, in degrees of arc along a
    // parallel and a meridian). Computes the days it needs; not beside Day().
    std::optional<TrackPoint> NearestTrackPoint(const LonLat& place, int days, double withinDeg) const;

    // "N 14, M 1, Q 3, sun-synchronous, altitude 774.98 km, inclination 98.497°"
    std::string Title() const;
    // "Ground track over 3 days, swath 290 km"
    std::string Subtitle(int days) const;

private:
    MapDesign design_;
    orbit::analysis::GroundTrack track_;
    double dayLengthS_;
    int dayLimit_;
    double swathKm_ = 0;
    std::optional<orbit::SubSolarTrack> sun_;  // the Sun over the span, from the exact ephemeris
    mutable std::vector<std::optional<Polyline>> samples_;
    mutable std::vector<std::vector<double>> sampleTimes_;
    mutable std::vector<std::optional<DayGeometry>> days_;
};

// Checks a swath width; throws orbit::OrbitError (Usage) naming the range.
void CheckSwathKm(double swathKm);

}  // namespace world_map
