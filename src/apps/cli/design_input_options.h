#pragma once
// The inputs of one design as every subcommand that runs a design takes them
// (design, pattern, coverage, map and those after them): --n, --m, --q and
// the orbit type, kept as the texts the user typed.

#include "cli/design_run.h"
#include "cli/orbit_type_options.h"

#include <CLI/CLI.hpp>

#include <string>

namespace orbit::cli {

struct DesignInputOptions {
    std::string nText, mText, qText;
    OrbitTypeOptions orbitType;

    // Throws a usage error when no orbit type was chosen, or for inputs that
    // make no orbit: Q below 1, N Q + M below 1, an inclination outside 0 to
    // 180 degrees. Texts that are not numbers pass, to fail where the solver
    // reads them as they would in the window.
    DesignRequest Request() const;
};

// Adds --n, --m, --q, --sun-sync, --incl and --tenths to `command`.
void AddDesignInputOptions(CLI::App& command, DesignInputOptions& options);

}  // namespace orbit::cli
