#include "analysis/repeat_grid.h"

#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orbit::analysis {

double GridSpacingDeg(std::int64_t revs) { return 360.0 / static_cast<double>(revs); }

double GridSpacingKm(std::int64_t revs)
{
    return RepBas::TwoPi * RepBas::Re / static_cast<double>(revs);
}

namespace {

// Inverse of a modulo q (a and q coprime, q >= 2), in 1..q-1, by the extended
// Euclidean algorithm: logarithmic in q, so long cycles cost nothing.
std::int64_t InverseModulo(std::int64_t a, std::int64_t q)
{
    std::int64_t r0 = q, r1 = a;
    std::int64_t t0 = 0, t1 = 1;
    while (r1 != 0) {
        const std::int64_t quotient = r0 / r1;
        const std::int64_t r2 = r0 - quotient * r1;
        r0 = r1;
        r1 = r2;
        const std::int64_t t2 = t0 - quotient * t1;
        t0 = t1;
        t1 = t2;
    }
    return ((t0 % q) + q) % q;
}

// Whole numbers up to this size keep every product below in 64 bits.
constexpr double kLargestWhole = 2147483647.0;

bool IsModestWhole(double v) { return std::floor(v) == v && std::fabs(v) <= kLargestWhole; }

}  // namespace

std::optional<std::int64_t> SubcycleDays(std::int64_t m, std::int64_t q)
{
    if (q < 2)
        return std::nullopt;
    const std::int64_t residue = ((m % q) + q) % q;
    if (std::gcd(residue, q) != 1)
        return std::nullopt;
    // k*M = +1 at the inverse k, and k*M = -1 at q minus it.
    const std::int64_t plusOne = InverseModulo(residue, q);
    const std::int64_t minusOne = q - plusOne;
    return std::min(plusOne, minusOne);
}

std::optional<RepeatGrid> RepeatGridOf(double n, double m, double q)
{
    if (!IsModestWhole(n) || !IsModestWhole(m) || !IsModestWhole(q) || q < 1)
        return std::nullopt;
    auto wholeN = static_cast<std::int64_t>(n);
    auto wholeM = static_cast<std::int64_t>(m);
    auto wholeQ = static_cast<std::int64_t>(q);
    const std::int64_t common = std::gcd(wholeM, wholeQ);  // gcd(0, Q) = Q: M = 0 reduces to Q = 1
    wholeM /= common;
    wholeQ /= common;

    RepeatGrid coverage;
    coverage.revs = wholeN * wholeQ + wholeM;
    if (coverage.revs < 1)
        return std::nullopt;
    coverage.gridSpacingDeg = GridSpacingDeg(coverage.revs);
    coverage.gridSpacingKm = GridSpacingKm(coverage.revs);
    coverage.subcycleDays = SubcycleDays(wholeM, wholeQ);
    return coverage;
}

}  // namespace orbit::analysis
