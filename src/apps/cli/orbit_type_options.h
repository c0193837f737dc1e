#pragma once
// The orbit-type choice every subcommand shares, those that run one design
// and the search alike: --sun-sync, or --incl DEG with an optional
// --tenths T, exactly one of the two.

#include "core/repeat_orbit_solver.h"

#include <CLI/CLI.hpp>

#include <string>

namespace orbit::cli {

struct OrbitTypeOptions {
    bool sunSync = false;
    std::string inclDegreesText;
    std::string inclTenthsText = "0";
    CLI::Option* inclOption = nullptr;

    // Throws a usage error when neither type was chosen, or when --incl and
    // --tenths read as numbers that make no inclination from 0 to 180 degrees.
    OrbitType Type() const;
};

// Adds --sun-sync, --incl and --tenths to `command`, bound to `options`.
void AddOrbitTypeOptions(CLI::App& command, OrbitTypeOptions& options);

}  // namespace orbit::cli
