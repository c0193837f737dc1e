#include "map/simplify.h"

#include <cmath>
#include <utility>

namespace world_map {

namespace {

// Squared distance in degrees from p to the segment a-b on the map.
double DistanceSquared(const LonLat& p, const LonLat& a, const LonLat& b)
{
    const double dx = b.lonDeg - a.lonDeg, dy = b.latDeg - a.latDeg;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.lonDeg - a.lonDeg) * dx + (p.latDeg - a.latDeg) * dy) / length2 : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double ex = a.lonDeg + t * dx - p.lonDeg, ey = a.latDeg + t * dy - p.latDeg;
    return ex * ex + ey * ey;
}

// Marks in `keep` the points of points[first..last] the rule keeps between
// the two ends (already kept).
void MarkKept(const std::vector<LonLat>& points, std::size_t first, std::size_t last, double tolerance2,
              std::vector<bool>& keep)
{
    std::vector<std::pair<std::size_t, std::size_t>> spans{{first, last}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        double farthest = tolerance2;
        std::size_t index = 0;
        for (std::size_t i = a + 1; i < b; ++i)
            if (const double d2 = DistanceSquared(points[i], points[a], points[b]); d2 > farthest) {
                farthest = d2;
                index = i;
            }
        if (index != 0) {
            keep[index] = true;
            spans.push_back({a, index});
            spans.push_back({index, b});
        }
    }
}

std::vector<LonLat> KeptPoints(const std::vector<LonLat>& points, const std::vector<bool>& keep)
{
    std::vector<LonLat> kept;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (keep[i])
            kept.push_back(points[i]);
    return kept;
}

}  // namespace

int DetailLevelFor(double degreesPerPixel)
{
    for (std::size_t level = 0; level + 1 < kDetailToleranceDeg.size(); ++level)
        if (kDetailToleranceDeg[level] <= 0.5 * degreesPerPixel)
            return static_cast<int>(level);
    return static_cast<int>(kDetailToleranceDeg.size()) - 1;
}

Polyline Simplified(const Polyline& line, double toleranceDeg)
{
    if (line.size() < 3 || !(toleranceDeg > 0))
        return line;
    std::vector<bool> keep(line.size(), false);
    keep.front() = keep.back() = true;
    MarkKept(line, 0, line.size() - 1, toleranceDeg * toleranceDeg, keep);
    return KeptPoints(line, keep);
}

Ring SimplifiedRing(const Ring& ring, double toleranceDeg)
{
    if (ring.size() < 4 || !(toleranceDeg > 0))
        return ring;
    // Split at the point farthest from the first, then treat each half as a line.
    std::size_t far = 1;
    for (std::size_t i = 1; i < ring.size(); ++i)
        if (DistanceSquared(ring[i], ring[0], ring[0]) > DistanceSquared(ring[far], ring[0], ring[0]))
            far = i;
    std::vector<LonLat> closed = ring;
    closed.push_back(ring.front());
    std::vector<bool> keep(closed.size(), false);
    keep[0] = keep[far] = keep.back() = true;
    const double tolerance2 = toleranceDeg * toleranceDeg;
    MarkKept(closed, 0, far, tolerance2, keep);
    MarkKept(closed, far, closed.size() - 1, tolerance2, keep);
    keep.back() = false;  // the closing point is the first again
    Ring kept = KeptPoints(closed, keep);
    if (kept.size() < 3)
        kept.clear();
    return kept;
}

}  // namespace world_map
