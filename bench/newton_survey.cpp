// Survey of the Newton solve's step counts, the evidence behind the step cap
// in core/repbas.h. It solves every design of a wide typed range, N 0 to 40,
// M -60 to 60, Q 1 to 400, each tenth of a degree from 0 to 180 and the
// sun-synchronous type, with a far higher cap than the solver's, and reports
// the slowest case that converges and how many never do. A measuring tool,
// not a test: it takes many minutes. Run with
//   build/bench/newton_survey [SURVEY_CAP [THREADS [DEGREE_STRIDE_TENTHS [RECHECKS]]]]
//
// The iteration depends on N, M and Q only through nu = M / Q + N (as a
// double) and on the inclination, so each distinct nu is solved once.

#include "core/guarded.h"
#include "core/orbit_error.h"
#include "core/orbit_rates.h"
#include "core/repbas.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace orbit;

constexpr int kTenthsOf180 = 1800;

struct Ratio {
    double nu = 0;
    int N = 0, M = 0, Q = 1;
};

// One representative (N, M, Q) for each distinct double nu of the range.
std::vector<Ratio> DistinctRatios()
{
    std::vector<Ratio> ratios;
    for (int n = 0; n <= 40; ++n)
        for (int m = -60; m <= 60; ++m)
            for (int q = 1; q <= 400; ++q)
                ratios.push_back({RepBas::RevsPerNodalDay(n, m, q).value(), n, m, q});
    std::stable_sort(ratios.begin(), ratios.end(), [](const Ratio& a, const Ratio& b) { return a.nu < b.nu; });
    ratios.erase(std::unique(ratios.begin(), ratios.end(), [](const Ratio& a, const Ratio& b) { return a.nu == b.nu; }),
                 ratios.end());
    return ratios;
}

struct Case {
    int steps = 0;
    Ratio ratio;
    int tenths = -1;  // -1: sun-synchronous
};

struct Tally {
    std::int64_t solves = 0, converged = 0, noConvergence = 0, otherErrors = 0;
    std::int64_t over500 = 0, over1000 = 0;
    std::vector<std::int64_t> byPowerOfTwo = std::vector<std::int64_t>(32, 0);
    Case slowest;
    std::vector<Case> unsettled;  // ran to the survey cap

    void Add(const Tally& t)
    {
        solves += t.solves;
        converged += t.converged;
        noConvergence += t.noConvergence;
        otherErrors += t.otherErrors;
        over500 += t.over500;
        over1000 += t.over1000;
        for (std::size_t i = 0; i < byPowerOfTwo.size(); ++i)
            byPowerOfTwo[i] += t.byPowerOfTwo[i];
        if (t.slowest.steps > slowest.steps)
            slowest = t.slowest;
        unsettled.insert(unsettled.end(), t.unsettled.begin(), t.unsettled.end());
    }
};

// The inclination the solver forms from whole degrees and tenths, in its
// operation order.
double InclinationOf(int tenths)
{
    const Guarded degrees = tenths / 10, rest = tenths % 10;
    return (degrees * (RepBas::Pi / 180) + rest * (RepBas::Pi / 1800)).value();
}

// Steps to convergence, 0 for a solve that ran to the cap; other errors throw.
int StepsToSettle(const Ratio& r, int tenths, int cap)
{
    int steps = 0;
    try {
        if (tenths >= 0)
            RepBas::InclAxis(r.N, r.M, r.Q, InclinationOf(tenths), &steps, cap);
        else
            RepBas::SunSyncAxis(r.N, r.M, r.Q, &steps, cap);
    } catch (const OrbitError& e) {
        if (e.Kind() != ErrorKind::NoConvergence)
            throw;
        return 0;
    }
    return steps;
}

void Survey(const std::vector<Ratio>& ratios, int tenths, int cap, Tally& tally)
{
    for (const Ratio& r : ratios) {
        ++tally.solves;
        int steps = 0;
        try {
            steps = StepsToSettle(r, tenths, cap);
        } catch (const OrbitError&) {
            ++tally.otherErrors;
            continue;
        }
        if (steps == 0) {
            ++tally.noConvergence;
            tally.unsettled.push_back({0, r, tenths});
            continue;
        }
        ++tally.converged;
        tally.over500 += steps > 500;
        tally.over1000 += steps > 1000;
        int bucket = 0;
        while ((2 << bucket) <= steps)
            ++bucket;
        ++tally.byPowerOfTwo[static_cast<std::size_t>(bucket)];
        if (steps > tally.slowest.steps)
            tally.slowest = {steps, r, tenths};
    }
}

