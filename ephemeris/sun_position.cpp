#include "ephemeris/sun_position.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
// Speed of light in AU per day, ERFA's (from its exact c and IAU 2012 au).
constexpr double kLightAuPerDay = ERFA_CMPS * ERFA_DAYSEC / ERFA_DAU;
constexpr int kLightTimeSteps = 2;  // the Sun moves ~13 m/s about the barycentre: one correction is plenty

// The Sun's barycentric position (AU, BCRS axes) at a TDB date: the Earth's
// barycentric position less its heliocentric one.
Vector3 SunBarycentric(double tdb1, double tdb2, double earthBary[3]) {
    double pvh[2][3], pvb[2][3];
    eraEpv00(tdb1, tdb2, pvh, pvb);
    if (earthBary != nullptr) {
        for (int i = 0; i < 3; ++i) earthBary[i] = pvb[0][i];
    }
    return Vector3{pvb[0][0] - pvh[0][0], pvb[0][1] - pvh[0][1], pvb[0][2] - pvh[0][2]};
}

}  // namespace

SunPosition SunAt(const Instant& t) { return SunAt(t, EarthOrientationAt(t)); }

SunPosition SunAt(const Instant& t, const EarthOrientation& earth) {
    // TT stands in for TDB: they differ by under 2 ms, in which the Sun's
    // direction moves by under 1e-7 degrees.
    const JulianDate tt = t.Tt();
    double pvh[2][3], pvb[2][3];
    eraEpv00(tt.jd1, tt.jd2, pvh, pvb);
    const double* earthBary = pvb[0];
    const double* earthVelocity = pvb[1];

    // Light time: the Sun is seen where it was when the light left it.
    Vector3 sunBary{pvb[0][0] - pvh[0][0], pvb[0][1] - pvh[0][1], pvb[0][2] - pvh[0][2]};
    double geometric[3] = {0, 0, 0};
    double distanceAu = 0;
    for (int step = 0; step < kLightTimeSteps; ++step) {
        for (int i = 0; i < 3; ++i) geometric[i] = sunBary[static_cast<std::size_t>(i)] - earthBary[i];
        distanceAu = eraPm(geometric);
        if (step + 1 < kLightTimeSteps) {
            sunBary = SunBarycentric(tt.jd1, tt.jd2 - distanceAu / kLightAuPerDay, nullptr);
        }
    }

    // Annual aberration: the Earth's barycentric velocity tilts the light.
    // The Sun's own light bending is left out: from the Earth's centre it
    // does not deflect the Sun's light.
    double natural[3], apparent[3], velocityC[3];
    eraPn(geometric, &distanceAu, natural);
    for (int i = 0; i < 3; ++i) velocityC[i] = earthVelocity[i] / kLightAuPerDay;
    const double bm1 = std::sqrt(1 - eraPm(velocityC) * eraPm(velocityC));
    eraAb(natural, velocityC, distanceAu, bm1, apparent);
    double unit[3];
    double norm = 0;
    eraPn(apparent, &norm, unit);

    SunPosition sun;
    sun.directionEme2000 = Vector3{unit[0], unit[1], unit[2]};
    sun.directionTrueOfDate = Multiply(earth.eme2000ToTrueOfDate, sun.directionEme2000);
    sun.distanceKm = distanceAu * kAstronomicalUnitKm;
    const Vector3& d = sun.directionTrueOfDate;
    double ra = std::atan2(d[1], d[0]);
    if (ra < 0) ra += kTwoPi;
    sun.rightAscensionOfDateRad = ra;
    sun.declinationRad = std::atan2(d[2], std::hypot(d[0], d[1]));
    return sun;
}

double EquationOfTimeMin(const Instant& t) {
    const EarthOrientation earth = EarthOrientationAt(t);
    return EquationOfTimeMin(t, earth, SunAt(t, earth));
}

double EquationOfTimeMin(const Instant& t, const EarthOrientation& earth, const SunPosition& sun) {
    // Apparent solar time at Greenwich is the true Sun's hour angle plus 12 h;
    // mean solar time there is UT1.
    const double apparentSolarRad = earth.gastRad - sun.rightAscensionOfDateRad + std::numbers::pi;
    const double meanSolarRad = kTwoPi * t.Ut1DayFraction();
    const double differenceRad = std::remainder(apparentSolarRad - meanSolarRad, kTwoPi);
    return differenceRad * (24.0 * 60.0 / kTwoPi);
}

}  // namespace orbit::ephemeris
