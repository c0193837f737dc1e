// SGP4 itself, and a TLE fit of a day of a low orbit (the export's TLE).
#include "ephemeris/instant.h"
#include "sgp4/sgp4_propagator.h"
#include "sgp4/tle.h"
#include "sgp4/tle_fit.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace orbit;
using ephemeris::Vector3;

void Sgp4OneState(benchmark::State& state)
{
    const sgp4::Sgp4Propagator sgp4(sgp4::ToMeanElements(
        sgp4::ParseTle("1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836",
                       "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550")));
    double t = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sgp4.At(t));
        t += 1.0;
        if (t > 1440.0) t = 0;
    }
}
BENCHMARK(Sgp4OneState);

// A day of a 700 km sun-synchronous orbit under J2, every second, made once
// so that the benchmark measures the fit and not the orbit.
std::vector<Vector3> J2Day()
{
    constexpr double mu = 398600.4418, re = 6378.137, j2 = 1.08262668e-3, h = 1.0;
    const double r0 = 7078.137, v0 = std::sqrt(mu / r0), inc = 98.19 * std::acos(-1.0) / 180.0;
    std::array<double, 6> s{r0, 0, 0, 0, v0 * std::cos(inc), v0 * std::sin(inc)};
    auto rate = [&](const std::array<double, 6>& x) {
        const double r2 = x[0] * x[0] + x[1] * x[1] + x[2] * x[2], r = std::sqrt(r2);
        const double c = -mu / (r2 * r), k = -1.5 * j2 * mu * re * re / (r2 * r2 * r), f = 1 - 5 * x[2] * x[2] / r2;
        return std::array<double, 6>{x[3], x[4], x[5], c * x[0] + k * f * x[0], c * x[1] + k * f * x[1],
                                     c * x[2] + k * (f + 2) * x[2]};
    };
    std::vector<Vector3> day;
    for (int i = 0; i <= 86400; ++i) {
        day.push_back({s[0], s[1], s[2]});
        std::array<double, 6> k1 = rate(s), a{}, k2{}, k3{}, k4{};
        for (std::size_t j = 0; j < 6; ++j) a[j] = s[j] + h / 2 * k1[j];
        k2 = rate(a);
        for (std::size_t j = 0; j < 6; ++j) a[j] = s[j] + h / 2 * k2[j];
        k3 = rate(a);
        for (std::size_t j = 0; j < 6; ++j) a[j] = s[j] + h * k3[j];
        k4 = rate(a);
        for (std::size_t j = 0; j < 6; ++j) s[j] += h / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
    }
    return day;
}

void TleFitOfADay(benchmark::State& state)
{
    const std::vector<Vector3> day = J2Day();
    const auto epoch = ephemeris::Instant::FromUtc({2026, 12, 9, 10, 30, 0});
    const sgp4::PositionFunction position = [&day](double t) { return day.at(static_cast<std::size_t>(std::lround(t))); };
    double rms = 0;
    for (auto _ : state) {
        const sgp4::TleFit fit = sgp4::FitTle(epoch, position);
        rms = fit.rmsErrorKm;
        benchmark::DoNotOptimize(fit);
    }
    state.counters["rms_km"] = rms;
}
BENCHMARK(TleFitOfADay)->Unit(benchmark::kMillisecond);

}  // namespace
