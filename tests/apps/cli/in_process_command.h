#pragma once
// Runs one `repeat-orbit` subcommand inside the test process, capturing what
// it writes, so a test can reach the library behind it as well.

#include "cli/command_line.h"

#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orbit::cli::testing {

struct CommandRun {
    int status;
    std::string out, err;
};

// `add` registers the subcommand `name`; `args` follow the subcommand's name.
inline CommandRun RunInProcess(void (*add)(CLI::App&), const std::string& name, std::vector<std::string> args)
{
    args.insert(args.begin(), {"repeat-orbit", name});
    std::vector<const char*> argv;
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    CLI::App app{"test", "repeat-orbit"};
    add(app);

    std::ostringstream out, err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    const int status = RunCommandLine(app, static_cast<int>(argv.size()), argv.data());
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    return {status, out.str(), err.str()};
}

}  // namespace orbit::cli::testing
