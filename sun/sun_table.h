#pragma once
// The Sun and the Earth's turn over a span, sampled once a day and read
// anywhere in between. ERFA's nutation series make one exact evaluation cost
// tens of microseconds; the figures of a year ask for the Sun at hundreds of
// thousands of instants (every latitude crossing of every day). The Sun's
// direction bends by under 0.02 rad a day, so a cubic through four daily
// samples keeps it to about 1e-8 rad (0.000001 deg), far inside what any
// figure here is quoted to.
//
// One approximation comes with UT1 = UTC: at a leap second within the span
// the sidereal time read between the two samples around it is off by up to
// one second of the Earth's turn (0.004 deg).

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

#include <vector>

namespace orbit::sun {

struct SunState {
    ephemeris::Vector3 directionTrueOfDate{};  // unit vector, apparent
    double distanceKm = 0;
    double gastRad = 0;  // Greenwich apparent sidereal time, unwrapped
    double equationOfTimeMin = 0;
};

class SunTable {
public:
    // Covers [start, start + spanS] (SI seconds); reading a little outside is
    // allowed (one sample either way) and extrapolates the same cubic.
    SunTable(const ephemeris::Instant& start, double spanS, double sampleS = 86400.0);

    const ephemeris::Instant& Start() const { return start_; }
    SunState At(double secondsAfterStart) const;

    // The Sun's elevation (rad) above the horizon of a point on a spherical
    // Earth at geocentric latitude and east longitude (rad).
    static double ElevationRad(const SunState& sun, double latitudeRad, double longitudeRad);

private:
    ephemeris::Instant start_;
    double sampleS_;
    std::vector<SunState> samples_;  // samples_[k] is at (k - 1) sampleS
};

// The Earth's rotation angle rate, rad per UT1 second (IERS Conventions
// 2010: 2 pi 1.00273781191135448 a day).
inline constexpr double kEarthRotationRateRadS = 2 * 3.14159265358979323846 * 1.00273781191135448 / 86400.0;

}  // namespace orbit::sun
