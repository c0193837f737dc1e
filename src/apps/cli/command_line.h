#pragma once
// Running `repeat-orbit`: parsing, dispatch to the chosen subcommand, and the
// exit status a script can rely on.

#include <CLI/CLI.hpp>

#include <string>

namespace orbit {
class OrbitError;
}

namespace orbit::cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitComputationError = 1;  // the design core reported an error
inline constexpr int kExitUsageError = 2;        // the command line itself is wrong

// Thrown by a subcommand whose computation failed after it reported the error.
CLI::RuntimeError ComputationFailed();

// A usage error with a message that names the argument and the reason.
CLI::ValidationError UsageError(const std::string& message);

// The usage error for a request the core or analysis layer refused: its
// input named as the option the user typed ("--alt-min: the band must lie
// above the Earth's surface (0 km or more)").
CLI::ValidationError UsageError(const OrbitError& refused);

// Parses the arguments, runs the subcommand and returns the exit status.
// Usage errors print their message and a pointer to --help on stderr.
int RunCommandLine(CLI::App& app, int argc, const char* const* argv);

}  // namespace orbit::cli
