#pragma once
// `repeat-orbit map`: the ground track of one design over the continents, day
// by day, with the instrument's swath, written to a PNG or SVG file as the
// "Ground Track Map" window draws it. Needs a build with the windows. With
// --epoch and the node the longitudes are true, and --night [--at TIME]
// shades the night side at an instant.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddMapCommand(CLI::App& app);

}  // namespace orbit::cli
