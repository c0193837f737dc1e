#pragma once
// `repeat-orbit export`: one designed orbit handed on to another tool, as a
// CCSDS OPM, OMM or OEM, a fitted TLE, a GMAT script, or its ground track as
// GeoJSON or KML, to standard output or a file.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddExportCommand(CLI::App& app);

}  // namespace orbit::cli
