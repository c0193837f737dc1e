// `repeat-orbit access` at the sizes its users bring: one site over a cycle
// of 499 revolutions (N 14, M 9, Q 35, sun-synchronous), a station over 30
// days, and a list of 1,000 sites over that cycle sharing one sampled track
// and one Sun. Each includes everything from the solved design on: the
// track's samples, the Sun's nodes, the passes and their summary. Run with
//   build/bench/access_bench

#include "access/site_access.h"
#include "access/station_contacts.h"
#include "ephemeris/orbit_node.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace orbit::access;

struct Orbit {
    orbit::DesignRecord record;
    orbit::RepeatOrbitSolution solution;
    orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-06-01T09:00:00Z");
    orbit::ephemeris::OrbitNode node;
};

Orbit SunSynchronous(double n, double m, double q)
{
    Orbit o;
    o.solution = orbit::SolveRepeatOrbit(
        orbit::RepeatOrbitInputs::Fixed(n, m, q, orbit::OrbitType::SunSynchronous), {}, o.record);
    o.node = orbit::ephemeris::ResolveNode(o.epoch, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, o.record.Incl,
                                           o.record.NodeRate);
    return o;
}

double CycleS(const Orbit& o) { return (o.record.N * o.record.Q + o.record.M) * o.record.NodalPeriod; }

void OneSiteOverACycle(benchmark::State& state)
{
    const Orbit o = SunSynchronous(14, 9, 35);
    const SatelliteTrack track(o.record, o.solution.SemiMajorAxis, o.node.longitudeRad);
    for (auto _ : state) {
        const TrackSamples samples(track, CycleS(o));
        const SunOverSpan sun(o.epoch, CycleS(o));
        const SiteAccess access = SiteAccessOver(samples, sun, {43.6, 1.44}, {LookLimit::Swath, 185, 0.0});
        benchmark::DoNotOptimize(access.passes.data());
    }
}
BENCHMARK(OneSiteOverACycle)->Unit(benchmark::kMillisecond);

void StationOver30Days(benchmark::State& state)
{
    const Orbit o = SunSynchronous(14, 3, 10);
    const SatelliteTrack track(o.record, o.solution.SemiMajorAxis, o.node.longitudeRad);
    for (auto _ : state) {
        const TrackSamples samples(track, 30 * 86400.0);
        const std::vector<Contact> contacts = StationContacts(samples, {67.86, 20.96, 390, 5});
        benchmark::DoNotOptimize(SummarizeContacts(contacts, samples.SpanS()));
    }
}
BENCHMARK(StationOver30Days)->Unit(benchmark::kMillisecond);

void ThousandSitesOverACycle(benchmark::State& state)
{
    const Orbit o = SunSynchronous(14, 9, 35);
    const SatelliteTrack track(o.record, o.solution.SemiMajorAxis, o.node.longitudeRad);
    std::vector<Place> places;
    for (int k = 0; k < 1000; ++k)  // 40 parallels by 25 meridians
        places.push_back({-78 + 4.0 * (k / 25), -180 + 14.4 * (k % 25)});
    for (auto _ : state) {
        const TrackSamples samples(track, CycleS(o));
        const SunOverSpan sun(o.epoch, CycleS(o));
        for (const Place& p : places) {
            const SiteAccess access = SiteAccessOver(samples, sun, p, {LookLimit::Swath, 185, 0.0});
            benchmark::DoNotOptimize(access.passes.data());
        }
    }
}
BENCHMARK(ThousandSitesOverACycle)->Unit(benchmark::kMillisecond);

}  // namespace
