// One solve of each orbit type, and the text rules that turn fields into
// numbers and results into field texts.
#include "core/number_text.h"
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

void SolveSlowestConvergence(benchmark::State& state)
{
    DesignRecord record;
    const RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(1, 0, 1, OrbitType::ChooseInclination, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveRepeatOrbit(inputs, {}, record));
}
BENCHMARK(SolveSlowestConvergence);

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
