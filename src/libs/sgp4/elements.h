#pragma once
// The contents of a two-line element set, in the units the lines carry them
// (degrees, revolutions per day), and SGP4's own mean elements derived from it.

#include <string>

namespace orbit::sgp4 {

// The catalogue numbers a TLE can carry: five digits up to 99999, then the
// alpha-5 form (a letter for the two leading digits) up to Z9999. Every
// writer of these elements (the TLE, the OMM, the fit) takes this one range.
constexpr int kMaxCatalogNumber = 339999;
constexpr bool IsCatalogNumber(int number) { return number >= 0 && number <= kMaxCatalogNumber; }
// "0 to 339999", as the writers name the range when they refuse a number.
std::string CatalogNumberRange();

// The decimals each field of a TLE keeps; an OMM of the same elements writes
// the same digits, so it says neither more nor less than the TLE.
struct TleDecimals {
    static constexpr int kEpochDay = 8;
    static constexpr int kMeanMotion = 8;
    static constexpr int kMeanMotionDot = 8;
    static constexpr int kAngle = 4;
    static constexpr int kEccentricity = 7;
};

// Everything a TLE says. The mean motion is SGP4's mean motion (Kozai's
// definition, in the TEME frame of the epoch), not an osculating one.
struct TleElements {
    int catalogNumber = 99999;       // 0 to kMaxCatalogNumber (written in the alpha-5 form above 99999)
    char classification = 'U';
    std::string internationalDesignator;  // up to 8 characters, e.g. "98067A", may be empty
    int epochYear = 2000;            // four digits (the line keeps two: 57-99 are 19xx)
    double epochDayOfYear = 1.0;     // 1.0 is 1 January 0h UTC
    double meanMotionDotRevDay2 = 0; // first derivative of the mean motion / 2 (rev/day^2)
    double meanMotionDdotRevDay3 = 0;// second derivative / 6 (rev/day^3)
    double bstarPerEarthRadius = 0;  // drag term B* (1 / Earth radii)
    int ephemerisType = 0;
    int elementSetNumber = 999;      // 0 to 9999
    double inclinationDeg = 0;
    double raanDeg = 0;
    double eccentricity = 0;
    double argumentOfPerigeeDeg = 0;
    double meanAnomalyDeg = 0;
    double meanMotionRevDay = 0;
    int revolutionNumber = 0;        // 0 to 99999 at the epoch
};

// SGP4's mean elements: radians and radians per minute.
struct MeanElements {
    double meanMotionRadMin = 0;  // Kozai mean motion
    double eccentricity = 0;
    double inclinationRad = 0;
    double raanRad = 0;
    double argumentOfPerigeeRad = 0;
    double meanAnomalyRad = 0;
    double bstarPerEarthRadius = 0;
    // The epoch as a UTC Julian date less 2433281.5 (days from 1950 January
    // 0.0): the deep-space terms place the Sun and the Moon by it.
    double epochDaysFrom1950 = 0;
};

MeanElements ToMeanElements(const TleElements& tle);
// Writes `mean` into `tle`'s six orbital fields and B*, angles reduced to
// [0, 360) degrees; the other fields are kept.
void StoreMeanElements(const MeanElements& mean, TleElements& tle);

}  // namespace orbit::sgp4
