#pragma once
// The one-line names of a design, as every window, picture and table heads
// it. Written once so that a map, a chart and the command line never name
// the same orbit differently.

#include "core/repeat_orbit_solver.h"

#include <string>

namespace orbit {

// "N 14, M 3, Q 10, sun-synchronous" or "N 14, M 1, Q 3, inclination 65.0°":
// the repeat condition and the type as the user chose them.
std::string DesignName(const DesignRecord& record, OrbitType type);

// The name with the solved figures, as the design window shows them:
// "N 14, M 1, Q 3, sun-synchronous, altitude 774.98 km, inclination 98.497°"
// (a derived inclination to a thousandth, a chosen one in tenths).
std::string DesignTitle(const DesignRecord& record, OrbitType type, double meanAltitudeKm);

}  // namespace orbit
