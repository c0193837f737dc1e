#pragma once
// Runs the real repeat-orbit executable and captures what it writes.

#include <string>
#include <vector>

namespace orbit::cli::testing {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the repeat-orbit executable built with the tests, with `args`.
ProcessResult RunRepeatOrbit(const std::vector<std::string>& args);

// Splits text into lines without their line feeds.
std::vector<std::string> Lines(const std::string& text);

}  // namespace orbit::cli::testing
