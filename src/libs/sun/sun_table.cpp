#include "sun/sun_table.h"

#include "core/constants.h"
#include "core/orbit_error.h"
#include "ephemeris/sun_position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orbit::sun {

namespace {

// Samples beyond the span's ends: one before the start, two after the end,
// so every instant in the span has two samples on each side.
constexpr int kSamplesBefore = 1;
constexpr int kSamplesAfter = 2;
// A span of ten years at the finest sampling a caller may ask for.
constexpr double kMaxSamples = 400000;

}  // namespace

SunTable::SunTable(const ephemeris::Instant& start, double spanS, double sampleS) : start_(start), sampleS_(sampleS)
{
    if (!(spanS >= 0) || !(sampleS > 0) || !(spanS / sampleS < kMaxSamples))
        throw OrbitError(ErrorKind::InvalidArgument, "The Sun's table needs a span of zero or more and a positive step");
    const int count = static_cast<int>(std::ceil(spanS / sampleS)) + kSamplesBefore + kSamplesAfter + 1;
    samples_.reserve(static_cast<std::size_t>(count));
    double previousOffset = 0;
    for (int k = 0; k < count; ++k) {
        const double t = (k - kSamplesBefore) * sampleS;
        const ephemeris::Instant at = start.PlusSeconds(t);
        const ephemeris::EarthOrientation earth = ephemeris::EarthOrientationAt(at);
        const ephemeris::SunPosition sun = ephemeris::SunAt(at, earth);
        SunState state;
        state.directionTrueOfDate = sun.directionTrueOfDate;
        state.distanceKm = sun.distanceKm;
        state.equationOfTimeMin = ephemeris::EquationOfTimeMin(at, earth, sun);
        // Sidereal time less the Earth's steady turn changes by microradians
        // a day (precession, nutation): smooth enough to interpolate once
        // unwrapped onto one branch.
        double offset = earth.gastRad - kEarthRotationRateRadS * t;
        if (k > 0)
            offset = previousOffset + std::remainder(offset - previousOffset, kTwoPi);
        previousOffset = offset;
        state.gastRad = offset;
        samples_.push_back(state);
    }
}

SunState SunTable::At(double secondsAfterStart) const
{
    // Four samples around the instant: j-1, j, j+1, j+2 with j the one at or before.
    const double x = secondsAfterStart / sampleS_ + kSamplesBefore;
    const double last = static_cast<double>(samples_.size()) - 3;
    const double j = std::clamp(std::floor(x), 1.0, last);
    const double f = x - j;
    // Lagrange weights of the cubic through the points at -1, 0, 1, 2.
    const double w[4] = {-f * (f - 1) * (f - 2) / 6, (f + 1) * (f - 1) * (f - 2) / 2, -(f + 1) * f * (f - 2) / 2,
                         (f + 1) * f * (f - 1) / 6};
    const auto base = static_cast<std::size_t>(j) - 1;
    SunState s;
    s.gastRad = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        const SunState& p = samples_[base + k];
        for (std::size_t c = 0; c < 3; ++c)
            s.directionTrueOfDate[c] += w[k] * p.directionTrueOfDate[c];
        s.distanceKm += w[k] * p.distanceKm;
        s.gastRad += w[k] * p.gastRad;
        s.equationOfTimeMin += w[k] * p.equationOfTimeMin;
    }
    const ephemeris::Vector3& d = s.directionTrueOfDate;
    const double norm = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    for (double& c : s.directionTrueOfDate)
        c /= norm;
    s.gastRad += kEarthRotationRateRadS * secondsAfterStart;
    return s;
}

}  // namespace orbit::sun
