#pragma once
// The ground track over an export's span, day by day, as the map formats
// (GeoJSON, KML) lay it down: lines cut at the antimeridian and, with a
// swath, the band the instrument sweeps as polygons.

#include "export/export_inputs.h"
#include "map/map_geometry.h"

#include <functional>
#include <string>
#include <vector>

namespace orbit::exports {

// The sub-satellite points at the given times (seconds after the epoch, in
// increasing order): geodetic latitude and east longitude on the WGS84
// ellipsoid, as RFC 7946 and KML take them. Asked once for the whole span,
// so a propagator can follow the orbit in a single pass.
using GroundTrackSampler = std::function<std::vector<world_map::LonLat>(const std::vector<double>& secondsAfterEpoch)>;

inline constexpr double kMaxTrackStepS = 30;
// A span's remainder past its last whole day shorter than this is folded
// into that day rather than laid as a day of its own.
inline constexpr double kShortestTrackDayS = 60;

struct TrackExport {
    std::string name = "RepeatOrbit";
    GroundTrackSampler where;
    UtcClock utc;
    double spanS = 0;
    double dayLengthS = 86400;   // the design's day: one turn of the Earth under the orbit plane
    double sampleStepS = kMaxTrackStepS;
    double swathKm = 0;          // none
    std::vector<std::string> description;  // the design and the model, one line each
};

struct TrackDay {
    int day = 0;
    double startS = 0, endS = 0;
    std::string startUtc, endUtc;                // ISO 8601 with Z, whole milliseconds
    std::vector<world_map::Polyline> lines;      // the track, cut at the antimeridian
    std::vector<world_map::Ring> swathRings;     // closed (first point repeated), counter-clockwise
};

// Samples `track.where` every sampleStepS from each day's start to its end,
// both included. The last day runs to the span's end, which may lie up to
// kShortestTrackDayS past a whole day. Throws OrbitError (InvalidArgument) for a span or day that
// is not positive, a step above 30 s or not positive, a swath that is
// negative, or a sampler that gives a point off the sphere's coordinates.
std::vector<TrackDay> LayTrackDays(const TrackExport& track);

// The note on the positions every map export carries: geodetic, WGS84.
std::string PositionNote();
// The note a swath band carries: it is laid around the track on the
// design's sphere (world_map::SwathRings), not on the ellipsoid.
std::string SwathNote();

}  // namespace orbit::exports
