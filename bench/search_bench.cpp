// Search throughput of `repeat-orbit search`: candidate designs solved per
// second for the band analysts ask about most, 200 to 2000 km with cycles up
// to 100 days. Run with
//   build/bench/search_bench

#include "analysis/repeat_search.h"

#include <benchmark/benchmark.h>

namespace {

orbit::analysis::SearchRequest Band(orbit::OrbitType type, int maxDays)
{
    orbit::analysis::SearchRequest request;
    request.type = type;
    request.inclDegrees = 65;
    request.altMinKm = 200;
    request.altMaxKm = 2000;
    request.maxDays = maxDays;
    return request;
}

void Search(benchmark::State& state, orbit::OrbitType type)
{
    const orbit::analysis::SearchRequest request = Band(type, static_cast<int>(state.range(0)));
    std::int64_t designs = 0;
    std::size_t rows = 0;
    for (auto _ : state) {
        const orbit::analysis::SearchOutcome outcome = orbit::analysis::SearchRepeatOrbits(request);
        designs += outcome.designsSolved;
        rows = outcome.rows.size();
        benchmark::DoNotOptimize(outcome.rows.front());
    }
    state.SetItemsProcessed(designs);  // reported as designs per second
    state.counters["rows"] = static_cast<double>(rows);
}

void SunSynchronous(benchmark::State& state) { Search(state, orbit::OrbitType::SunSynchronous); }
void Inclined65(benchmark::State& state) { Search(state, orbit::OrbitType::ChooseInclination); }

}  // namespace

BENCHMARK(SunSynchronous)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(Inclined65)->Arg(100)->Unit(benchmark::kMillisecond);
