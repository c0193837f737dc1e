// The coverage table of `repeat-orbit coverage`: every parallel of the
// default 1-degree grid, both directions of pass, for designs of 43 to 499
// revolutions per cycle, with 1 to 10 satellites; and the equatorial
// sidelap alone, as a table of candidate designs asks for it; and the table
// with the light test (a morning orbit, the Sun at least 10 degrees up),
// the Sun sampled over the cycles included. Run with
//   build/bench/coverage_bench

#include "analysis/swath_coverage.h"
#include "analysis/worst_revisit.h"
#include "ephemeris/orbit_node.h"
#include "sun/sub_solar_sampling.h"

#include <benchmark/benchmark.h>

namespace {

using orbit::analysis::PassDirection;

orbit::DesignRecord SunSynchronous(double n, double m, double q)
{
    orbit::DesignRecord design;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, orbit::OrbitType::SunSynchronous), {}, design);
    return design;
}

// Arguments: Q of N 14, M 9 (Q 1 gives 23 revolutions, Q 16 233, Q 35 499), and K.
void Table(benchmark::State& state)
{
    const orbit::DesignRecord design = SunSynchronous(14, 9, static_cast<double>(state.range(0)));
    const orbit::analysis::SwathRequest request{185, static_cast<int>(state.range(1)), PassDirection::Both, 1};
    for (auto _ : state) {
        const orbit::analysis::CoverageTable table = orbit::analysis::CoverageByLatitude(design, request);
        benchmark::DoNotOptimize(table.rows.data());
    }
    state.counters["revolutions"] = 14 * static_cast<double>(state.range(0)) + 9;
}

// A wide swath sees each polar parallel from many passes at once.
void WideSwathTable(benchmark::State& state)
{
    const orbit::DesignRecord design = SunSynchronous(14, 9, 35);
    const orbit::analysis::SwathRequest request{static_cast<double>(state.range(0)), 1, PassDirection::Both, 1};
    for (auto _ : state) {
        const orbit::analysis::CoverageTable table = orbit::analysis::CoverageByLatitude(design, request);
        benchmark::DoNotOptimize(table.rows.data());
    }
}

// Arguments: Q of N 14, M 9 as for Table, and the cycles.
void DaylightTable(benchmark::State& state)
{
    const orbit::DesignRecord design = SunSynchronous(14, 9, static_cast<double>(state.range(0)));
    const orbit::analysis::SwathRequest request{185, 1, PassDirection::Both, 1};
    const orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const orbit::ephemeris::OrbitNode node = orbit::ephemeris::ResolveNode(
        epoch, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, design.Incl, design.NodeRate);
    const int cycles = static_cast<int>(state.range(1));
    const orbit::analysis::LightCondition light{10, node.longitudeRad, cycles};
    const double spanS = cycles * orbit::analysis::RepeatCycleOf(design).LengthDays() * 86400;
    for (auto _ : state) {
        const orbit::SubSolarTrack sun = orbit::sun::SubSolarTrackOver(epoch, spanS);
        const orbit::analysis::CoverageTable table = orbit::analysis::CoverageByLatitude(design, request, light, sun);
        benchmark::DoNotOptimize(table.rows.data());
    }
    state.counters["revolutions"] = 14 * static_cast<double>(state.range(0)) + 9;
}

// The explorer's worst revisit of one candidate: the summary of the whole
// table, its longest wait over the fully covered parallels and their band,
// with a 290 km swath. Arguments: Q (of N 14, M 3 for Q 10, M 51 for Q 100,
// M 497 for Q 1000: 143, 1451 and 14,497 revolutions), K and the passes (0
// both, 1 ascending).
orbit::analysis::SwathRequest WorstRevisitRequest(const benchmark::State& state)
{
    return {290, static_cast<int>(state.range(1)),
            state.range(2) == 0 ? PassDirection::Both : PassDirection::Ascending, 1};
}

orbit::DesignRecord WorstRevisitDesign(const benchmark::State& state)
{
    const auto q = static_cast<double>(state.range(0));
    return SunSynchronous(14, q == 10 ? 3 : q == 100 ? 51 : 497, q);
}

void WorstRevisitTable(benchmark::State& state)
{
    const orbit::DesignRecord design = WorstRevisitDesign(state);
    const orbit::analysis::SwathRequest request = WorstRevisitRequest(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(orbit::analysis::CoverageByLatitude(design, request).summary);
}

// The same figures from the summary alone, as the explorer asks for them.
void WorstRevisitSummary(benchmark::State& state)
{
    const orbit::DesignRecord design = WorstRevisitDesign(state);
    const orbit::analysis::SwathRequest request = WorstRevisitRequest(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(orbit::analysis::WorstRevisitSummary(design, request));
}

// The floor the explorer sorts a million candidates by before it works out
// the figures of those that could come first: the waits of the parallels
// on multiples of 10 degrees.
void WorstRevisitFloor(benchmark::State& state)
{
    const orbit::DesignRecord design = WorstRevisitDesign(state);
    const orbit::analysis::SwathRequest request = WorstRevisitRequest(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(orbit::analysis::WorstRevisitFloor(design, request, 10));
}

void Sidelap(benchmark::State& state)
{
    const orbit::DesignRecord design = SunSynchronous(14, 9, 35);
    for (auto _ : state)
        benchmark::DoNotOptimize(orbit::analysis::EquatorialSidelapPercent(design, 185, 1));
}

}  // namespace

BENCHMARK(Table)->Args({3, 1})->Args({16, 1})->Args({35, 1})->Args({35, 2})->Args({35, 10})->Unit(benchmark::kMillisecond);
BENCHMARK(WideSwathTable)->Arg(1000)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(DaylightTable)->Args({3, 1})->Args({16, 1})->Args({35, 1})->Args({35, 4})->Unit(benchmark::kMillisecond);
BENCHMARK(WorstRevisitTable)
    ->ArgsProduct({{10, 100, 1000}, {1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorstRevisitSummary)
    ->ArgsProduct({{10, 100, 1000}, {1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(WorstRevisitFloor)
    ->ArgsProduct({{10, 100, 1000}, {1, 2}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Sidelap)->Unit(benchmark::kNanosecond);
