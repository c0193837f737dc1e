#pragma once
// The Sun over a span of time, as the ground sees it: where it stands
// overhead, sampled evenly in time and read anywhere in between. The map's
// day and night, the coverage's light test and the Sun window's passes read
// the Sun through this one type. The samples are made by whoever knows the
// Sun (the exact ephemeris, ephemeris/sub_solar_sampling.h; the Sun's table,
// sun/sub_solar_sampling.h; a test may lay down any Sun it likes), so this
// layer stays free of the ephemeris. Each filling chooses its step.
//
// Both figures the samples hold change slowly against a step of a few
// minutes or hours: the declination by at most 0.4 degrees a day, and the
// sub-solar longitude, once the Earth's turn is taken out, by the equation of
// time's slow swing. So a straight line between neighbouring samples reads
// them to far better than a microradian at ten minutes, and to about a
// thousandth of a degree at three hours.

#include <vector>

namespace orbit {

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
    double StepS() const { return stepS_; }

    // The sine of the Sun's elevation above the horizon of a point of a
    // spherical Earth (its latitude's sine and cosine, and its east longitude)
    // `secondsAfterStart` seconds after the start, read between samples;
    // clamped to the first or last sample outside the span.
    double SinElevation(double secondsAfterStart, double sinLatitude, double cosLatitude, double longitudeRad) const;

    // The light test of the map and the coverage alike: how far the sine of
    // the Sun's elevation stands above `sinLeastElevation`, the sine of the
    // least elevation asked for; a place is lit from 0 up, the boundary
    // itself counting as lit.
    double LightMargin(double secondsAfterStart, double sinLatitude, double cosLatitude, double longitudeRad,
                       double sinLeastElevation) const
    {
        return SinElevation(secondsAfterStart, sinLatitude, cosLatitude, longitudeRad) - sinLeastElevation;
    }

private:
    struct Point {
        double sinDeclination, cosDeclination, longitudeRad;
    };
    double stepS_ = 1;
    std::vector<Point> points_;
};

}  // namespace orbit
