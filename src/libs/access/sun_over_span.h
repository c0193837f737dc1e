#pragma once
// The Sun as a place on the ground sees it, over a span of time from an
// epoch, cheaply enough to ask at every pass of a thousand sites: the same
// sampled Sun the coverage's light test reads (sun/sub_solar_sampling.h,
// every ten minutes) for the elevation, and the instant itself for the mean
// local solar time, UT1 + longitude / 15 deg (UT1 = UTC here).

#include "core/sub_solar_track.h"
#include "ephemeris/instant.h"

namespace orbit::access {

struct SunSeen {
    double meanLocalTimeH = 0;  // [0, 24)
    // The Sun's centre above the horizon of a place, the plane normal to the
    // latitude's direction: for a geodetic latitude, the ellipsoid's normal
    // (the Sun's parallax, under 9 arcseconds, left out).
    double elevationDeg = 0;
};

class SunOverSpan {
public:
    // Throws OrbitError (InvalidArgument) for a span that is not a positive number.
    SunOverSpan(const ephemeris::Instant& epoch, double spanS);

    const ephemeris::Instant& Epoch() const { return epoch_; }
    // At `secondsSinceEpoch` within the span, for a place at a latitude
    // (geodetic for a place on WGS84) and an east longitude.
    SunSeen At(double secondsSinceEpoch, double latitudeDeg, double longitudeDeg) const;

private:
    ephemeris::Instant epoch_;
    SubSolarTrack overhead_;
};

}  // namespace orbit::access
