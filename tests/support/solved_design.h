#pragma once
// A design solved as every entry point solves it: the record the tests of the
// models below the windows start from.

#include "core/repeat_orbit_solver.h"

namespace orbit::testing {

inline DesignRecord SolvedDesign(double n, double m, double q, OrbitType type = OrbitType::SunSynchronous,
                                 double inclDeg = 0, double inclTenths = 0)
{
    DesignRecord record;
    SolveRepeatOrbit(RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, inclTenths), {}, record);
    return record;
}

}  // namespace orbit::testing
