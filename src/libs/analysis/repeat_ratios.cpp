#include "analysis/repeat_ratios.h"

#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace orbit::analysis {

void ForEachRepeatRatio(double revsPerDayMin, double revsPerDayMax, int minDays, int maxDays,
                        const std::function<void(const RepeatRatio&)>& visit)
{
    for (int q = std::max(1, minDays); q <= maxDays; ++q) {
        for (int m = 0; m < q; ++m) {
            // gcd(0, q) is q, so M = 0 survives only for Q = 1.
            if (std::gcd(m, q) != 1)
                continue;
            const double fraction = static_cast<double>(m) / q;
            const int nFirst = std::max(1, static_cast<int>(std::ceil(revsPerDayMin - fraction)));
            for (int n = nFirst;; ++n) {
                const double revsPerDay = n + fraction;
                if (revsPerDay > revsPerDayMax)
                    break;
                if (revsPerDay >= revsPerDayMin)
                    visit({n, m, q});
            }
        }
    }
}

std::vector<RepeatRatio> RepeatRatios(double revsPerDayMin, double revsPerDayMax, int minDays, int maxDays)
{
    std::vector<RepeatRatio> ratios;
    ForEachRepeatRatio(revsPerDayMin, revsPerDayMax, minDays, maxDays,
                       [&](const RepeatRatio& ratio) { ratios.push_back(ratio); });
    return ratios;
}

namespace {

// Revolutions per sidereal day of a Kepler orbit at this altitude.
double KeplerRevsPerDay(double altitudeKm)
{
    const double a = RepBas::Re + altitudeKm;
    return std::sqrt(RepBas::Mu) * std::pow(a, -1.5) / RepBas::OmegaEarth;
}

// Above the surface the J2 terms move nu by under 4 percent; 15 percent
// leaves room for the solar-day reference of sun-synchronous orbits too.
constexpr double kMargin = 1.15;

}  // namespace

RevsPerDayRange RevsPerDayRangeFor(double altMinKm, double altMaxKm)
{
    return {KeplerRevsPerDay(altMaxKm) / kMargin, KeplerRevsPerDay(altMinKm) * kMargin};
}

}  // namespace orbit::analysis
