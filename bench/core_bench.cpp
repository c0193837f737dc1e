// One solve of each orbit type, and the text rules that turn fields into
// numbers and results into field texts.
#include "core/number_text.h"
#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orbit;

void SolveChosenInclination(benchmark::State& state)
{
    DesignRecord record;
    const RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::ChooseInclination, 65, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveRepeatOrbit(inputs, {}, record));
}
BENCHMARK(SolveChosenInclination);

void SolveSunSynchronous(benchmark::State& state)
{
    DesignRecord record;
    const RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::SunSynchronous);
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveRepeatOrbit(inputs, {}, record));
}
BENCHMARK(SolveSunSynchronous);

// The slowest converging solves the step survey found: the slowest of all
// (N 37, M 56, Q 13 at 1.3 degrees, 46,787 steps) and the slowest the spin
// controls reach (N 0, M 1, Q 19 at 49.3 degrees, 888 steps).
void SolveSlowestConvergence(benchmark::State& state, double n, double m, double q, double degrees, double tenths)
{
    DesignRecord record;
    const RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(n, m, q, OrbitType::ChooseInclination, degrees, tenths);
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveRepeatOrbit(inputs, {}, record));
}
BENCHMARK_CAPTURE(SolveSlowestConvergence, SlowestOfAll, 37, 56, 13, 1, 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolveSlowestConvergence, SlowestSpinReachable, 0, 1, 19, 49, 3)->Unit(benchmark::kMicrosecond);

// A design whose Newton iteration never settles runs to the step cap; this
// is the longest any solve can take, and it must stay well under a blink.
void SolveRunsToTheStepCap(benchmark::State& state)
{
    DesignRecord record;
    const RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(4, 7, 22, OrbitType::ChooseInclination, 144, 0);
    for (auto _ : state) {
        try {
            SolveRepeatOrbit(inputs, {}, record);
            state.SkipWithError("the design converged");
            break;
        } catch (const OrbitError& e) {
            if (e.Kind() != ErrorKind::NoConvergence) {
                state.SkipWithError(e.what());
                break;
            }
        }
    }
}
BENCHMARK(SolveRunsToTheStepCap)->Unit(benchmark::kMillisecond);

void ParseField(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseNumberStrict(" 14.5E0 "));
}
BENCHMARK(ParseField);

void FormatResultBoxes(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatPattern(7153.127106, "#####.##"));
        benchmark::DoNotOptimize(FormatPattern(14.341586991, "#0.#######"));
        benchmark::DoNotOptimize(FormatPattern(100.465116279, "####.###"));
    }
}
BENCHMARK(FormatResultBoxes);

}  // namespace
