#pragma once
// A completed design, solved into a record of its own, for the pattern tests.

#include "core/repeat_orbit_solver.h"

namespace pattern_test {

inline orbit::DesignRecord Design(double n, double m, double q,
                                  orbit::OrbitType type = orbit::OrbitType::ChooseInclination,
                                  double inclDeg = 65)
{
    orbit::DesignRecord record;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, 0), {}, record);
    return record;
}

}  // namespace pattern_test
