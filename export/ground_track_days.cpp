#include "export/ground_track_days.h"

#include "export/text_lines.h"
#include "map/day_tracks.h"

#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>

namespace orbit::exports {

namespace {

// Twice the area the ring encloses on the map (degrees squared), positive
// when it turns counter-clockwise: the turning RFC 7946 asks of an outer ring.
double SignedArea(const world_map::Ring& ring)
{
    double area = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const world_map::LonLat& a = ring[i];
        const world_map::LonLat& b = ring[(i + 1) % ring.size()];
        area += a.lonDeg * b.latDeg - b.lonDeg * a.latDeg;
    }
    return area;
}

void CheckTrack(const TrackExport& t)
{
    if (!(t.spanS > 0) || !std::isfinite(t.spanS) || !(t.dayLengthS > 0) || !std::isfinite(t.dayLengthS))
        throw OrbitError(ErrorKind::InvalidArgument, "The track's span and day must be positive numbers of seconds");
    if (!(t.sampleStepS > 0) || t.sampleStepS > kMaxTrackStepS)
        throw OrbitError(ErrorKind::InvalidArgument, "The track's samples must lie at most 30 s apart");
    if (!(t.swathKm >= 0) || !std::isfinite(t.swathKm))
        throw OrbitError(ErrorKind::InvalidArgument, "The swath must be a width of zero or more");
}

world_map::Polyline SampleDay(const TrackExport& t, double startS, double endS)
{
    const auto steps = static_cast<std::size_t>(std::ceil((endS - startS) / t.sampleStepS - 1e-9));
    world_map::Polyline points;
    points.reserve(steps + 1);
    for (std::size_t k = 0; k <= steps; ++k) {
        const double time = k == steps ? endS : startS + static_cast<double>(k) * t.sampleStepS;
        const world_map::LonLat p = t.where(time);
        if (!(std::fabs(p.latDeg) <= 90) || !(std::fabs(p.lonDeg) <= 360))
            throw OrbitError(ErrorKind::InvalidArgument, "A point of the ground track is off the sphere");
        points.push_back({world_map::WrapDeg(p.lonDeg), p.latDeg});
    }
    return points;
}

}  // namespace

std::vector<TrackDay> LayTrackDays(const TrackExport& t)
{
    CheckTrack(t);
    std::vector<TrackDay> days;
    // A span that ends within a microsecond of a day's end lays no empty day.
    const auto count = static_cast<int>(std::max(1.0, std::ceil(t.spanS / t.dayLengthS - 1e-9)));
    for (int day = 0; day < count; ++day) {
        TrackDay d;
        d.day = day;
        d.startS = day * t.dayLengthS;
        d.endS = std::min(t.spanS, (day + 1) * t.dayLengthS);
        d.startUtc = t.utc(d.startS, 3);
        d.endUtc = t.utc(d.endS, 3);
        const world_map::Polyline samples = SampleDay(t, d.startS, d.endS);
        d.lines = world_map::SplitAtMapEdge(samples);
        for (world_map::Ring& ring : world_map::SwathRings(samples, t.swathKm)) {
            if (SignedArea(ring) < 0)
                std::reverse(ring.begin(), ring.end());
            ring.push_back(ring.front());
            d.swathRings.push_back(std::move(ring));
        }
        days.push_back(std::move(d));
    }
    return days;
}

std::string LatitudeNote(double sphereRadiusKm)
{
    return "Latitudes are geocentric, on the model's sphere of radius " + Fixed(sphereRadiusKm, 4, "sphere radius") +
           " km (not geodetic)";
}

}  // namespace orbit::exports
