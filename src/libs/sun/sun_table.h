#pragma once
// The Sun and the Earth's turn over a span, sampled every few days and read
// anywhere in between. ERFA's nutation series and planetary theory make one
// exact evaluation cost a few hundred microseconds; the figures of a year ask
// for the Sun at hundreds of thousands of instants (every latitude crossing
// of every day). The Sun's yearly path is followed closely by a cubic through
// four samples four days apart; what such samples follow only in part is
// small: the Moon's monthly swing of the Earth about their barycentre (6
// arcseconds in the Sun's direction, read to 1e-6 rad or 0.00006 deg; 4700 km
// in its distance, read to 100 km) and nutation's terms of one to two weeks
// (1e-6 rad in sidereal time, read to under half of that). All lie far inside what any figure
// here is quoted to.
//
// One approximation comes with UT1 = UTC: at a leap second within the span
// the sidereal time read between the two samples around it is off by up to
// one second of the Earth's turn (0.004 deg).

#include "ephemeris/earth_orientation.h"
#include "ephemeris/instant.h"

#include <vector>

namespace orbit::sun {

// Four days between samples: see the header comment.
inline constexpr double kSunSampleS = 4 * 86400.0;

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
    SunTable(const ephemeris::Instant& start, double spanS, double sampleS = kSunSampleS);

    const ephemeris::Instant& Start() const { return start_; }
    SunState At(double secondsAfterStart) const;

private:
    ephemeris::Instant start_;
    double sampleS_;
    std::vector<SunState> samples_;  // samples_[k] is at (k - 1) sampleS
};

// The Earth's rotation angle rate, rad per UT1 second (IERS Conventions
// 2010: 2 pi 1.00273781191135448 a day).
inline constexpr double kEarthRotationRateRadS = 2 * 3.14159265358979323846 * 1.00273781191135448 / 86400.0;

}  // namespace orbit::sun
