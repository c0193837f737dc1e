#pragma once
// `repeat-orbit coverage`: with an instrument's swath on one repeat design,
// which share of each parallel is seen in a cycle and how long each place
// waits between looks, as a summary and table, CSV or JSON, and a chart.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddCoverageCommand(CLI::App& app);

}  // namespace orbit::cli
