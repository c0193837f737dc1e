// The propagator against the two-body solution, its own integrals of motion
// and itself at a tighter tolerance.

#include "core/orbit_error.h"
#include "propagation/orbital_elements.h"
#include "propagation/propagator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace orbit::propagation {
namespace {

constexpr double kDay = 86400.0;
constexpr double kDeg = std::numbers::pi / 180;

double Distance(const Vector3& a, const Vector3& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

GravityModel KeplerOnly()
{
    GravityModel model = Egm2008ZonalModel();
    model.name = "kepler";
    model.zonal = {0, 0, 0, 0, 0};
    return model;
}

NonsingularElements LeoElements(double e, double inclinationDeg)
{
    NonsingularElements el;
    el.semiMajorAxisKm = 7078.0;
    el.ex = e * std::cos(40 * kDeg);
    el.ey = e * std::sin(40 * kDeg);
    el.inclinationRad = inclinationDeg * kDeg;
    el.raanRad = 1.0;
    el.meanArgumentOfLatitudeRad = 0.3;
    return el;
}

struct KeplerCase {
    std::string name;
    double eccentricity;
    double inclinationDeg;
};

class KeplerOrbit : public testing::TestWithParam<KeplerCase> {};

// Without harmonics the mean argument of latitude grows at n = sqrt(GM/a^3)
// and nothing else moves: the exact solution, formed through Kepler's equation.
TEST_P(KeplerOrbit, FollowsTheTwoBodySolutionForTenDays)
{
    const GravityModel model = KeplerOnly();
    const NonsingularElements start = LeoElements(GetParam().eccentricity, GetParam().inclinationDeg);
    const Propagator propagator(model, ToCartesian(start, model.gmKm3S2));
    const std::vector<double> times{-0.5 * kDay, 0.0, 1234.5, kDay, 10 * kDay};
    const std::vector<CartesianState> states = propagator.StatesAt(times);
    const double n = std::sqrt(model.gmKm3S2 / std::pow(start.semiMajorAxisKm, 3));
    for (std::size_t k = 0; k < times.size(); ++k) {
        NonsingularElements later = start;
        later.meanArgumentOfLatitudeRad += n * times[k];
        const CartesianState exact = ToCartesian(later, model.gmKm3S2);
        EXPECT_LT(Distance(states[k].positionKm, exact.positionKm) * 1000, 1.0) << "t = " << times[k];
        EXPECT_LT(Distance(states[k].velocityKmS, exact.velocityKmS) * 1e6, 1.0) << "t = " << times[k];
    }
}

// The nodes of a Kepler orbit fall where the true argument of latitude is 0,
// once a period; their Earth-fixed longitude is the node's right ascension
// less the Earth's angle. Over a day the integration itself drifts by well
// under a microsecond, so the node search is checked to that.
TEST_P(KeplerOrbit, FindsEachAscendingNodeToAMicrosecond)
{
    const GravityModel model = KeplerOnly();
    const NonsingularElements start = LeoElements(GetParam().eccentricity, GetParam().inclinationDeg);
    const Propagator propagator(model, ToCartesian(start, model.gmKm3S2));
    const double n = std::sqrt(model.gmKm3S2 / std::pow(start.semiMajorAxisKm, 3));
    const double period = 2 * std::numbers::pi / n;
    // The mean argument of latitude of the node: true 0, so eccentric
    // anomaly at -w, mean anomaly E - e sin E.
    const double e = GetParam().eccentricity, w = std::atan2(start.ey, start.ex);
    const double eAtNode = std::atan2(-std::sqrt(1 - e * e) * std::sin(w), e + std::cos(w));
    const double meanArgAtNode = eAtNode - e * std::sin(eAtNode) + w;
    const double firstNode = WrapTwoPi(meanArgAtNode - start.meanArgumentOfLatitudeRad) / n;
    const double earthAngle = 0.7;
    const std::vector<NodeCrossing> nodes = propagator.AscendingNodes(0, kDay, earthAngle);
    ASSERT_EQ(nodes.size(), static_cast<std::size_t>(std::floor((kDay - firstNode) / period)) + 1);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const double expected = firstNode + static_cast<double>(k) * period;
        EXPECT_NEAR(nodes[k].secondsAfterEpoch, expected, 1e-6) << "node " << k;
        EXPECT_NEAR(nodes[k].rightAscensionRad, WrapPlusMinusPi(start.raanRad), 1e-12);
        EXPECT_NEAR(WrapPlusMinusPi(nodes[k].longitudeRad -
                                    (start.raanRad - earthAngle - model.earthRateRadS * nodes[k].secondsAfterEpoch)),
                    0, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(Orbits, KeplerOrbit,
                         testing::Values(KeplerCase{"CircularPolar", 0.0, 90.0},
                                         KeplerCase{"NearCircularSunSynchronous", 0.001, 98.2},
                                         KeplerCase{"EllipticInclined", 0.1, 51.6},
                                         KeplerCase{"EllipticRetrograde", 0.05, 140.0}),
                         [](const testing::TestParamInfo<KeplerCase>& p) { return p.param.name; });

struct ModelCase {
    std::string name;
    GravityModel model;
};

class AxiallySymmetricField : public testing::TestWithParam<ModelCase> {};

// In a field symmetric about the pole, and not turning, the energy
// v^2/2 - U and the polar angular momentum are integrals of the motion;
// together they make the Jacobi integral of the Earth-fixed frame.
TEST_P(AxiallySymmetricField, KeepsEnergyAndPolarMomentumForThirtyDays)
{
    const GravityModel& model = GetParam().model;
    const CartesianState start = ToCartesian(LeoElements(0.001, 98.2), model.gmKm3S2);
    const Propagator propagator(model, start);
    const std::vector<double> times{kDay, 10 * kDay, 30 * kDay};
    const std::vector<CartesianState> states = propagator.StatesAt(times);
    auto polarMomentum = [](const CartesianState& s) {
        return s.positionKm[0] * s.velocityKmS[1] - s.positionKm[1] * s.velocityKmS[0];
    };
    const double energy0 = OrbitEnergy(model, start);
    const double momentum0 = polarMomentum(start);
    for (std::size_t k = 0; k < times.size(); ++k) {
        EXPECT_LT(std::abs(OrbitEnergy(model, states[k]) / energy0 - 1), 1e-10) << "day " << times[k] / kDay;
        EXPECT_LT(std::abs(polarMomentum(states[k]) - momentum0), 1e-10 * std::abs(momentum0) + 1e-9);
    }
}

// Ten times tighter tolerances move the orbit by less than a metre over a month.
TEST_P(AxiallySymmetricField, AgreesWithATenTimesTighterToleranceToAMetre)
{
    const GravityModel& model = GetParam().model;
    const CartesianState start = ToCartesian(LeoElements(0.0, 98.2), model.gmKm3S2);
    const std::vector<double> times{10 * kDay, 30 * kDay};
    const std::vector<CartesianState> normal = Propagator(model, start).StatesAt(times);
    const std::vector<CartesianState> tight = Propagator(model, start, {1e-14, 1e-14}).StatesAt(times);
    for (std::size_t k = 0; k < times.size(); ++k) {
        EXPECT_LT(Distance(normal[k].positionKm, tight[k].positionKm) * 1000, 1.0) << "day " << times[k] / kDay;
    }
}

// The zonal field's acceleration is the gradient of its potential: central
// differences of U in each direction.
TEST_P(AxiallySymmetricField, PullsAlongTheGradientOfItsPotential)
{
    const GravityModel& model = GetParam().model;
    const Vector3 point{3100.0, -4200.0, 4800.0};
    const Vector3 a = ZonalAcceleration(model, point);
    const double h = 1e-3;
    for (std::size_t k = 0; k < 3; ++k) {
        Vector3 up = point, down = point;
        up[k] += h;
        down[k] -= h;
        const double gradient = (ZonalPotential(model, up) - ZonalPotential(model, down)) / (2 * h);
        EXPECT_NEAR(a[k], gradient, 1e-11) << "component " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Models, AxiallySymmetricField,
                         testing::Values(ModelCase{"DesignJ2", DesignJ2Model()},
                                         ModelCase{"Egm2008Zonal", Egm2008ZonalModel()}),
                         [](const testing::TestParamInfo<ModelCase>& p) { return p.param.name; });

// The published EGM2008 figures: GM, radius and the unnormalised harmonics
// J2 = 1.0826e-3, J3 = -2.5324e-6, J4 = -1.6199e-6 (Pavlis et al. 2012, the
// tide-free model).
TEST(Egm2008Model, CarriesThePublishedZonalHarmonics)
{
    const GravityModel model = Egm2008ZonalModel();
    EXPECT_EQ(model.gmKm3S2, 398600.4415);
    EXPECT_EQ(model.equatorialRadiusKm, 6378.1363);
    EXPECT_NEAR(model.J(2), 1.08262617e-3, 1e-11);
    EXPECT_NEAR(model.J(3), -2.5324105e-6, 1e-12);
    EXPECT_NEAR(model.J(4), -1.6198976e-6, 1e-12);
    EXPECT_NEAR(model.J(5), -2.2775359e-7, 1e-13);
    EXPECT_NEAR(model.J(6), 5.4066658e-7, 1e-13);
}

TEST(PropagatorInput, RefusesAStateInsideTheEarthOrNotFinite)
{
    const GravityModel model = DesignJ2Model();
    const CartesianState inside{{3000, 0, 0}, {0, 7, 0}};
    const CartesianState notFinite{{7000, 0, std::nan("")}, {0, 7, 0}};
    for (const CartesianState& state : {inside, notFinite}) {
        try {
            Propagator p(model, state);
            ADD_FAILURE() << "accepted";
        } catch (const OrbitError& error) {
            EXPECT_EQ(error.Kind(), ErrorKind::InvalidArgument);
        }
    }
}

// A state that falls into the Earth stops the propagation with an error
// instead of integrating through the centre.
TEST(PropagatorInput, StopsWhenTheOrbitMeetsTheEarth)
{
    const GravityModel model = DesignJ2Model();
    const Propagator falling(model, CartesianState{{7000, 0, 0}, {0, 2.0, 0}});
    try {
        falling.StatesAt(std::vector<double>{kDay});
        ADD_FAILURE() << "propagated through the Earth";
    } catch (const OrbitError& error) {
        EXPECT_EQ(error.Kind(), ErrorKind::InvalidArgument);
    }
}

// The states handed on one by one are those of StatesAt at the same times
// to the bit, from a start before the epoch too, with the span's end closing
// the series when the step does not fall on it (and not otherwise).
TEST(PropagatorSample, StatesHandedOnOneByOneAreThoseOfStatesAt)
{
    const GravityModel model = Egm2008ZonalModel();
    const Propagator propagator(model, ToCartesian(LeoElements(0.001, 98), model.gmKm3S2));
    struct Case {
        const char* name;
        double fromS, toS, stepS;
        bool endIncluded;
        std::size_t samples, states;
        double lastS;
    } const cases[] = {
        {"end between steps, included", 0, 3600.5, 60, true, 61, 62, 3600.5},
        {"end between steps, left out", 0, 3600.5, 60, false, 61, 61, 3600},
        {"end on a step", 0, 3600, 60, true, 61, 61, 3600},
        {"from before the epoch", -1800, 1800, 90, true, 41, 41, 1800},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SampleCount(c.fromS, c.toS, c.stepS), c.samples);
        std::vector<double> times;
        std::vector<CartesianState> streamed;
        propagator.Sample(c.fromS, c.toS, c.stepS, c.endIncluded, [&](const TimedState& s) {
            times.push_back(s.secondsAfterEpoch);
            streamed.push_back(s.state);
        });
        ASSERT_EQ(times.size(), c.states);
        EXPECT_EQ(times.front(), c.fromS);
        EXPECT_EQ(times.back(), c.lastS);
        const std::vector<CartesianState> expected = propagator.StatesAt(times);
        for (std::size_t k = 0; k < times.size(); ++k) {
            ASSERT_EQ(streamed[k].positionKm, expected[k].positionKm) << k;
            ASSERT_EQ(streamed[k].velocityKmS, expected[k].velocityKmS) << k;
        }
    }
    EXPECT_THROW(SampleCount(0, 366 * kDay, 1e-3), OrbitError);
}

}  // namespace
}  // namespace orbit::propagation
