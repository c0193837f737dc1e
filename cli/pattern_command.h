#pragma once
// `repeat-orbit pattern`: the relative ground-track pattern of one design, as
// the "Relative Ground Tracks" window draws it, written to a PNG or SVG file
// or listed as drawing operations. Built only with the windows.

#include <CLI/CLI.hpp>

namespace orbit::cli {

#ifdef REPEAT_ORBIT_PATTERN_COMMAND
void AddPatternCommand(CLI::App& app);
#else
// Built without the windows: there is no pattern subcommand.
inline void AddPatternCommand(CLI::App&) {}
#endif

}  // namespace orbit::cli
