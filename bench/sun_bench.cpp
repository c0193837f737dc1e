// The Sun's figures of `repeat-orbit sun`: a year of daily rows for one
// design (beta, eclipses, node local times), with and without the latitude
// rows, and the pieces that cost the most: one exact Sun from ERFA and one
// node resolved from a local time. Run with
//   build/bench/sun_bench

#include "ephemeris/orbit_node.h"
#include "ephemeris/sun_position.h"
#include "sun/sun_figures.h"

#include <benchmark/benchmark.h>

namespace {

struct Flight {
    orbit::DesignRecord design;
    double axisKm = 0;
};

Flight Sentinel2Like()
{
    Flight f;
    f.axisKm = orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, 3, 10, orbit::OrbitType::SunSynchronous), {},
                                       f.design)
                   .SemiMajorAxis;
    return f;
}

// Argument: the latitude step of the light rows, 0 for none.
void YearOfSunFigures(benchmark::State& state)
{
    const Flight f = Sentinel2Like();
    const orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const orbit::ephemeris::OrbitNode node = orbit::ephemeris::ResolveNode(
        epoch, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, f.design.Incl, f.design.NodeRate);
    const orbit::sun::SunSpan span{365, 1, static_cast<double>(state.range(0))};
    for (auto _ : state) {
        const orbit::sun::SunFigures figures = orbit::sun::SunFiguresOf(f.design, f.axisKm, epoch, node, span);
        benchmark::DoNotOptimize(figures.days.data());
    }
}

void ExactSun(benchmark::State& state)
{
    const orbit::ephemeris::Instant t = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    for (auto _ : state)
        benchmark::DoNotOptimize(orbit::ephemeris::SunAt(t).declinationRad);
}

void NodeFromLocalTime(benchmark::State& state)
{
    const Flight f = Sentinel2Like();
    const orbit::ephemeris::Instant t = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            orbit::ephemeris::ResolveNode(t, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, f.design.Incl, f.design.NodeRate)
                .raanEme2000Rad);
}

}  // namespace

BENCHMARK(YearOfSunFigures)->Arg(0)->Arg(10)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ExactSun)->Unit(benchmark::kMicrosecond);
BENCHMARK(NodeFromLocalTime)->Unit(benchmark::kMicrosecond);
