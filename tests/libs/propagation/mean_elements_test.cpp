// The nonsingular elements, the J2 short-period terms and their inverse,
// checked against the propagator: the mean elements of a propagated orbit
// must stay put while its osculating elements swing, and the design core's
// nodal period and node rate must come back from a design's initial state.

#include "core/repeat_orbit_solver.h"
#include "propagation/mean_elements.h"
#include "propagation/propagator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace orbit::propagation {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

struct ElementsCase {
    std::string name;
    double axisKm, e, argumentOfPerigeeDeg, inclinationDeg, meanArgumentOfLatitudeDeg;
};

NonsingularElements Elements(const ElementsCase& c)
{
    NonsingularElements el;
    el.semiMajorAxisKm = c.axisKm;
    el.ex = c.e * std::cos(c.argumentOfPerigeeDeg * kDeg);
    el.ey = c.e * std::sin(c.argumentOfPerigeeDeg * kDeg);
    el.inclinationRad = c.inclinationDeg * kDeg;
    el.raanRad = 2.5;
    el.meanArgumentOfLatitudeRad = c.meanArgumentOfLatitudeDeg * kDeg;
    return el;
}

void ExpectSameElements(const NonsingularElements& a, const NonsingularElements& b, double axisTolKm, double angleTol)
{
    EXPECT_NEAR(a.semiMajorAxisKm, b.semiMajorAxisKm, axisTolKm);
    EXPECT_NEAR(a.ex, b.ex, angleTol);
    EXPECT_NEAR(a.ey, b.ey, angleTol);
    EXPECT_NEAR(a.inclinationRad, b.inclinationRad, angleTol);
    EXPECT_NEAR(WrapPlusMinusPi(a.raanRad - b.raanRad), 0, angleTol);
    EXPECT_NEAR(WrapPlusMinusPi(a.meanArgumentOfLatitudeRad - b.meanArgumentOfLatitudeRad), 0, angleTol);
}

class ElementsRoundTrip : public testing::TestWithParam<ElementsCase> {};

TEST_P(ElementsRoundTrip, CartesianAndBack)
{
    const NonsingularElements el = Elements(GetParam());
    const double gm = DesignJ2Model().gmKm3S2;
    ExpectSameElements(ToNonsingular(ToCartesian(el, gm), gm), el, 1e-8, 1e-12);
}

