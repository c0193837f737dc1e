#include "propagation/closure.h"

#include "core/constants.h"
#include "core/orbit_error.h"
#include "propagation/orbital_elements.h"

#include <cmath>
#include <numbers>
#include <string>

namespace orbit::propagation {
namespace {

constexpr double kDaysPerYear = 365.2422;

void CheckCycle(const RepeatCycle& cycle)
{
    if (cycle.revolutions < 1 || !(cycle.nodalPeriodS > 0) || !std::isfinite(cycle.nodeRateRadS)) {
        throw OrbitError(ErrorKind::InvalidArgument, "A repeat cycle needs revolutions and a nodal period");
    }
}

// The nodes from a quarter turn before the epoch to a quarter turn after the
// R-th nodal period: the first is the node nearest the epoch.
std::vector<NodeCrossing> CycleNodes(const Propagator& propagator, const RepeatCycle& cycle, double earthAngle)
{
    CheckCycle(cycle);
    const double quarter = 0.25 * cycle.nodalPeriodS;
    std::vector<NodeCrossing> nodes =
        propagator.AscendingNodes(-quarter, cycle.revolutions * cycle.nodalPeriodS + quarter, earthAngle);
    if (nodes.size() != static_cast<std::size_t>(cycle.revolutions) + 1) {
        throw OrbitError(ErrorKind::InvalidArgument, "The orbit crossed the equator northwards " +
                                                         std::to_string(nodes.size()) + " times, not " +
                                                         std::to_string(cycle.revolutions + 1));
    }
    return nodes;
}

}  // namespace

Closure MeasureClosure(const Propagator& propagator, const RepeatCycle& cycle, double earthAngleAtEpochRad)
{
    const std::vector<NodeCrossing> nodes = CycleNodes(propagator, cycle, earthAngleAtEpochRad);
    Closure c;
    c.firstNode = nodes.front();
    c.lastNode = nodes.back();
    const double span = c.lastNode.secondsAfterEpoch - c.firstNode.secondsAfterEpoch;
    c.closureKm = WrapPlusMinusPi(c.lastNode.longitudeRad - c.firstNode.longitudeRad) *
                  propagator.Model().equatorialRadiusKm;
    c.tRS = c.lastNode.secondsAfterEpoch;
    c.closureTimeS = c.tRS - cycle.revolutions * cycle.nodalPeriodS;
    // The node's turn over the cycle, unwrapped around the design's own turn
    // (which may exceed half a circle for a low inclination and a long cycle).
    const double expectedTurn = cycle.nodeRateRadS * span;
    const double turn =
        expectedTurn + WrapPlusMinusPi(c.lastNode.rightAscensionRad - c.firstNode.rightAscensionRad - expectedTurn);
    // Mean local time of the node = its right ascension less the mean Sun's,
    // 2 pi to 86400 s of time.
    const double localTimeGainRad = turn - kMeanSunRateRadS * span;
    c.ltanDriftSPerCycle = localTimeGainRad * kSecondsPerDay / (2 * std::numbers::pi);
    c.ltanDriftMinPerYear = c.ltanDriftSPerCycle / span * kDaysPerYear * kSecondsPerDay / 60.0;
    return c;
}

double EarthAngleForFirstNode(const Propagator& propagator, const RepeatCycle& cycle, double longitudeRad)
{
    CheckCycle(cycle);
    const double quarter = 0.25 * cycle.nodalPeriodS;
    const std::vector<NodeCrossing> nodes = propagator.AscendingNodes(-quarter, 3 * quarter, 0.0);
    if (nodes.empty()) throw OrbitError(ErrorKind::InvalidArgument, "The orbit does not cross the equator northwards");
    // longitude = ra - (theta0 + rate t), so theta0 = ra - rate t - longitude.
    return WrapTwoPi(nodes.front().rightAscensionRad -
                     propagator.Model().earthRateRadS * nodes.front().secondsAfterEpoch - longitudeRad);
}

}  // namespace orbit::propagation
