// Cost of the pattern display where it could grow: the day search for far-out
// revolutions (large |M| against Q), long patterns (large Q), and the window
// drawing them. Run on the offscreen platform unless another one is chosen:
//   build/bench/pattern_bench

#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "pattern/day_track_search.h"
#include "pattern/pattern_drawing.h"
#include "pattern_qt/rel_ground.h"
#include "pattern/recording_surface.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cmath>

namespace {

// A design whose spacing is 2pi / (N + M/Q) exactly as the chosen-inclination
// path forms it; any N, M, Q, also ones no window would accept.
orbit::DesignRecord Record(double n, double m, double q)
{
    orbit::DesignRecord d;
    d.N = n;
    d.M = m;
    d.Q = q;
    d.NodeSpacing = orbit::RepBas::TwoPi / (m / q + n);
    d.NodeSpacingDeg = d.NodeSpacing * 180 / orbit::RepBas::Pi;
    return d;
}

// Day Q-1 of a design with M = Q * ratio: the search ends near revolution
// (Q-1) * ratio, up to about two thousand million.
void BM_DayTrackSearch(benchmark::State& state)
{
    const double ratio = static_cast<double>(state.range(0));
    const double q = 1000;
    const orbit::DesignRecord d = Record(0, q * ratio, q);
    std::int32_t revolution = 0;
    for (auto _ : state) {
        revolution = pattern::FindDayTrack(d, q - 1).revolution;
        benchmark::DoNotOptimize(revolution);
    }
    state.counters["revolution"] = revolution;
}
BENCHMARK(BM_DayTrackSearch)->RangeMultiplier(100)->Range(1, 1'000'000);

// The same far-out days walked one candidate at a time, for comparison.
void BM_CandidateWalk(benchmark::State& state)
{
    const double ratio = static_cast<double>(state.range(0));
    const double q = 1000;
    const orbit::DesignRecord d = Record(0, q * ratio, q);
    for (auto _ : state) {
        std::int32_t i = 0;
        while (!(std::fabs(pattern::CandidateOffsetDeg(d, q - 1, i)) < d.NodeSpacingDeg))
            ++i;
        benchmark::DoNotOptimize(i);
    }
}
BENCHMARK(BM_CandidateWalk)->RangeMultiplier(100)->Range(1, 10'000);

// A spacing below zero (N 0, M -15, Q 1): "Overflow" without walking.
void BM_NegativeSpacingOverflow(benchmark::State& state)
{
    const orbit::DesignRecord d = Record(0, -15, 1);
    for (auto _ : state) {
        try {
            pattern::FindDayTrack(d, 0);
        } catch (const orbit::OrbitError& e) {
            benchmark::DoNotOptimize(e.what());
        }
    }
}
BENCHMARK(BM_NegativeSpacingOverflow);

// N 30, M -(15 Q + 1): about 15 revolutions a day and a spacing of about 24
// degrees, so every day line lies in the picture, and day K's search ends
// near revolution 15 K.
orbit::DesignRecord LongPattern(double q) { return Record(30, -(15 * q + 1), q); }

// A whole pattern of Q + 1 days on a recording surface.
void BM_DrawPatternRecorded(benchmark::State& state)
{
    const orbit::DesignRecord d = LongPattern(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        pattern::RecordingSurface surface;
        pattern::DrawPattern(d, surface);
        benchmark::DoNotOptimize(surface.Ops().data());
    }
    state.counters["days"] = std::floor(d.Q) + 1;
}
BENCHMARK(BM_DrawPatternRecorded)->Arg(30)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

// The same patterns drawn into the window, as "Display pattern" does; the
// longest one is the most days a display accepts (32767).
void BM_DisplayInWindow(benchmark::State& state)
{
    const orbit::DesignRecord d = LongPattern(static_cast<double>(state.range(0)));
    pattern::RelGround& window = pattern::RelGround::Instance();
    for (auto _ : state) {
        pattern::DrawPattern(d, window);
        state.PauseTiming();
        window.Unload();
        state.ResumeTiming();
    }
    state.counters["days"] = std::floor(d.Q) + 1;
}
BENCHMARK(BM_DisplayInWindow)->Arg(30)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond);

}  // namespace