TEST_P(ElementsRoundTrip, MeanToOsculatingAndBack)
{
    const NonsingularElements mean = Elements(GetParam());
    const GravityModel model = Egm2008ZonalModel();
    const NonsingularElements osculating = MeanToOsculating(mean, model);
    // The terms are of order J2 a: kilometres in the axis.
    EXPECT_GT(std::abs(osculating.semiMajorAxisKm - mean.semiMajorAxisKm) +
                  std::abs(osculating.inclinationRad - mean.inclinationRad) * mean.semiMajorAxisKm,
              0.1);
    ExpectSameElements(OsculatingToMean(osculating, model), mean, 1e-8, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Orbits, ElementsRoundTrip,
                         testing::Values(ElementsCase{"CircularAtTheNode", 7078, 0, 0, 98.2, 0},
                                         ElementsCase{"CircularOverThePole", 7078, 0, 0, 90, 90},
                                         ElementsCase{"FrozenSunSynchronous", 7159.5, 0.00116, 90, 98.55, 200},
                                         ElementsCase{"SlightlyEllipticInclined", 6900, 0.01, 250, 51.6, 33},
                                         ElementsCase{"LowInclinationRetrogradeHalf", 8000, 0.002, 10, 170, 300}),
                         [](const testing::TestParamInfo<ElementsCase>& p) { return p.param.name; });

// In the equatorial plane the node rate no longer depends on the
// inclination; the mean axis alone still gives a finite state on the
// expected circle (the short-period terms swing the radius by kilometres).
TEST(EquatorialMeanElements, GiveAFiniteState)
{
    const NonsingularElements mean = Elements({"", 7000, 0, 0, 0, 0});
    const GravityModel model = DesignJ2Model();
    const CartesianState state = ToCartesian(MeanToOsculating(mean, model), model.gmKm3S2);
    const double r = std::hypot(state.positionKm[0], state.positionKm[1], state.positionKm[2]);
    EXPECT_NEAR(r, 7000, 20);
    EXPECT_NEAR(state.positionKm[2], 0, 1e-9);
}

// Along one day of a propagated J2 orbit the osculating axis swings by
// kilometres, the inclination by hundredths of a degree and the eccentricity
// vector by 1e-3; the mean elements taken from the same states hold still:
// the axis and inclination, which come from the energy and the polar
// momentum, to micrometres and 1e-12 rad, the eccentricity vector up to the
// second order (J2^2: a few 1e-6).
TEST(MeanElementsOfPropagatedOrbit, HoldStillWhileTheOsculatingOnesSwing)
{
    const GravityModel model = DesignJ2Model();
    const NonsingularElements mean0 = Elements({"", 7164.26, 0, 0, 98.544, 0});
    const Propagator propagator(model, ToCartesian(MeanToOsculating(mean0, model), model.gmKm3S2));
    const double period = 2 * std::numbers::pi * std::sqrt(std::pow(mean0.semiMajorAxisKm, 3) / model.gmKm3S2);
    std::vector<double> axis, inclination, ex, ey, oscAxis, oscInclination, oscEy;
    for (const TimedState& s : propagator.Sample(0, 86400, period / 17)) {
        const NonsingularElements osc = ToNonsingular(s.state, model.gmKm3S2);
        const NonsingularElements mean = OsculatingToMean(osc, model);
        axis.push_back(mean.semiMajorAxisKm);
        inclination.push_back(mean.inclinationRad);
        ex.push_back(mean.ex);
        ey.push_back(mean.ey);
        oscAxis.push_back(osc.semiMajorAxisKm);
        oscInclination.push_back(osc.inclinationRad);
        oscEy.push_back(osc.ey);
    }
    auto spread = [](const std::vector<double>& v) {
        const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
        return *hi - *lo;
    };
    EXPECT_GT(spread(oscAxis), 15.0);
    EXPECT_LT(spread(axis), 1e-6);
    EXPECT_GT(spread(oscInclination), 1e-4);
    EXPECT_LT(spread(inclination), 1e-10);
    EXPECT_GT(spread(oscEy), 3e-3);
    EXPECT_LT(spread(ex), 1e-5);
    EXPECT_LT(spread(ey), 1e-5);
}

struct DesignCase {
    std::string name;
    double n, m, q;
    OrbitType type;
    double inclinationDeg;
};

class DesignInitialStateUnderJ2 : public testing::TestWithParam<DesignCase> {};

// Propagated under the design's own J2 Earth, the design's initial state
// crosses the equator once every design nodal period and its node turns at
// the design's rate. With k = 1.5 J2 (Re/a)^2, the first-order map alone
// missed by the second-order secular terms (measured: 0.2 and 5 k^2 in the
// period, 0.6 and 1.8 k in the node rate at 98.5 and 28.5 degrees); with the
// mean elements taken as the design core means them, what is left is of the
// third order (measured: under 0.013 k^2 and 0.005 k). The bounds, 0.03 k^2
// and 0.01 k, each move a ten-day cycle's node by under 20 m.
TEST_P(DesignInitialStateUnderJ2, ReproducesTheDesignNodalPeriodAndNodeRate)
{
    const DesignCase& c = GetParam();
    DesignRecord record;
    const RepeatOrbitSolution solution = SolveRepeatOrbit(
        RepeatOrbitInputs::Fixed(c.n, c.m, c.q, c.type, std::floor(c.inclinationDeg),
                                 std::round((c.inclinationDeg - std::floor(c.inclinationDeg)) * 10)),
        {}, record);
    const GravityModel model = DesignJ2Model();
    const CartesianState start = DesignInitialState(solution.SemiMajorAxis, record.Incl, 0.4, 0, model);
    const Propagator propagator(model, start);
    const std::vector<NodeCrossing> nodes =
        propagator.AscendingNodes(-0.25 * record.NodalPeriod, 2 * 86400.0, 0);
    ASSERT_GE(nodes.size(), 20u);
    EXPECT_NEAR(nodes.front().secondsAfterEpoch, 0, 1e-3);
    const double span = nodes.back().secondsAfterEpoch - nodes.front().secondsAfterEpoch;
    const double revolutions = static_cast<double>(nodes.size() - 1);
    const double order = 1.5 * model.J(2) * std::pow(model.equatorialRadiusKm / solution.SemiMajorAxis, 2);
    EXPECT_NEAR(span / revolutions / record.NodalPeriod - 1, 0, 0.03 * order * order);
    const double nodeRate = WrapPlusMinusPi(nodes.back().rightAscensionRad - nodes.front().rightAscensionRad) / span;
    EXPECT_NEAR(nodeRate / record.NodeRate - 1, 0, 0.01 * order);
}

INSTANTIATE_TEST_SUITE_P(Designs, DesignInitialStateUnderJ2,
                         testing::Values(DesignCase{"SunSynchronous14Plus3Over10", 14, 3, 10, OrbitType::SunSynchronous, 0},
                                         DesignCase{"Inclined15Plus1Over3", 15, 1, 3, OrbitType::ChooseInclination, 51.6},
                                         DesignCase{"LowInclined13Plus2Over5", 13, 2, 5, OrbitType::ChooseInclination, 28.5}),
                         [](const testing::TestParamInfo<DesignCase>& p) { return p.param.name; });

}  // namespace
}  // namespace orbit::propagation
