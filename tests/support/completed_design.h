#pragma once
// A design solved as the design window solves it and put into a session as
// the window's compute does, for the tests of the windows that follow a
// session.

#include "core/repeat_orbit_solver.h"
#include "session/design_session.h"

inline void CompleteDesign(orbit::session::DesignSession& session, double n, double m, double q,
                           orbit::OrbitType type, double inclDegrees = 0, double inclTenths = 0)
{
    orbit::DesignRecord record;
    const orbit::RepeatOrbitSolution solution = orbit::SolveRepeatOrbit(
        orbit::RepeatOrbitInputs::Fixed(n, m, q, type, inclDegrees, inclTenths), {}, record);
    session.DesignCompleted(record, type, solution);
}
