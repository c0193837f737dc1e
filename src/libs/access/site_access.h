#pragma once
// Access to a place: its passes with the Sun and the local time at each, the
// looks (passes that an instrument with a swath, or one pointed within an
// off-nadir angle, sees, optionally only in daylight), and their summary.

#include "access/site_passes.h"
#include "access/sun_over_span.h"

#include <optional>
#include <vector>

namespace orbit::access {

enum class LookLimit { Swath, OffNadir };

struct LookRule {
    LookLimit limit = LookLimit::Swath;
    double value = 0;                 // the whole swath in km, or the off-nadir angle in degrees
    std::optional<double> sunMinDeg;  // looks only with the Sun at least this high
};

struct SitePass : PassGeometry {
    double localTimeH = 0;  // mean local solar time at the place
    double sunElevationDeg = 0;
    bool look = false;
};

struct SiteSummary {
    int looks = 0;
    std::optional<double> firstLookS;
    // Between successive looks within the span; none with fewer than two.
    std::optional<double> maxWaitDays, meanWaitDays;
};

struct SiteAccess {
    std::vector<SitePass> passes;
    SiteSummary summary;
};

// How far from the track (ground distance, km) a look reaches: half the
// swath, or the ground an off-nadir look meets, up to the horizon, on the
// design's sphere (radius Re): what decides a look is the pass's own
// geometry on the ellipsoid.
double LookReachKm(const LookRule& rule, double orbitRadiusKm);

// Every pass within kListedPassReachKm, or within the look's reach (and a
// margin for the ellipsoid) if wider. The place is at geodetic latitude and
// longitude on WGS84, and so is the Sun's elevation taken over its horizon.
SiteAccess SiteAccessOver(const TrackSamples& samples, const SunOverSpan& sun, const Place& place,
                          const LookRule& rule);

}  // namespace orbit::access
