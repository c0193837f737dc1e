// Eclipse durations against a brute-force walk round the orbit that asks, at
// each step, how the Earth's and the Sun's discs overlap as seen from the
// satellite: hidden wholly when the Sun's centre lies within the Earth's
// angular radius less the Sun's, partly within their sum.

#include "sun/eclipse.h"

#include "core/repbas.h"
#include "ephemeris/sun_position.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orbit::sun {
namespace {

constexpr double kDeg = 180 / std::numbers::pi;

struct Walked {
    double umbraMin, penumbraMin;
};

Walked WalkTheOrbit(double r, double betaRad, double sunDistanceKm, double periodS)
{
    constexpr int kSteps = 200000;
    // The Sun at beta above the plane; the orbit in the x-y plane.
    const double sun[3] = {sunDistanceKm * std::cos(betaRad), 0, sunDistanceKm * std::sin(betaRad)};
    int umbra = 0, partial = 0;
    for (int k = 0; k < kSteps; ++k) {
        const double u = 2 * std::numbers::pi * (k + 0.5) / kSteps;
        const double p[3] = {r * std::cos(u), r * std::sin(u), 0};
        const double toSun[3] = {sun[0] - p[0], sun[1] - p[1], sun[2] - p[2]};
        const double sunRange = std::sqrt(toSun[0] * toSun[0] + toSun[1] * toSun[1] + toSun[2] * toSun[2]);
        // Angle between the Sun's centre and the Earth's centre seen from the satellite.
        const double cosSeparation = -(toSun[0] * p[0] + toSun[1] * p[1] + toSun[2] * p[2]) / (sunRange * r);
        const double separation = std::acos(std::clamp(cosSeparation, -1.0, 1.0));
        const double earthDisc = std::asin(RepBas::Re / r);
        const double sunDisc = std::asin(ephemeris::kSunRadiusKm / sunRange);
        if (separation < earthDisc - sunDisc)
            ++umbra;
        else if (separation < earthDisc + sunDisc)
            ++partial;
    }
    const double minutesPerStep = periodS / 60 / kSteps;
    return {umbra * minutesPerStep, partial * minutesPerStep};
}

struct ShadowCase {
    double altitudeKm, betaDeg, sunDistanceAu;
};

TEST(Eclipse, DurationsAgreeWithAWalkRoundTheOrbit)
{
    const ShadowCase cases[] = {{786, 0, 1},      {786, 22, 0.9833}, {786, 60, 1.0167}, {693, 68, 1.0167},
                                {693, 69.5, 1},   {500, 70.5, 1},    {20200, 10, 1},    {35786, 8.5, 1},
                                {35786, 8.9, 1},  {200, 75, 1},      {1400, 55, 0.99}};
    for (const ShadowCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.altitudeKm << " km, beta " << c.betaDeg);
        const double r = RepBas::Re + c.altitudeKm;
        const double period = 2 * std::numbers::pi * std::sqrt(r * r * r / 398600.4418);
        const double distance = c.sunDistanceAu * ephemeris::kAstronomicalUnitKm;
        const EclipseTimes analytic =
            EclipsePerRevolution(r, c.betaDeg / kDeg, distance, period, RepBas::Re, ephemeris::kSunRadiusKm);
        const Walked walked = WalkTheOrbit(r, c.betaDeg / kDeg, distance, period);
        const double stepMin = period / 60 / 200000;
        EXPECT_NEAR(analytic.umbraMin, walked.umbraMin, 3 * stepMin);
        EXPECT_NEAR(analytic.penumbraMin, walked.penumbraMin, 3 * stepMin);
        EXPECT_NEAR(analytic.umbraFraction, analytic.umbraMin / (period / 60), 1e-12);
    }
}

// At beta 0 a low orbit spends about 35 minutes of its 100 in the umbra, the
// familiar figure of a Sun-pointing low orbit; the penumbra adds some 8
// seconds on each side.
TEST(Eclipse, LowOrbitAtBetaZero)
{
    const double r = RepBas::Re + 786;
    const EclipseTimes t =
        EclipsePerRevolution(r, 0, ephemeris::kAstronomicalUnitKm, 100.7 * 60, RepBas::Re, ephemeris::kSunRadiusKm);
    EXPECT_NEAR(t.umbraMin, 100.7 * (std::asin(RepBas::Re / r) / std::numbers::pi), 0.3);
    EXPECT_GT(t.penumbraMin, 0.1);
    EXPECT_LT(t.penumbraMin, 0.4);
}

TEST(Eclipse, NoShadowBeyondTheCriticalBeta)
{
    const double r = RepBas::Re + 693;
    // Beyond beta* = acos(sqrt(r^2 - Re^2) / r) (65.6 deg here) plus the
    // penumbra's few tenths of a degree, the orbit stays in the light.
    const double critical = std::acos(std::sqrt(r * r - RepBas::Re * RepBas::Re) / r) * kDeg;
    EXPECT_NEAR(critical, 64.5, 1.5);
    const EclipseTimes lit = EclipsePerRevolution(r, (critical + 1) / kDeg, ephemeris::kAstronomicalUnitKm, 5900,
                                                  RepBas::Re, ephemeris::kSunRadiusKm);
    EXPECT_EQ(lit.umbraMin, 0);
    EXPECT_EQ(lit.penumbraMin, 0);
    const EclipseTimes grazed = EclipsePerRevolution(r, (critical - 0.5) / kDeg, ephemeris::kAstronomicalUnitKm,
                                                     5900, RepBas::Re, ephemeris::kSunRadiusKm);
    EXPECT_GT(grazed.umbraMin, 0);
    // The orbit's far side: a negative beta is the same shadow.
    const EclipseTimes mirrored = EclipsePerRevolution(r, -(critical - 0.5) / kDeg, ephemeris::kAstronomicalUnitKm,
                                                       5900, RepBas::Re, ephemeris::kSunRadiusKm);
    EXPECT_EQ(mirrored.umbraMin, grazed.umbraMin);
}

TEST(Eclipse, AnOrbitInsideTheEarthHasNoFigures)
{
    const EclipseTimes t = EclipsePerRevolution(RepBas::Re - 1, 0, ephemeris::kAstronomicalUnitKm, 5000, RepBas::Re,
                                                ephemeris::kSunRadiusKm);
    EXPECT_EQ(t.umbraMin, 0);
    EXPECT_EQ(t.penumbraMin, 0);
}

}  // namespace
}  // namespace orbit::sun
