#include "map/daylight.h"

#include "core/constants.h"
#include "core/sun_elevation.h"
#include "core/vector3.h"
#include "ephemeris/earth_orientation.h"
#include "ephemeris/sun_position.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace world_map {

namespace {

using orbit::kDegreesPerRadian;
using orbit::kRadiansPerDegree;
using orbit::Cross;
using Vec3 = orbit::Vector3;

// The circle round the night is sampled this finely: at most 0.003 degrees
// from the true circle, well under a pixel on any map this program draws.
constexpr int kCirclePoints = 720;
// A pole-crossing circle (the terminator at an equinox instant) is moved
// this far off the pole, so that the circle goes round the pole on a side
// the map can tell; 0.006 degrees, unseen on the map.
constexpr double kPoleClearance = 1e-4;
// A ring round a pole is closed along the map's edge in steps shorter than
// half a turn, so that the map's ring functions take each step the right way.
constexpr double kPoleEdgeStepDeg = 90;

Vec3 ToVec3(const LonLat& p)
{
    const double lon = p.lonDeg * kRadiansPerDegree, lat = p.latDeg * kRadiansPerDegree;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

LonLat FromVec3(const Vec3& v)
{
    return {std::atan2(v[1], v[0]) * kDegreesPerRadian,
            std::atan2(v[2], std::hypot(v[0], v[1])) * kDegreesPerRadian};
}

Vec3 Normalised(const Vec3& v)
{
    const double length = orbit::Norm(v);
    return {v[0] / length, v[1] / length, v[2] / length};
}

double Unwrapped(double lonDeg, double nearDeg)
{
    return nearDeg + std::remainder(lonDeg - nearDeg, 360.0);
}

// The circle of points `radiusDeg` from `centre`, turning anticlockwise
// round it seen from outside the Earth (so anticlockwise on the map too),
// each longitude within half a turn of the one before.
Ring CircleAround(Vec3 centre, double radiusDeg)
{
    if (std::fabs(centre[2]) < kPoleClearance) {
        centre[2] = std::copysign(kPoleClearance, centre[2] == 0 ? 1.0 : centre[2]);
        centre = Normalised(centre);
    }
    // e1 along the equator, e2 completing a right-handed set about the centre.
    const Vec3 e1 = Normalised(Cross({0, 0, 1}, centre));
    const Vec3 e2 = Cross(centre, e1);
    const double r = radiusDeg * kRadiansPerDegree;
    Ring ring;
    ring.reserve(kCirclePoints + 8);
    for (int k = 0; k < kCirclePoints; ++k) {
        const double theta = orbit::kTwoPi * k / kCirclePoints;
        Vec3 p{};
        for (std::size_t i = 0; i < 3; ++i)
            p[i] = std::cos(r) * centre[i] + std::sin(r) * (std::cos(theta) * e1[i] + std::sin(theta) * e2[i]);
        LonLat point = FromVec3(p);
        if (!ring.empty())
            point.lonDeg = Unwrapped(point.lonDeg, ring.back().lonDeg);
        ring.push_back(point);
    }
    return ring;
}

// The sine of the Sun's elevation at `place` under the sub-solar point.
double SinSunElevationAt(const LonLat& place, const LonLat& subSolar)
{
    const double latitudeRad = place.latDeg * kRadiansPerDegree, declinationRad = subSolar.latDeg * kRadiansPerDegree;
    return orbit::SinSunElevation(std::sin(latitudeRad), std::cos(latitudeRad), place.lonDeg * kRadiansPerDegree,
                                  std::sin(declinationRad), std::cos(declinationRad),
                                  subSolar.lonDeg * kRadiansPerDegree);
}

}  // namespace

LonLat SubSolarPoint(const orbit::ephemeris::Instant& t)
{
    const orbit::ephemeris::EarthOrientation earth = orbit::ephemeris::EarthOrientationAt(t);
    const orbit::ephemeris::SunPosition sun = orbit::ephemeris::SunAt(t, earth);
    // The Sun's Greenwich hour angle is GAST - RA; it stands over the
    // meridian that far west of Greenwich.
    return {WrapDeg((sun.rightAscensionOfDateRad - earth.gastRad) * kDegreesPerRadian),
            sun.declinationRad * kDegreesPerRadian};
}

double SunElevationDeg(const LonLat& place, const LonLat& subSolar)
{
    return std::asin(std::clamp(SinSunElevationAt(place, subSolar), -1.0, 1.0)) * kDegreesPerRadian;
}

bool IsLit(const LonLat& place, const LonLat& subSolar)
{
    // The boundary of the sampled Sun's light test below: lit from 0 up.
    return SinSunElevationAt(place, subSolar) >= 0;
}

bool IsLit(const LonLat& place, const orbit::SubSolarTrack& sun, double secondsAfterStart)
{
    const double latitudeRad = place.latDeg * kRadiansPerDegree;
    return sun.LightMargin(secondsAfterStart, std::sin(latitudeRad), std::cos(latitudeRad),
                           place.lonDeg * kRadiansPerDegree, 0) >= 0;
}

std::vector<Ring> NightRings(const LonLat& subSolar, double elevationDeg)
{
    // The night is the cap round the point opposite the Sun, reaching to
    // where the Sun stands `elevationDeg` high: 90 + elevationDeg degrees.
    const Vec3 s = ToVec3(subSolar);
    const Vec3 antiSolar{-s[0], -s[1], -s[2]};
    const double radiusDeg = 90 + elevationDeg;
    Ring ring = CircleAround(antiSolar, radiusDeg);
    if (ring.size() < 3)
        return {};
    const double closingLon = Unwrapped(ring.front().lonDeg, ring.back().lonDeg);
    const double turned = closingLon - ring.front().lonDeg;
    if (std::fabs(turned) > 180) {
        // Round a pole: anticlockwise round the north pole runs east, round
        // the south pole west. The cap lies poleward of the circle; close it
        // along the pole's edge of the map back to the start.
        const double poleLat = turned > 0 ? 90 : -90;
        // Back to the first point a turn on, so that the edges down to the
        // pole lie exactly a turn apart and the map's copies meet on them.
        ring.push_back({closingLon, ring.front().latDeg});
        const double endLon = closingLon;
        ring.push_back({endLon, poleLat});
        const double back = ring.front().lonDeg - endLon;
        const int steps = static_cast<int>(std::ceil(std::fabs(back) / kPoleEdgeStepDeg));
        for (int k = 1; k < steps; ++k)
            ring.push_back({endLon + back * k / steps, poleLat});
        ring.push_back({ring.front().lonDeg, poleLat});
    }
    return ToMapRings(ring);
}

std::vector<Polyline> Terminator(const LonLat& subSolar)
{
    Polyline line = CircleAround(ToVec3(subSolar), 90);
    line.push_back(line.front());
    return SplitAtMapEdge(line);
}

}  // namespace world_map
