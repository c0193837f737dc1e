// The propagator's speed: ten days of a LEO, and whole refinements of
// repeat cycles of 10 and 30 days under the zonal field.

#include "core/repeat_orbit_solver.h"
#include "propagation/frozen_eccentricity.h"
#include "propagation/refinement.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace orbit;
using namespace orbit::propagation;

struct Design {
    RepeatOrbitSolution solution;
    DesignRecord record;
};

Design SunSynchronous(double n, double m, double q)
{
    Design d;
    d.solution = SolveRepeatOrbit(RepeatOrbitInputs::Fixed(n, m, q, OrbitType::SunSynchronous), {}, d.record);
    return d;
}

RefineRequest RequestFor(const Design& d)
{
    RefineRequest request;
    request.model = Egm2008ZonalModel();
    request.meanStart.semiMajorAxisKm = d.solution.SemiMajorAxis;
    request.meanStart.inclinationRad = d.record.Incl;
    request.meanStart.raanRad = 1.0;
    request.cycle = {d.solution.RevCount, d.record.NodalPeriod, d.record.NodeRate};
    request.sunSynchronous = true;
    return request;
}

void TenDaysOfLeo(benchmark::State& state)
{
    const RefineRequest request = RequestFor(SunSynchronous(14, 3, 10));
    const Propagator propagator(request.model,
                                ToCartesian(MeanToOsculating(request.meanStart, request.model), request.model.gmKm3S2));
    const std::vector<double> times{10 * 86400.0};
    for (auto _ : state) benchmark::DoNotOptimize(propagator.StatesAt(times));
    state.counters["steps"] = static_cast<double>(propagator.StepsTaken());
}
BENCHMARK(TenDaysOfLeo)->Unit(benchmark::kMillisecond);

void TenDaysOfLeoWithNodes(benchmark::State& state)
{
    const RefineRequest request = RequestFor(SunSynchronous(14, 3, 10));
    const Propagator propagator(request.model,
                                ToCartesian(MeanToOsculating(request.meanStart, request.model), request.model.gmKm3S2));
    for (auto _ : state) benchmark::DoNotOptimize(propagator.AscendingNodes(0, 10 * 86400.0, 0.0));
}
BENCHMARK(TenDaysOfLeoWithNodes)->Unit(benchmark::kMillisecond);

void RefineTenDayCycle(benchmark::State& state)
{
    const RefineRequest request = RequestFor(SunSynchronous(14, 3, 10));
    for (auto _ : state) benchmark::DoNotOptimize(Refine(request));
}
BENCHMARK(RefineTenDayCycle)->Unit(benchmark::kMillisecond);

void RefineThirtyDayCycle(benchmark::State& state)
{
    const RefineRequest request = RequestFor(SunSynchronous(14, 7, 30));
    for (auto _ : state) benchmark::DoNotOptimize(Refine(request));
}
BENCHMARK(RefineThirtyDayCycle)->Unit(benchmark::kMillisecond);

void FrozenEccentricityOfTheWholeField(benchmark::State& state)
{
    const Design d = SunSynchronous(14, 3, 10);
    const GravityModel model = Egm2008ZonalModel();
    for (auto _ : state) benchmark::DoNotOptimize(FrozenEccentricityZonal(model, d.solution.SemiMajorAxis, d.record.Incl));
}
BENCHMARK(FrozenEccentricityOfTheWholeField)->Unit(benchmark::kMillisecond);

}  // namespace
