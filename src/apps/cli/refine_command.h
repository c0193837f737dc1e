#pragma once
// `repeat-orbit refine`: how far the J2 design's track misses under a fuller
// Earth, the refined orbit whose track closes, and its frozen eccentricity.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddRefineCommand(CLI::App& app);

}  // namespace orbit::cli
