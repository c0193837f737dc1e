// The sampled ground track and its swath against the geometry of the sphere.

#include "map/day_tracks.h"

#include "core/repbas.h"
#include "tests/libs/map/map_fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using orbit::analysis::GroundTrack;
using world_map::LonLat;
using world_map::Polyline;
using world_map::Ring;

constexpr double kRad = std::numbers::pi / 180;

struct Vec {
    double x, y, z;
};
Vec ToVec(LonLat p)
{
    const double lat = p.latDeg * kRad, lon = p.lonDeg * kRad;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double Angle(Vec a, Vec b) { return std::atan2(std::sqrt(Dot(Cross(a, b), Cross(a, b))), Dot(a, b)); }

// Distance (rad) from p to the great-circle arc a-b.
double DistanceToArc(Vec p, Vec a, Vec b)
{
    const Vec n = Cross(a, b);
    const double length = std::sqrt(Dot(n, n));
    if (length > 1e-12) {
        const Vec unit{n.x / length, n.y / length, n.z / length};
        const Vec foot = Cross(unit, Cross(p, unit));  // p's projection onto the arc's plane
        if (Dot(Cross(a, foot), n) >= 0 && Dot(Cross(foot, b), n) >= 0)
            return std::fabs(std::asin(std::clamp(Dot(p, unit), -1.0, 1.0)));
    }
    return std::min(Angle(p, a), Angle(p, b));
}

// The cycle closes: after Q days of N + M/Q nodal periods the track is back
// at day 0's first ascending node.
TEST(DayTracks, QDaysCloseTheTrackOnTheFirstNode)
{
    for (const world_map::MapDesign& d : {map_test::SunSync(14, 1, 3), map_test::Inclined(15, 1, 1, 65),
                                          map_test::Inclined(14, -1, 5, 98.5), map_test::SunSync(14, 3, 10)}) {
        const GroundTrack track(d.record);
        const orbit::analysis::GroundPoint end = track.At(d.record.Q * world_map::DayLengthS(d.record));
        EXPECT_NEAR(end.latitudeDeg, 0, 1e-6) << d.record.Q;
        EXPECT_NEAR(world_map::WrapDeg(end.longitudeDeg), 0, 1e-3) << d.record.Q;
    }
}

// Every point of the true track lies within a hundredth of a degree (on the
// map) of the sampled line, the turning points of a polar orbit included.
TEST(DayTracks, SamplesFollowTheTrackClosely)
{
    for (const world_map::MapDesign& d : {map_test::SunSync(14, 1, 3), map_test::Inclined(14, 1, 3, 65)}) {
        const GroundTrack track(d.record);
        const double period = d.record.NodalPeriod;
        const Polyline samples = world_map::SampleTrack(track, 0, period);
        EXPECT_EQ(samples.front(), (LonLat{track.At(0).longitudeDeg, track.At(0).latitudeDeg}));
        EXPECT_EQ(samples.back(), (LonLat{track.At(period).longitudeDeg, track.At(period).latitudeDeg}));
        double worst = 0;
        for (int k = 0; k <= 2000; ++k) {
            const orbit::analysis::GroundPoint p = track.At(period * k / 2000);
            double nearest = 1e9;
            for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
                const double ax = world_map::WrapDeg(samples[i].lonDeg - p.longitudeDeg);
                const double bx = ax + world_map::WrapDeg(samples[i + 1].lonDeg - samples[i].lonDeg);
                const double ay = samples[i].latDeg - p.latitudeDeg, by = samples[i + 1].latDeg - p.latitudeDeg;
                const double t = std::clamp(-(ax * (bx - ax) + ay * (by - ay)) /
                                                std::max(1e-18, (bx - ax) * (bx - ax) + (by - ay) * (by - ay)),
                                            0.0, 1.0);
                nearest = std::min(nearest, std::hypot(ax + t * (bx - ax), ay + t * (by - ay)));
            }
            worst = std::max(worst, nearest);
        }
        EXPECT_LT(worst, 0.015) << d.record.Incl;
    }
}

// The swath covers exactly the ground within half its width of the track,
// measured on the sphere: so on the map it widens toward the poles, and over
// a pole it covers the cap. Checked on a grid against the distance to the
// sampled track, leaving out a thin margin round the band's edge.
TEST(DayTracks, SwathCoversTheGroundWithinHalfItsWidth)
{
    struct Case {
        const char* name;
        world_map::MapDesign design;
        double swathKm;
    } const cases[] = {
        {"SunSynchronous3000kmOverThePoles", map_test::SunSync(14, 1, 3), 3000},
        {"Polar1000km", map_test::Inclined(14, 1, 3, 90), 1000},
        {"Inclined500km", map_test::Inclined(14, 1, 3, 65), 500},
    };
    for (const Case& c : cases) {
        const GroundTrack track(c.design.record);
        // Three revolutions: four passes over the poles, and room between.
        const Polyline samples = world_map::SampleTrack(track, 0, 3 * c.design.record.NodalPeriod);
        const std::vector<Ring> rings = world_map::SwathRings(samples, c.swathKm);
        std::vector<Vec> points;
        for (const LonLat& s : samples)
            points.push_back(ToVec(s));
        const double halfWidth = c.swathKm / 2 / orbit::RepBas::Re;
        // A cheap first look: how far from an arc's start a point may lie
        // and still be near the arc.
        std::vector<double> reachCos;
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            reachCos.push_back(std::cos(std::min(std::numbers::pi, Angle(points[i], points[i + 1]) + 1.3 * halfWidth)));
        struct Box {
            double west, east, south, north;
        };
        std::vector<Box> boxes;
        for (const Ring& ring : rings) {
            Box box{180, -180, 90, -90};
            for (const LonLat& p : ring)
                box = {std::min(box.west, p.lonDeg), std::max(box.east, p.lonDeg), std::min(box.south, p.latDeg),
                       std::max(box.north, p.latDeg)};
            boxes.push_back(box);
        }
        int inside = 0, outside = 0;
        for (double lat = -88.75; lat < 89; lat += 2.5)
            for (double lon = -178.75; lon < 180; lon += 2.5) {
                const Vec p = ToVec({lon, lat});
                double distance = 1e9;
                for (std::size_t i = 0; i + 1 < points.size(); ++i)
                    if (Dot(p, points[i]) > reachCos[i])
                        distance = std::min(distance, DistanceToArc(p, points[i], points[i + 1]));
                // The band is cut square where the day begins and ends.
                const double fromEnds = std::min(Angle(p, points.front()), Angle(p, points.back()));
                if (std::fabs(distance / halfWidth - 1) < 0.04 || fromEnds < 1.2 * halfWidth)
                    continue;
                int winding = 0;
                for (std::size_t k = 0; k < rings.size(); ++k)
                    if (lon >= boxes[k].west && lon <= boxes[k].east && lat >= boxes[k].south && lat <= boxes[k].north)
                        winding += map_test::WindingNumber(rings[k], {lon, lat});
                const bool near = distance < halfWidth;
                EXPECT_EQ(winding != 0, near) << c.name << " at " << lon << ", " << lat;
                (near ? inside : outside) += 1;
            }
        EXPECT_GT(inside, 50) << c.name;
        EXPECT_GT(outside, 50) << c.name;
    }
    EXPECT_TRUE(world_map::SwathRings({{0, 0}, {1, 1}}, 0).empty());
}

}  // namespace
