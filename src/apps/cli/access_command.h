#pragma once
// `repeat-orbit access`: for a design with an epoch and a node, when the
// orbit sees a place (its passes and looks), or when a ground station can
// talk to the satellite (its contacts), with times to the millisecond.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddAccessCommand(CLI::App& app);

}  // namespace orbit::cli
