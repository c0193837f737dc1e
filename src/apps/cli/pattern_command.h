#pragma once
// `repeat-orbit pattern`: the relative ground-track pattern of one design, as
// the "Relative Ground Tracks" window draws it, written to a PNG or SVG file
// or listed as drawing operations. The listing needs no windows; the picture
// files need a build with them.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddPatternCommand(CLI::App& app);

}  // namespace orbit::cli
