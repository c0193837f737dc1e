#pragma once
// Whole-number arithmetic of repeat cycles: a cycle of Q days and R
// revolutions lays its tracks on a grid, and which track is flown when is a
// question of residues modulo Q or R.

#include <cmath>
#include <cstdint>

namespace orbit::analysis {

// Whole numbers up to this size keep every product of a cycle's layout
// (revolutions times days, times satellites) within 64 bits.
inline constexpr double kLargestModestWhole = 2147483647.0;

inline bool IsModestWhole(double v) { return std::floor(v) == v && std::fabs(v) <= kLargestModestWhole; }

// a mod n in [0, n), for any sign of a.
inline std::int64_t Modulo(std::int64_t a, std::int64_t n)
{
    const std::int64_t r = a % n;
    return r < 0 ? r + n : r;
}

// The inverse of a modulo n (a and n coprime), by the extended Euclidean
// algorithm: logarithmic in n, so long cycles cost nothing. 0 when n is 1.
inline std::int64_t InverseModulo(std::int64_t a, std::int64_t n)
{
    std::int64_t r0 = n, r1 = Modulo(a, n);
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
    return Modulo(t0, n);
}

}  // namespace orbit::analysis
