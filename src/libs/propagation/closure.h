#pragma once
// How far a repeat orbit's ground track misses after its cycle: propagate the
// initial state through R = N Q + M revolutions and compare the R-th
// ascending node with the first.

#include "ephemeris/orbit_node.h"
#include "propagation/propagator.h"

namespace orbit::propagation {

// The mean Sun: 2 pi per 365.2422 days of 86400 s.
using ephemeris::kMeanSunRateRadS;

// The cycle the track should close after, as the design core gives it.
struct RepeatCycle {
    int revolutions = 0;          // R = N Q + M
    double nodalPeriodS = 0;      // the design's nodal period T
    double nodeRateRadS = 0;      // the design's node rate (to unwrap the node's turn)
};

struct Closure {
    NodeCrossing firstNode;       // the ascending node nearest the epoch (within a quarter turn)
    NodeCrossing lastNode;        // R revolutions later
    double closureKm = 0;         // Earth-fixed longitude of the R-th node less the first's, along the equator, east +
    double tRS = 0;               // time of the R-th node after the epoch
    double closureTimeS = 0;      // tR - R T
    double ltanDriftSPerCycle = 0;  // seconds of mean local time of the node gained over the cycle
    double ltanDriftMinPerYear = 0; // the same rate in minutes a year (365.2422 days)
};

// Throws OrbitError (InvalidArgument) for a cycle without revolutions, or
// when the orbit does not cross the equator R times in R nodal periods.
Closure MeasureClosure(const Propagator& propagator, const RepeatCycle& cycle, double earthAngleAtEpochRad);

// The Earth's rotation angle at the epoch that puts the first ascending node
// of the orbit (the one nearest the epoch) at Earth-fixed `longitudeRad`.
double EarthAngleForFirstNode(const Propagator& propagator, const RepeatCycle& cycle, double longitudeRad);

}  // namespace orbit::propagation
