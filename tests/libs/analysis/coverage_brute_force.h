#pragma once
// The coverage of one parallel found the slow, direct way, to hold the
// product's figures against: the ground track of every satellite is sampled
// finely through the whole cycle with GroundTrack, and for points spread
// evenly along the parallel the great-circle distance to each track sample is
// measured. A look is a local minimum of that distance, refined by a
// parabola through three samples, that comes within half the swath; it
// belongs to the half-revolution in which it falls.
//
// A light test, when given, is asked of every look found: the time of the
// look from the cycle's start (day 0's first ascending node) and the place,
// its longitude counted from that node.
//
// The track is the design's own, except that its shift per revolution is
// taken as 360 Q / R degrees, so that the cycle closes as the coverage
// assumes; the design's spacing differs from that by about 1e-7, which would
// otherwise open slivers metres wide where two tracks ought to meet.

#include "analysis/ground_track.h"
#include "analysis/swath_coverage.h"
#include "core/repbas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

namespace orbit::analysis::testing {

struct BruteForceRow {
    std::int64_t passes = 0;
    double coveredFraction = 0;
    double maxRevisitDays = 0;   // 0 when nothing is seen
    double meanRevisitDays = 0;
};

struct BruteForceSettings {
    int samplesPerRevolution = 4000;
    int pointsAlongEquator = 36000;  // fewer toward the poles, the same spacing on the ground
    std::function<bool(double timeS, double latitudeRad, double longitudeRad)> lookCounts;
};

inline BruteForceRow BruteForceCoverage(const DesignRecord& design, double swathKm, int satellites,
                                        PassDirection direction, double latitudeDeg,
                                        const BruteForceSettings& settings = {})
{
    constexpr double kPi = std::numbers::pi;
    constexpr double kDeg = kPi / 180;
    DesignRecord closed = design;
    closed.NodeSpacing = 2 * kPi * design.Q / (design.N * design.Q + design.M);
    closed.NodeSpacingDeg = closed.NodeSpacing / kDeg;
    const GroundTrack track(closed);
    const double periodS = track.NodalPeriodS();
    const auto revolutions = static_cast<std::int64_t>(design.N * design.Q + design.M);
    const double cycleS = static_cast<double>(revolutions) * periodS;
    const double halfSwath = swathKm / 2 / RepBas::Re;
    const double stepS = periodS / settings.samplesPerRevolution;
    // Samples a little beyond the swath are kept, so that every closest
    // approach within the swath has its neighbours on both sides for the
    // parabola.
    const double reach = halfSwath + 3 * 2 * kPi / settings.samplesPerRevolution;
    const double cosReach = std::cos(reach);

    const double lat0 = latitudeDeg * kDeg;
    const double sin0 = std::sin(lat0), cos0 = std::cos(lat0);
    const int points = std::max(3600, static_cast<int>(settings.pointsAlongEquator * cos0));
    std::vector<double> pointLon(static_cast<std::size_t>(points));
    for (int b = 0; b < points; ++b)
        pointLon[static_cast<std::size_t>(b)] = -kPi + 2 * kPi * (b + 0.5) / points;

    struct PointState {
        std::int64_t lastSample = -10;
        double last = -2, beforeLast = -2;  // cosines of the distance
    };
    std::vector<std::vector<double>> looks(static_cast<std::size_t>(points));
    std::set<std::pair<int, std::int64_t>> passesSeen;  // satellite, half-revolution

    for (int sat = 0; sat < satellites; ++sat) {
        const double leadS = periodS * sat / satellites;
        const double leadLonDeg = closed.NodeSpacingDeg * sat / satellites;
        std::vector<PointState> state(static_cast<std::size_t>(points));
        const auto addLook = [&](std::size_t b, std::int64_t sample, double before, double at, double after) {
            // A parabola through the cosines gives the time and size of the
            // closest approach between the samples.
            double shift = 0, peak = at;
            const double curvature = before - 2 * at + after;
            if (before > -2 && after > -2 && curvature < 0) {
                shift = std::clamp(0.5 * (before - after) / curvature, -1.0, 1.0);
                peak = at - 0.25 * (before - after) * shift;
            }
            if (std::acos(std::min(1.0, peak)) > halfSwath)
                return;
            const double t = (static_cast<double>(sample) + shift) * stepS - periodS / 2;
            if (t < 0 || t >= cycleS)
                return;  // counted once, in its own cycle
            if (settings.lookCounts && !settings.lookCounts(t, lat0, pointLon[b]))
                return;
            const double u = 2 * kPi * (t + leadS) / periodS;
            const auto half = static_cast<std::int64_t>(std::floor((u + kPi / 2) / kPi));
            const bool ascending = half % 2 == 0;
            if ((direction == PassDirection::Ascending && !ascending) ||
                (direction == PassDirection::Descending && ascending))
                return;
            looks[b].push_back(t);
            passesSeen.insert({sat, ((half % (2 * revolutions)) + 2 * revolutions) % (2 * revolutions)});
        };
        const auto closeRun = [&](std::size_t b) {
            // A run of samples that ended while still approaching: its last
            // sample was the closest.
            PointState& s = state[b];
            if (s.last > s.beforeLast)
                addLook(b, s.lastSample, s.beforeLast, s.last, -2);
        };

        // Half a revolution either side of the cycle, so that looks at its
        // ends are found whole.
        const auto sampleCount = static_cast<std::int64_t>((cycleS + periodS) / stepS);
        for (std::int64_t i = 0; i <= sampleCount; ++i) {
            const double t = static_cast<double>(i) * stepS - periodS / 2;
            const GroundPoint p = track.At(t + leadS);
            const double lat = p.latitudeDeg * kDeg;
            if (std::fabs(lat - lat0) > reach)
                continue;
            const double lon = (p.longitudeDeg + leadLonDeg) * kDeg;
            const double sinP = std::sin(lat), cosP = std::cos(lat);
            const double cosWidth = (cosReach - sin0 * sinP) / (cos0 * cosP);
            const double width = cosWidth <= -1 ? kPi : std::acos(std::min(1.0, cosWidth));
            const int from = static_cast<int>(std::floor((lon - width + kPi) / (2 * kPi) * points - 0.5));
            const int to = static_cast<int>(std::ceil((lon + width + kPi) / (2 * kPi) * points - 0.5));
            for (int k = from; k <= std::min(to, from + points - 1); ++k) {
                const auto b = static_cast<std::size_t>(((k % points) + points) % points);
                const double c = sin0 * sinP + cos0 * cosP * std::cos(pointLon[b] - lon);
                if (c < cosReach)
                    continue;
                PointState& s = state[b];
                if (s.lastSample == i)
                    continue;
                if (s.lastSample == i - 1) {
                    if (s.last > s.beforeLast && s.last >= c)
                        addLook(b, s.lastSample, s.beforeLast, s.last, c);
                    s.beforeLast = s.last;
                } else {
                    if (s.lastSample >= 0)
                        closeRun(b);
                    s.beforeLast = -2;
                }
                s.last = c;
                s.lastSample = i;
            }
        }
        for (std::size_t b = 0; b < state.size(); ++b)
            if (state[b].lastSample >= 0)
                closeRun(b);
    }

    BruteForceRow row;
    row.passes = static_cast<std::int64_t>(passesSeen.size());
    int seen = 0;
    double meanSum = 0;
    for (std::vector<double>& times : looks) {
        if (times.empty())
            continue;
        ++seen;
        std::sort(times.begin(), times.end());
        double longest = times.front() + cycleS - times.back();
        for (std::size_t i = 1; i < times.size(); ++i)
            longest = std::max(longest, times[i] - times[i - 1]);
        row.maxRevisitDays = std::max(row.maxRevisitDays, longest / 86400);
        meanSum += cycleS / static_cast<double>(times.size()) / 86400;
    }
    row.coveredFraction = static_cast<double>(seen) / points;
    if (seen > 0)
        row.meanRevisitDays = meanSum / seen;
    return row;
}

}  // namespace orbit::analysis::testing
