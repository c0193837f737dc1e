#pragma once
// A solved design and the figures the access tests need of it.

#include "core/repeat_orbit_solver.h"

namespace orbit::access::testing {

struct SolvedOrbit {
    DesignRecord record;
    RepeatOrbitSolution solution;
};

inline SolvedOrbit Solve(double n, double m, double q, OrbitType type = OrbitType::SunSynchronous, double inclDeg = 0)
{
    SolvedOrbit orbit;
    orbit.solution = SolveRepeatOrbit(RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, 0), {}, orbit.record);
    return orbit;
}

inline double CycleSeconds(const SolvedOrbit& orbit)
{
    return (orbit.record.N * orbit.record.Q + orbit.record.M) * orbit.record.NodalPeriod;
}

}  // namespace orbit::access::testing
