// The osculating classical elements of a state (the OPM's), against the
// tests' own conic: the elements an ellipse was built from come back,
// whatever its shape.

#include "propagation/orbital_elements.h"

#include "core/orbit_error.h"
#include "tests/libs/export/two_body_orbit.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orbit::propagation {
namespace {

using exports::testing::Ellipse;

constexpr double kDeg = 180 / std::numbers::pi;

CartesianState PropagationStateOnEllipse(const Ellipse& e, double t)
{
    const exports::CartesianState s = exports::testing::StateOnEllipse(e, t);
    return {s.positionKm, s.velocityKmS};
}

// The elements in degrees, as the tests' ellipses are given.
struct ElementsDeg {
    double semiMajorAxisKm, eccentricity, inclinationDeg, raanDeg, argPericenterDeg, trueAnomalyDeg, meanAnomalyDeg;
};

ElementsDeg KeplerFromState(const CartesianState& state, double gmKm3S2)
{
    const ClassicalElements c = ToClassical(state, gmKm3S2);
    return {c.semiMajorAxisKm,         c.eccentricity,           c.inclinationRad * kDeg, c.raanRad * kDeg,
            c.argumentOfPerigeeRad * kDeg, c.trueAnomalyRad * kDeg, c.meanAnomalyRad * kDeg};
}

struct ElementsCase {
    const char* description;
    Ellipse ellipse;
};

// The difference of two angles in degrees, the short way round.
double AngleGap(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

class ElementsFromState : public ::testing::TestWithParam<ElementsCase> {};

TEST_P(ElementsFromState, GiveBackTheEllipse)
{
    const Ellipse& e = GetParam().ellipse;
    const ElementsDeg el = KeplerFromState(PropagationStateOnEllipse(e, 0), e.gmKm3S2);
    EXPECT_NEAR(el.semiMajorAxisKm, e.aKm, 1e-7 * e.aKm);
    EXPECT_NEAR(el.eccentricity, e.e, 1e-10);
    EXPECT_NEAR(el.inclinationDeg, e.iDeg, 1e-9);
    EXPECT_LT(AngleGap(el.raanDeg, e.raanDeg), 1e-9);
    EXPECT_LT(AngleGap(el.argPericenterDeg, e.argpDeg), 1e-6);
    EXPECT_LT(AngleGap(el.meanAnomalyDeg, e.meanAnomalyDeg), 1e-6);
    // The true anomaly from the mean one through the eccentric anomaly.
    const double M = e.meanAnomalyDeg * std::numbers::pi / 180;
    double E = M;
    for (int k = 0; k < 50; ++k)
        E -= (E - e.e * std::sin(E) - M) / (1 - e.e * std::cos(E));
    const double nu = 2 * std::atan2(std::sqrt(1 + e.e) * std::sin(E / 2), std::sqrt(1 - e.e) * std::cos(E / 2));
    EXPECT_LT(AngleGap(el.trueAnomalyDeg, nu * 180 / std::numbers::pi), 1e-6);
    for (const double angle : {el.raanDeg, el.argPericenterDeg, el.trueAnomalyDeg, el.meanAnomalyDeg}) {
        EXPECT_GE(angle, 0);
        EXPECT_LT(angle, 360);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orbits, ElementsFromState,
    ::testing::Values(ElementsCase{"frozen sun-synchronous LEO", {7159.5, 0.001165, 98.55, 30, 90, 10}},
                      ElementsCase{"Molniya", {26600, 0.74, 63.4, 250, 270, 200}},
                      ElementsCase{"inclined MEO past apocentre", {26560, 0.01, 55, 340, 120, 300}},
                      ElementsCase{"retrograde near-polar", {7000, 0.05, 120, 359, 45, 359}}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

TEST(ElementsOfACircle, PutThePericentreAtTheNode)
{
    // On a circle the anomalies count the argument of latitude from the node.
    const Ellipse circle{7000, 0, 98, 40, 0, 75};
    const ElementsDeg el = KeplerFromState(PropagationStateOnEllipse(circle, 0), circle.gmKm3S2);
    EXPECT_NEAR(el.eccentricity, 0, 1e-12);
    EXPECT_EQ(el.argPericenterDeg, 0);
    EXPECT_NEAR(el.trueAnomalyDeg, 75, 1e-9);
    EXPECT_NEAR(el.raanDeg, 40, 1e-9);
}

TEST(ElementsOfAnEquatorialOrbit, PutTheNodeOnTheXAxis)
{
    const Ellipse equatorial{42164, 0.0002, 0, 0, 100, 20};
    const ElementsDeg el = KeplerFromState(PropagationStateOnEllipse(equatorial, 0), equatorial.gmKm3S2);
    EXPECT_EQ(el.raanDeg, 0);
    EXPECT_NEAR(el.inclinationDeg, 0, 1e-9);
    EXPECT_LT(AngleGap(el.argPericenterDeg, 100), 1e-6);
}

TEST(ElementsOfAStateWithoutAnEllipse, AreRefused)
{
    CartesianState escaping;
    escaping.positionKm = {7000, 0, 0};
    escaping.velocityKmS = {0, 11.0, 0};  // above the escape speed of 10.67 km/s there
    EXPECT_THROW(KeplerFromState(escaping, 398600.4415), OrbitError);
    CartesianState notANumber = escaping;
    notANumber.velocityKmS[1] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(KeplerFromState(notANumber, 398600.4415), OrbitError);
    CartesianState atTheCentre;
    EXPECT_THROW(KeplerFromState(atTheCentre, 398600.4415), OrbitError);
}

}  // namespace
}  // namespace orbit::propagation
