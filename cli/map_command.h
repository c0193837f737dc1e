#pragma once
// `repeat-orbit map`: the ground track of one design over the continents, day
// by day, with the instrument's swath, written to a PNG or SVG file as the
// "Ground Track Map" window draws it. Needs a build with the windows.

#include <CLI/CLI.hpp>

#include <string>

namespace orbit::cli {

void AddMapCommand(CLI::App& app);

// Reads a picture size "WxH" (1600x800); false when the text is not one.
bool ParsePictureSize(const std::string& text, int& widthPx, int& heightPx);

}  // namespace orbit::cli
