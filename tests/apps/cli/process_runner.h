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

// Where the program's standard output goes.
enum class StandardOutputTo {
    Captured,    // a file, read back into ProcessResult::out
    FullDevice,  // /dev/full: every write fails with "No space left on device"
    Closed,      // no descriptor 1 at all, as `>&-` leaves it
};

// Runs the repeat-orbit executable built with the tests, with `args`.
ProcessResult RunRepeatOrbit(const std::vector<std::string>& args,
                             StandardOutputTo out = StandardOutputTo::Captured);

// Runs it with standard output into a pipe from which only the first line is
// read before the pipe is closed, as `| head -1` does. `out` holds that line;
// `signal` the signal that ended the program, 0 when it exited.
struct PipedResult : ProcessResult {
    int signal = 0;
};
PipedResult RunRepeatOrbitIntoHead(const std::vector<std::string>& args);

// A repeat-orbit left running in the background, its standard output and
// error thrown away, SIGINT, SIGTERM and SIGHUP at their default actions
// whatever the test runner set.
int StartRepeatOrbit(const std::vector<std::string>& args);

// How a started program ended, and the most memory it held.
struct EndedProcess {
    int exitCode = -1;  // -1 when a signal ended it
    int signal = 0;     // the signal that ended it, 0 when it exited
    long maxResidentKb = 0;
};
EndedProcess WaitForRepeatOrbit(int pid);

// Splits text into lines without their line feeds.
std::vector<std::string> Lines(const std::string& text);

}  // namespace orbit::cli::testing
