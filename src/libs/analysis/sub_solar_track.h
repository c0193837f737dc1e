#pragma once
// Where the Sun stands overhead on the turning Earth, sampled evenly in time
// and read anywhere in between: what the coverage's light test needs of the
// Sun, and nothing more. The samples are made by whoever knows the Sun (the
// ephemeris, through sun/sub_solar_sampling.h; a test may lay down any Sun it
// likes), so this layer stays free of the ephemeris.
//
// Both figures the samples hold change slowly against a step of a few
// minutes: the declination by at most 0.4 degrees a day, and the sub-solar
// longitude, once the Earth's turn is taken out, by the equation of time's
// slow swing. So a straight line between neighbouring samples reads them to
// far better than a microradian.

#include <vector>

namespace orbit::analysis {

class SubSolarTrack {
public:
    struct Sample {
        double declinationRad = 0;
        // East longitude of the sub-solar point, unwrapped: each sample is
        // within half a turn of the one before, so that a straight line
        // between them follows the Sun west without a jump.
        double longitudeRad = 0;
    };

    // An empty track: it covers nothing.
    SubSolarTrack() = default;
    // samples[k] holds the Sun `k stepS` seconds after the track's start.
    // Throws OrbitError (InvalidArgument) for a step that is not positive or
    // fewer than two samples.
    SubSolarTrack(double stepS, const std::vector<Sample>& samples);

    // The last instant the samples reach, seconds after the start.
    double SpanS() const;

    // The sine of the Sun's elevation above the horizon of a point of a
    // spherical Earth (its latitude's sine and cosine, and its east longitude)
    // `secondsAfterStart` seconds after the start, read between samples;
    // clamped to the first or last sample outside the span.
    double SinElevation(double secondsAfterStart, double sinLatitude, double cosLatitude, double longitudeRad) const;

private:
    struct Point {
        double sinDeclination, cosDeclination, longitudeRad;
    };
    double stepS_ = 1;
    std::vector<Point> points_;
};

}  // namespace orbit::analysis
