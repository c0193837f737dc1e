#pragma once
// `repeat-orbit design`: one repeat orbit from N, M, Q and the orbit type,
// shown as the design window shows it, or as JSON.

#include <CLI/CLI.hpp>

namespace orbit::cli {

void AddDesignCommand(CLI::App& app);

}  // namespace orbit::cli
