#pragma once
// One design as the command line runs it: the inputs arrive as the texts the
// user typed and are read with the window's strict rule at the moment the
// solver needs them, so a bad value fails exactly where the window would.
// Everything the solver yields before a failure is kept.

#include "core/repeat_orbit_solver.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orbit::cli {

struct DesignRequest {
    std::string nText, mText, qText;
    OrbitType type = OrbitType::ChooseInclination;
    std::string inclDegreesText = "0";  // read for ChooseInclination only
    std::string inclTenthsText = "0";
};

struct DesignRun {
    OrbitType type = OrbitType::ChooseInclination;
    std::optional<std::int16_t> revCount;
    std::optional<double> semiMajorAxisKm;
    std::optional<double> meanAltitudeKm;
    std::optional<RepeatOrbitSolution> solution;  // set when the solve completed
    DesignRecord record;                          // this run's own design record
    std::optional<std::string> error;             // the failing step's text

    bool completed() const { return solution.has_value(); }
};

// Never throws an OrbitError: a failure ends up in `error`.
DesignRun RunDesign(const DesignRequest& request);

// For the commands that need a completed design to go on: runs it, and on a
// failure prints the design's error on standard error and throws
// ComputationFailed() (exit 1).
DesignRun RunCompletedDesign(const DesignRequest& request);

// The refusal of a completed design whose mean altitude is below 0 km, for
// the commands that follow the orbit in time and over the ground (sun,
// access, refine, export, coverage, map): inside the Earth there is nothing
// to follow, and every figure would be fiction. None for any other run.
std::optional<std::string> BelowSurfaceRefusal(const DesignRun& run);

// As RunCompletedDesign, and an orbit below the Earth's surface is refused
// the same way, with BelowSurfaceRefusal's text, before any work on it.
DesignRun RunOrbitingDesign(const DesignRequest& request);

}  // namespace orbit::cli
