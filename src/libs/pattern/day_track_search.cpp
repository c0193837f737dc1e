#include "pattern/day_track_search.h"

#include "core/guarded.h"
#include "core/orbit_error.h"
#include "core/repbas.h"

#include <cmath>
#include <limits>

namespace pattern {

namespace {

using orbit::Guarded;
using orbit::RepBas::Pi;
using orbit::RepBas::TwoPi;

// The last candidate the counter can take and still be stepped past: after
// testing revolution i the counter becomes i + 1, which must fit 32 bits.
constexpr std::int64_t kLastCandidate = std::numeric_limits<std::int32_t>::max() - 1LL;

// The same formula in plain doubles, for the search. Infinite values may come
// out here; they keep the ordering the search relies on, and the chosen
// candidate is formed again with checks before it is used.
double PlainOffsetDeg(const orbit::DesignRecord& d, double day, std::int64_t i)
{
    const double revs = d.M >= 0 ? day * d.N + static_cast<double>(i) : day * d.N - static_cast<double>(i);
    return (day * TwoPi - revs * d.NodeSpacing) * (180 / Pi);
}

}  // namespace

double CandidateOffsetDeg(const orbit::DesignRecord& d, double day, std::int32_t revolution)
{
    const Guarded turns = Guarded(day) * TwoPi;
    const Guarded dayRevs = Guarded(day) * d.N;
    const Guarded revs = d.M >= 0 ? dayRevs + revolution : dayRevs - revolution;
    return ((turns - revs * d.NodeSpacing) * (Guarded(180) / Pi)).value();
}

DayTrack FindDayTrack(const orbit::DesignRecord& d, double day)
{
    const double spacingDeg = d.NodeSpacingDeg;
    // No candidate passes |offset| < S when S is not a positive number; the
    // walk would only end at the counter's overflow.
    if (!(spacingDeg > 0) || !std::isfinite(spacingDeg) || !std::isfinite(d.NodeSpacing))
        throw orbit::OrbitError(orbit::ErrorKind::Overflow);

    // The offset falls with i when the revolutions grow with i (M >= 0) and the
    // spacing is positive, and rises otherwise. Passing the near bound of the
    // window (-S, S) is monotone in i; the first candidate past it is the only
    // one that can lie inside, because every later one is further out.
    const bool falling = (d.M >= 0) == (d.NodeSpacing > 0);
    const auto pastNearBound = [&](std::int64_t i) {
        const double offset = PlainOffsetDeg(d, day, i);
        return falling ? offset < spacingDeg : offset > -spacingDeg;
    };

    // The candidate the walk tries first must form without fault, and so must
    // the one it ends at; everything in between lies between the two.
    CandidateOffsetDeg(d, day, 0);

    std::int64_t low = -1;  // the last candidate known to fail, -1 for none
    std::int64_t high = 0;  // a candidate that passes, once found
    while (!pastNearBound(high)) {
        if (high == kLastCandidate)
            throw orbit::OrbitError(orbit::ErrorKind::Overflow);
        low = high;
        high = std::min(kLastCandidate, 2 * high + 1);
    }
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        if (pastNearBound(middle))
            high = middle;
        else
            low = middle;
    }

    const auto revolution = static_cast<std::int32_t>(high);
    const double offset = CandidateOffsetDeg(d, day, revolution);
    if (!(std::fabs(offset) < spacingDeg))
        throw orbit::OrbitError(orbit::ErrorKind::Overflow);
    return {revolution, offset};
}

}  // namespace pattern
