#include "ephemeris/sun_position.h"

#include "core/constants.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {

namespace {

// Speed of light in AU per day, ERFA's (from its exact c and IAU 2012 au).
constexpr double kLightAuPerDay = ERFA_CMPS * ERFA_DAYSEC / ERFA_DAU;
constexpr int kLightTimeSteps = 2;  // the second step moves the Sun by micrometres

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

    // Light time: the Sun is seen where it was when the light left it,
    // some 499 s earlier. The Sun moves about the barycentre at some 13 m/s
    // with a period of years, so stepping it back along its velocity is
    // exact to well under a metre.
    double geometric[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) geometric[i] = (pvb[0][i] - pvh[0][i]) - earthBary[i];
    double distanceAu = eraPm(geometric);
    for (int step = 0; step < kLightTimeSteps; ++step) {
        const double lightDays = distanceAu / kLightAuPerDay;
        for (int i = 0; i < 3; ++i) {
            const double sunVelocity = pvb[1][i] - pvh[1][i];
            geometric[i] = (pvb[0][i] - pvh[0][i]) - sunVelocity * lightDays - earthBary[i];
        }
        distanceAu = eraPm(geometric);
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
