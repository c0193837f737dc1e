#pragma once
// `repeat-orbit sun`: from one design, an epoch and the node's local time,
// the Sun's figures of the orbit through a span: the node's mean and true
// local times, the Sun's angle to the orbit plane, the eclipse of each
// revolution, and by latitude the local time and light of each day's passes.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddSunCommand(CLI::App& app);

}  // namespace orbit::cli
