#pragma once
// Plain-language warnings about a design whose numbers are formally right but
// describe no usable orbit. A warning explains a result; it never changes one.

#include "core/repeat_orbit_solver.h"

#include <optional>
#include <string>
#include <vector>

namespace orbit::cli {

inline constexpr const char* kBelowSurfaceWarning =
    "The orbit lies below the Earth's surface: its mean altitude is below 0 km.";
inline constexpr const char* kNoSunSynchronousWarning =
    "No sun-synchronous orbit exists at this semi-major axis: the cosine of the inclination "
    "falls below -1, so the inclination is clamped to 180 degrees.";

// The warnings that apply to what is known of a design: its axis and altitude
// when they have been formed (a failed solve may not have got that far).
std::vector<std::string> DesignWarnings(OrbitType type, std::optional<double> semiMajorAxisKm,
                                        std::optional<double> meanAltitudeKm);

}  // namespace orbit::cli
