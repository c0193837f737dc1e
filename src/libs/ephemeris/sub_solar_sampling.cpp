#include "ephemeris/sub_solar_sampling.h"

#include "core/constants.h"
#include "ephemeris/earth_orientation.h"
#include "ephemeris/sun_position.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbit::ephemeris {

SubSolarTrack ExactSubSolarTrack(const Instant& start, double spanS, double largestStepS)
{
    const double span = std::max(0.0, spanS);
    const int steps = std::max(1, static_cast<int>(std::ceil(span / largestStepS)));
    const double stepS = span > 0 ? span / steps : largestStepS;
    std::vector<SubSolarTrack::Sample> samples;
    samples.reserve(static_cast<std::size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const Instant t = start.PlusSeconds(k * stepS);
        const EarthOrientation earth = EarthOrientationAt(t);
        const SunPosition sun = SunAt(t, earth);
        SubSolarTrack::Sample sample;
        sample.declinationRad = sun.declinationRad;
        // The Sun's Greenwich hour angle is GAST - RA; it stands over the
        // meridian that far west of Greenwich.
        sample.longitudeRad = sun.rightAscensionOfDateRad - earth.gastRad;
        if (!samples.empty()) {
            const double before = samples.back().longitudeRad;
            sample.longitudeRad = before + std::remainder(sample.longitudeRad - before, kTwoPi);
        }
        samples.push_back(sample);
    }
    return SubSolarTrack(stepS, samples);
}

}  // namespace orbit::ephemeris
