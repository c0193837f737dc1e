#include "analysis/repeat_grid.h"

#include "analysis/whole_numbers.h"
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

std::optional<std::int64_t> SubcycleDays(std::int64_t m, std::int64_t q)
{
    if (q < 2)
        return std::nullopt;
    const std::int64_t residue = Modulo(m, q);
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
