#include "export/ground_track_days.h"

#include "export/text_lines.h"
#include "map/day_tracks.h"

#include "core/orbit_error.h"
#include "core/repbas.h"

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

// The times of one day's samples: every step from its start, and its end.
std::vector<double> DayTimes(const TrackExport& t, double startS, double endS)
{
    const auto steps = static_cast<std::size_t>(std::ceil((endS - startS) / t.sampleStepS - 1e-9));
    std::vector<double> times;
    times.reserve(steps + 1);
    for (std::size_t k = 0; k <= steps; ++k)
        times.push_back(k == steps ? endS : startS + static_cast<double>(k) * t.sampleStepS);
    return times;
}

}  // namespace

std::vector<TrackDay> LayTrackDays(const TrackExport& t)
{
    CheckTrack(t);
    std::vector<TrackDay> days;
    // A span that ends within a microsecond of a day's end lays no empty day,
    // and one that ends less than a minute into a day (a refined cycle runs
    // a fraction of a second past its last day) lays no sliver of a day:
    // the remainder goes to the day before.
    auto count = static_cast<int>(std::max(1.0, std::ceil(t.spanS / t.dayLengthS - 1e-9)));
    if (count > 1 && t.spanS - (count - 1) * t.dayLengthS < kShortestTrackDayS)
        --count;
    std::vector<std::vector<double>> dayTimes;
    std::vector<double> allTimes;
    for (int day = 0; day < count; ++day) {
        TrackDay d;
        d.day = day;
        d.startS = day * t.dayLengthS;
        d.endS = day == count - 1 ? t.spanS : (day + 1) * t.dayLengthS;
        d.startUtc = t.utc(d.startS, 3);
        d.endUtc = t.utc(d.endS, 3);
        dayTimes.push_back(DayTimes(t, d.startS, d.endS));
        allTimes.insert(allTimes.end(), dayTimes.back().begin(), dayTimes.back().end());
        days.push_back(std::move(d));
    }
    const std::vector<world_map::LonLat> points = t.where(allTimes);
    if (points.size() != allTimes.size())
        throw OrbitError(ErrorKind::InvalidArgument, "The ground track did not give a point for every time asked");
    std::size_t next = 0;
    for (std::size_t day = 0; day < days.size(); ++day) {
        world_map::Polyline samples;
        samples.reserve(dayTimes[day].size());
        for (std::size_t k = 0; k < dayTimes[day].size(); ++k, ++next) {
            const world_map::LonLat& p = points[next];
            if (!(std::fabs(p.latDeg) <= 90) || !(std::fabs(p.lonDeg) <= 360))
                throw OrbitError(ErrorKind::InvalidArgument, "A point of the ground track is off the globe");
            samples.push_back({world_map::WrapDeg(p.lonDeg), p.latDeg});
        }
        TrackDay& d = days[day];
        d.lines = world_map::SplitAtMapEdge(samples);
        for (world_map::Ring& ring : world_map::SwathRings(samples, t.swathKm)) {
            if (SignedArea(ring) < 0)
                std::reverse(ring.begin(), ring.end());
            ring.push_back(ring.front());
            d.swathRings.push_back(std::move(ring));
        }
    }
    return days;
}

std::string PositionNote()
{
    return "Positions are geodetic latitude and longitude on the WGS84 ellipsoid: the sub-satellite point, "
           "where the ellipsoid's normal through the satellite meets it";
}

std::string SwathNote()
{
    return "The swath band is laid around the track on a sphere of radius " + Fixed(RepBas::Re, 3, "sphere radius") +
           " km, its width measured across the track";
}

}  // namespace orbit::exports