void PrintCase(const char* what, const Case& c)
{
    std::printf("  %sN %d M %d Q %d (nu %.17g)", what, c.ratio.N, c.ratio.M, c.ratio.Q, c.ratio.nu);
    if (c.tenths >= 0)
        std::printf(" at %d.%d degrees", c.tenths / 10, c.tenths % 10);
    std::printf("\n");
}

void Print(const char* title, const Tally& t)
{
    std::printf("%s: %lld solves, %lld converged, %lld no convergence, %lld other errors\n", title,
                static_cast<long long>(t.solves), static_cast<long long>(t.converged),
                static_cast<long long>(t.noConvergence), static_cast<long long>(t.otherErrors));
    std::printf("  converged after more than 500 steps: %lld, more than 1000: %lld\n",
                static_cast<long long>(t.over500), static_cast<long long>(t.over1000));
    for (std::size_t i = 0; i < t.byPowerOfTwo.size(); ++i)
        if (t.byPowerOfTwo[i])
            std::printf("  steps %7d-%-7d %lld\n", 1 << i, (2 << i) - 1, static_cast<long long>(t.byPowerOfTwo[i]));
    if (t.slowest.steps > 0) {
        std::printf("  slowest converging case, %d steps:\n", t.slowest.steps);
        PrintCase("", t.slowest);
    }
}

// Whether cases that ran to the survey cap settle at all: a spread sample of
// them is solved again with ten times the cap.
void RecheckUnsettled(std::vector<Case> unsettled, int cap, std::size_t samples)
{
    if (unsettled.empty())
        return;
    std::sort(unsettled.begin(), unsettled.end(), [](const Case& a, const Case& b) {
        return a.tenths != b.tenths ? a.tenths < b.tenths : a.ratio.nu < b.ratio.nu;
    });
    const std::size_t stride = std::max<std::size_t>(1, unsettled.size() / samples);
    std::size_t tried = 0, settled = 0;
    for (std::size_t i = 0; i < unsettled.size(); i += stride) {
        ++tried;
        const int steps = StepsToSettle(unsettled[i].ratio, unsettled[i].tenths, cap * 10);
        if (steps > 0) {
            ++settled;
            std::printf("  settles after %d steps:\n", steps);
            PrintCase("", unsettled[i]);
        } else if (tried <= 10) {
            PrintCase("never settles: ", unsettled[i]);
        }
    }
    std::printf("recheck with a cap of %d steps: %zu of %zu sampled unsettled cases settle\n", cap * 10, settled,
                tried);
}

}  // namespace

int main(int argc, char** argv)
{
    const int cap = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int threads = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
    const int stride = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    const std::size_t recheckSamples = argc > 4 ? static_cast<std::size_t>(std::atoi(argv[4])) : 100;
    const auto start = std::chrono::steady_clock::now();

    const std::vector<Ratio> ratios = DistinctRatios();
    std::printf("%zu distinct nu, survey cap %d steps, every %d tenths of a degree\n", ratios.size(), cap, stride);
    std::fflush(stdout);

    // Jobs: one per inclination of the stride, then the sun-synchronous type.
    std::vector<int> jobs;
    for (int tenths = 0; tenths <= kTenthsOf180; tenths += stride)
        jobs.push_back(tenths);
    jobs.push_back(-1);

    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    Tally inclined, sunSync;
    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w)
        workers.emplace_back([&] {
            for (std::size_t j; (j = next++) < jobs.size();) {
                Tally tally;
                Survey(ratios, jobs[j], cap, tally);
                const std::lock_guard<std::mutex> lock(mutex);
                (jobs[j] >= 0 ? inclined : sunSync).Add(tally);
            }
        });
    for (std::thread& worker : workers)
        worker.join();

    Print("chosen inclination", inclined);
    Print("sun-synchronous", sunSync);
    std::vector<Case> unsettled = inclined.unsettled;
    unsettled.insert(unsettled.end(), sunSync.unsettled.begin(), sunSync.unsettled.end());
    RecheckUnsettled(unsettled, cap, recheckSamples);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.0f s\n", seconds);
}
