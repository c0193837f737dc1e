#pragma once
// What the world map tests share: solved designs, and looking at rings on the
// map as areas (signed area, winding number, covered or not).

#include "core/repeat_orbit_solver.h"
#include "map/ground_track_map.h"
#include "map/map_geometry.h"

#include <ostream>
#include <vector>

namespace world_map {

// Points read as (longitude, latitude) in test failures.
inline void PrintTo(const LonLat& p, std::ostream* out) { *out << '(' << p.lonDeg << ", " << p.latDeg << ')'; }

}  // namespace world_map

namespace map_test {

inline world_map::MapDesign Design(double n, double m, double q, orbit::OrbitType type, double inclDeg = 0)
{
    orbit::DesignRecord record;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(n, m, q, type, inclDeg, 0), {}, record);
    return world_map::MapDesignOf(record, type);
}

inline world_map::MapDesign SunSync(double n, double m, double q)
{
    return Design(n, m, q, orbit::OrbitType::SunSynchronous);
}

inline world_map::MapDesign Inclined(double n, double m, double q, double inclDeg)
{
    return Design(n, m, q, orbit::OrbitType::ChooseInclination, inclDeg);
}

// Twice the signed area (degrees squared): positive counter-clockwise.
inline double SignedArea2(const world_map::Ring& ring)
{
    double sum = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const world_map::LonLat& a = ring[i];
        const world_map::LonLat& b = ring[(i + 1) % ring.size()];
        sum += a.lonDeg * b.latDeg - b.lonDeg * a.latDeg;
    }
    return sum;
}

inline int WindingNumber(const world_map::Ring& ring, world_map::LonLat p)
{
    int winding = 0;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const world_map::LonLat& a = ring[i];
        const world_map::LonLat& b = ring[(i + 1) % ring.size()];
        const double side =
            (b.lonDeg - a.lonDeg) * (p.latDeg - a.latDeg) - (p.lonDeg - a.lonDeg) * (b.latDeg - a.latDeg);
        if (a.latDeg <= p.latDeg && b.latDeg > p.latDeg && side > 0)
            ++winding;
        else if (a.latDeg > p.latDeg && b.latDeg <= p.latDeg && side < 0)
            --winding;
    }
    return winding;
}

// Whether rings filled with the nonzero rule cover `p`.
inline bool Covered(const std::vector<world_map::Ring>& rings, world_map::LonLat p)
{
    int winding = 0;
    for (const world_map::Ring& ring : rings)
        winding += WindingNumber(ring, p);
    return winding != 0;
}

}  // namespace map_test
