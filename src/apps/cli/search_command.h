#pragma once
// `repeat-orbit search`: every repeat orbit in an altitude band with cycles up
// to a number of days, as a table, CSV or JSON.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddSearchCommand(CLI::App& app);

}  // namespace orbit::cli
