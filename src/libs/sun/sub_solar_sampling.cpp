#include "sun/sub_solar_sampling.h"

#include "core/constants.h"
#include "core/orbit_error.h"

#include <cmath>
#include <vector>

namespace orbit::sun {

SubSolarTrack::Sample SubSolarPointOf(const SunState& sun)
{
    const ephemeris::Vector3& d = sun.directionTrueOfDate;
    SubSolarTrack::Sample point;
    point.declinationRad = std::asin(d[2]);
    // Overhead where the hour angle, sidereal time plus longitude less
    // right ascension, is nought.
    point.longitudeRad = std::atan2(d[1], d[0]) - sun.gastRad;
    return point;
}

SubSolarTrack SubSolarTrackOver(const ephemeris::Instant& start, double spanS, double stepS)
{
    if (!(spanS >= 0) || !std::isfinite(spanS) || !(stepS > 0))
        throw OrbitError(ErrorKind::InvalidArgument, "The Sun's track over the ground needs a span of zero or more");
    const auto steps = static_cast<std::size_t>(std::ceil(spanS / stepS));
    const SunTable table(start, static_cast<double>(steps) * stepS);
    std::vector<SubSolarTrack::Sample> samples;
    samples.reserve(steps + 2);
    for (std::size_t k = 0; k <= steps + 1; ++k) {
        SubSolarTrack::Sample sample = SubSolarPointOf(table.At(static_cast<double>(k) * stepS));
        if (!samples.empty()) {
            const double before = samples.back().longitudeRad;
            sample.longitudeRad = before + std::remainder(sample.longitudeRad - before, kTwoPi);
        }
        samples.push_back(sample);
    }
    return SubSolarTrack(stepS, samples);
}

}  // namespace orbit::sun
