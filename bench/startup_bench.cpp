// How long one run of the command takes, start to exit, as a script sees it:
// fork and exec of repeat-orbit, its dynamic loading and its answer, waited
// for; and the processor time the child itself took. The program measured
// is the one built with this benchmark, or the one REPEAT_ORBIT_BENCH_PROGRAM
// names (another build, to compare).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string Program()
{
    const char* chosen = std::getenv("REPEAT_ORBIT_BENCH_PROGRAM");
    return chosen && *chosen ? chosen : REPEAT_ORBIT_EXE;
}

double Milliseconds(const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; }

// Runs the program with `args`, its output thrown away, and adds the
// processor time it took (user and system) to `cpuMs`; false unless it
// exited with status 0.
bool RunOnce(const std::string& program, const std::vector<std::string>& args, double& cpuMs)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    cpuMs += Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& args)
{
    const std::string program = Program();
    double cpuMs = 0;
    for (auto _ : state) {
        if (!RunOnce(program, args, cpuMs)) {
            state.SkipWithError(("failed: " + program).c_str());
            break;
        }
    }
    // The child's own processor time, which other work on the machine
    // changes far less than the wall time.
    state.counters["child_cpu_ms"] = benchmark::Counter(cpuMs, benchmark::Counter::kAvgIterations);
}

// Nothing but the version: the program's start and exit alone.
void Version(benchmark::State& state) { RunCommand(state, {"--version"}); }

// The README's first example: one sun-synchronous design, as text.
void DesignSunSynchronous(benchmark::State& state)
{
    RunCommand(state, {"design", "--n", "14", "--m", "1", "--q", "3", "--sun-sync"});
}

// The same design as JSON.
void DesignJson(benchmark::State& state)
{
    RunCommand(state, {"design", "--n", "14", "--m", "5", "--q", "16", "--sun-sync", "--json"});
}

// A small search, as a table.
void SearchSmallBand(benchmark::State& state)
{
    RunCommand(state, {"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800", "--q-max", "10"});
}

// A picture: this run loads the drawing code and Qt, the others never do.
void PatternSvg(benchmark::State& state)
{
    RunCommand(state, {"pattern", "--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--svg", "/dev/null"});
}

}  // namespace

BENCHMARK(Version)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(DesignSunSynchronous)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(DesignJson)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SearchSmallBand)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PatternSvg)->UseRealTime()->Unit(benchmark::kMillisecond);
