#pragma once
// The Sun as a place on the ground sees it, over a span of time from an
// epoch, cheaply enough to ask at every pass of a thousand sites.
//
// The Sun's apparent declination, the equation of time and the Sun's
// distance change slowly, so they are taken from the ephemeris at nodes four
// days apart and interpolated by a cubic through the four nearest nodes. The
// fastest terms left, the fortnightly nutation in the sidereal time and the
// Moon's monthly pull on the Earth's path, keep the Sun's elevation within
// about 3e-5 degrees (a tenth of an arcsecond) of the full ephemeris. The Sun's hour
// angle then follows from the mean solar time of the instant, exact:
//   local hour angle = (mean local solar time - 12 h) + equation of time,
// with mean local solar time = UT1 + longitude / 15 deg (UT1 = UTC here).

#include "ephemeris/instant.h"

#include <vector>

namespace orbit::access {

inline constexpr double kSunNodeSpacingS = 4 * 86400.0;

struct SunSeen {
    double meanLocalTimeH = 0;  // [0, 24)
    // The Sun's centre above the horizon of a place on the model's sphere,
    // from the place itself (the Sun's parallax, under 9 arcseconds, counted).
    double elevationDeg = 0;
};

class SunOverSpan {
public:
    // Throws OrbitError (InvalidArgument) for a span that is not a positive number.
    SunOverSpan(const ephemeris::Instant& epoch, double spanS);

    const ephemeris::Instant& Epoch() const { return epoch_; }
    // At `secondsSinceEpoch` within the span, for a place on the sphere.
    SunSeen At(double secondsSinceEpoch, double latitudeDeg, double longitudeDeg) const;

private:
    struct Node {
        double declinationRad, equationOfTimeRad, distanceKm;
    };
    Node Interpolated(double secondsSinceEpoch) const;

    ephemeris::Instant epoch_;
    std::vector<Node> nodes_;  // nodes_[k] at (k - 1) kSunNodeSpacingS
};

}  // namespace orbit::access
