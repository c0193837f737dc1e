#include "map/map_geometry.h"

#include "core/angle_wrap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace world_map {

namespace {

// The longitude `lonDeg` moved by whole turns to lie within half a turn of
// `nearDeg`: the point reached by the short step from there.
double Unwrapped(double lonDeg, double nearDeg)
{
    double lon = lonDeg;
    while (lon - nearDeg > 180)
        lon -= 360;
    while (lon - nearDeg < -180)
        lon += 360;
    return lon;
}

// The point where the segment a-b meets the meridian `lonDeg`.
LonLat CrossingAt(const LonLat& a, const LonLat& b, double lonDeg)
{
    const double t = (lonDeg - a.lonDeg) / (b.lonDeg - a.lonDeg);
    return {lonDeg, a.latDeg + t * (b.latDeg - a.latDeg)};
}

// One pass of Sutherland-Hodgman: the part of `ring` on the kept side of the
// meridian `lonDeg` (east of it when `keepEast`). Cut edges run along it.
Ring ClipAt(const Ring& ring, double lonDeg, bool keepEast)
{
    const auto inside = [&](const LonLat& p) { return keepEast ? p.lonDeg >= lonDeg : p.lonDeg <= lonDeg; };
    Ring out;
    out.reserve(ring.size() + 4);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const LonLat& previous = ring[(i + ring.size() - 1) % ring.size()];
        const LonLat& current = ring[i];
        if (inside(current)) {
            if (!inside(previous))
                out.push_back(CrossingAt(previous, current, lonDeg));
            out.push_back(current);
        } else if (inside(previous)) {
            out.push_back(CrossingAt(previous, current, lonDeg));
        }
    }
    return out;
}

}  // namespace

double WrapDeg(double lonDeg) { return orbit::WrapDegrees180(lonDeg); }

std::vector<Polyline> SplitAtMapEdge(const Polyline& line)
{
    std::vector<Polyline> pieces;
    Polyline piece;
    for (const LonLat& point : line) {
        if (piece.empty()) {
            piece.push_back(point);
            continue;
        }
        const LonLat& previous = piece.back();
        const LonLat next{Unwrapped(point.lonDeg, previous.lonDeg), point.latDeg};
        // A step under half a turn crosses at most one edge.
        const double edge = next.lonDeg > kMapEastDeg ? kMapEastDeg : next.lonDeg < kMapWestDeg ? kMapWestDeg : 0;
        if (edge == 0) {
            piece.push_back(next);
            continue;
        }
        const LonLat crossing = CrossingAt(previous, next, edge);
        if (previous.lonDeg != edge)
            piece.push_back(crossing);
        if (piece.size() >= 2)
            pieces.push_back(std::move(piece));
        piece = {LonLat{-edge, crossing.latDeg}, LonLat{next.lonDeg - 2 * edge, next.latDeg}};
    }
    if (piece.size() >= 2)
        pieces.push_back(std::move(piece));
    return pieces;
}

std::vector<Ring> ToMapRings(const Ring& ring)
{
    if (ring.size() < 3)
        return {};
    Ring unwrapped;
    unwrapped.reserve(ring.size() + 3);
    unwrapped.push_back(ring.front());
    for (std::size_t i = 1; i < ring.size(); ++i)
        unwrapped.push_back({Unwrapped(ring[i].lonDeg, unwrapped.back().lonDeg), ring[i].latDeg});

    // Back at the start the ring has turned a whole number of times round the
    // pole axis: none for an ordinary ring, once for one round a pole.
    const double closingLon = Unwrapped(ring.front().lonDeg, unwrapped.back().lonDeg);
    if (std::fabs(closingLon - unwrapped.front().lonDeg) > 180) {
        const auto farthest = std::max_element(ring.begin(), ring.end(), [](const LonLat& a, const LonLat& b) {
            return std::fabs(a.latDeg) < std::fabs(b.latDeg);
        });
        const double poleLat = farthest->latDeg < 0 ? -90 : 90;
        unwrapped.push_back({closingLon, ring.front().latDeg});
        unwrapped.push_back({closingLon, poleLat});
        unwrapped.push_back({unwrapped.front().lonDeg, poleLat});
    }

    const auto [west, east] = std::minmax_element(unwrapped.begin(), unwrapped.end(),
                                                  [](const LonLat& a, const LonLat& b) { return a.lonDeg < b.lonDeg; });
    const double westDeg = west->lonDeg, eastDeg = east->lonDeg;
    std::vector<Ring> rings;
    // Each copy of the ring a whole turn apart that reaches onto the map.
    const int firstTurn = static_cast<int>(std::floor((kMapWestDeg - eastDeg) / 360));
    const int lastTurn = static_cast<int>(std::ceil((kMapEastDeg - westDeg) / 360));
    for (int turn = firstTurn; turn <= lastTurn; ++turn) {
        const double shift = 360.0 * turn;
        if (eastDeg + shift <= kMapWestDeg || westDeg + shift >= kMapEastDeg)
            continue;
        Ring copy = unwrapped;
        if (shift != 0)
            for (LonLat& p : copy)
                p.lonDeg += shift;
        if (westDeg + shift < kMapWestDeg)
            copy = ClipAt(copy, kMapWestDeg, true);
        if (eastDeg + shift > kMapEastDeg)
            copy = ClipAt(copy, kMapEastDeg, false);
        if (copy.size() >= 3)
            rings.push_back(std::move(copy));
    }
    return rings;
}

}  // namespace world_map
