#pragma once
// The layout of `repeat-orbit --help` and `--help-all`. The manual page is
// made from --help-all, so that text is laid out the way a manual page reads:
// the commands in a short list, then each command's options under a heading
// of its own, every option set off from its description by two blanks or more.

#include <CLI/CLI.hpp>

#include <memory>

namespace orbit::cli {

// The formatter to give the top-level App before its commands are added (they
// take it over when they are made).
std::shared_ptr<CLI::Formatter> ManualPageFormatter();

}  // namespace orbit::cli
