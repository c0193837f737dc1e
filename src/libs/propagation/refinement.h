#pragma once
// The refined design: the initial osculating state whose track closes under
// the chosen model. The unknowns are the osculating semi-major axis and, for
// a sun-synchronous design, the inclination; the conditions are the closure
// of the R-th ascending node on the first and, for a sun-synchronous design,
// a node that keeps its mean local time over the cycle. The cycle's length
// then follows from the two: for a sun-synchronous orbit, Q turns of the
// Earth against the mean Sun.

#include "propagation/closure.h"
#include "propagation/mean_elements.h"

namespace orbit::propagation {

struct RefineRequest {
    GravityModel model;
    NonsingularElements meanStart;  // the J2 design's mean elements at the epoch
    RepeatCycle cycle;
    bool sunSynchronous = false;
    double earthAngleAtEpochRad = 0;
    double toleranceM = 10;         // closure; at least 0.01 m
    IntegratorTolerance integrator{};
    int iterationCap = 20;          // propagations of the cycle after the first
};

// The local-time drift a sun-synchronous refinement accepts (s per cycle).
inline constexpr double kLocalTimeDriftToleranceS = 0.01;

struct RefinedDesign {
    NonsingularElements osculating;
    CartesianState state;
    NonsingularElements mean;
    Closure closure;
    int iterations = 0;  // propagations of the cycle after the first
};

// Newton's method on the closure, its Jacobian first taken from the J2
// secular theory and then improved after each propagation by Broyden's
// secant update. Throws OrbitError (NoConvergence, "Refinement did not
// converge ...", with the closure reached) after the iteration cap (two
// iterations reach centimetres from the J2 design's kilometres), and
// (Usage) for a tolerance under 0.01 m.
RefinedDesign Refine(const RefineRequest& request);

}  // namespace orbit::propagation
