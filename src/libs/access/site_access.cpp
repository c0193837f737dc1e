#include "access/site_access.h"

#include "access/view_geometry.h"
#include "core/constants.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>

namespace orbit::access {

namespace {
// The look's reach is worked out on the design's sphere; on the ellipsoid,
// with the nadir along its normal, the ground an off-nadir look or a swath
// meets lies up to some 40 km farther (the horizon over the flattened
// poles). Passes this much beyond are listed too, so none that is a look is missed.
constexpr double kReachMarginKm = 100;
}  // namespace

double LookReachKm(const LookRule& rule, double orbitRadiusKm)
{
    if (rule.limit == LookLimit::Swath)
        return rule.value / 2;
    return RepBas::Re * CentralAngleAtOffNadir(rule.value * kRadiansPerDegree, orbitRadiusKm, RepBas::Re);
}

SiteAccess SiteAccessOver(const TrackSamples& samples, const SunOverSpan& sun, const Place& place,
                          const LookRule& rule)
{
    const double reachKm =
        std::max(kListedPassReachKm, LookReachKm(rule, samples.Track().OrbitRadiusKm()) + kReachMarginKm);
    SiteAccess access;
    for (const PassGeometry& geometry : PassesNear(samples, place, reachKm)) {
        SitePass pass;
        static_cast<PassGeometry&>(pass) = geometry;
        const SunSeen seen = sun.At(geometry.timeS, place.latitudeDeg, place.longitudeDeg);
        pass.localTimeH = seen.meanLocalTimeH;
        pass.sunElevationDeg = seen.elevationDeg;
        // An off-nadir look must also find the place above its horizon.
        const bool inReach = rule.limit == LookLimit::Swath
                                 ? std::fabs(geometry.crossTrackKm) <= rule.value / 2
                                 : geometry.offNadirDeg <= rule.value && geometry.elevationDeg >= 0;
        pass.look = inReach && (!rule.sunMinDeg || seen.elevationDeg >= *rule.sunMinDeg);
        access.passes.push_back(pass);
    }

    SiteSummary& summary = access.summary;
    std::optional<double> previous;
    double longestS = 0;
    for (const SitePass& pass : access.passes) {
        if (!pass.look)
            continue;
        ++summary.looks;
        if (!summary.firstLookS)
            summary.firstLookS = pass.timeS;
        if (previous)
            longestS = std::max(longestS, pass.timeS - *previous);
        previous = pass.timeS;
    }
    if (summary.looks >= 2) {
        summary.maxWaitDays = longestS / kSecondsPerDay;
        summary.meanWaitDays = (*previous - *summary.firstLookS) / (summary.looks - 1) / kSecondsPerDay;
    }
    return access;
}

}  // namespace orbit::access
