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

    // Throws a usage error when no orbit type was chosen.
    DesignRequest Request() const;
};

// Adds --n, --m, --q, --sun-sync, --incl and --tenths to `command`.
void AddDesignInputOptions(CLI::App& command, DesignInputOptions& options);

}  // namespace orbit::cli
