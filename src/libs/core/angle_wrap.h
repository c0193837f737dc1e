#pragma once
// Bringing an angle (or an hour of the day) into one turn. The reductions are
// not all the same on purpose: where one finishes a turn by adding n to a
// tiny negative remainder, the sum may round to n itself, and some callers'
// figures were fixed with that arithmetic. Each behaviour has its own name;
// pick the one whose result range the caller relies on.

#include "core/constants.h"

#include <cmath>

namespace orbit {

// a mod n in [0, n), never n itself however a rounds. fmod is exact, and so is
// a - n for n <= a < 2 n (the operands are within a factor of two), so the
// usual cases need no division.
inline double WrapModulo(double a, double n)
{
    if (a >= 0 && a < n)
        return a;
    if (a >= n && a < 2 * n)
        return a - n;
    double r = a < 0 && a > -n ? a : std::fmod(a, n);
    if (r < 0)
        r += n;
    return r >= n ? 0 : r;
}

// a mod n in [0, n]: fmod, then n added to a negative remainder, which for a
// remainder smaller than n's last digit gives n itself.
inline double WrapModuloOpen(double a, double n)
{
    const double r = std::fmod(a, n);
    return r < 0 ? r + n : r;
}

inline double WrapTwoPi(double angleRad) { return WrapModulo(angleRad, kTwoPi); }
inline double WrapTwoPiOpen(double angleRad) { return WrapModuloOpen(angleRad, kTwoPi); }

// Hours of the day in [0, 24).
inline double WrapHours24(double hours) { return WrapModulo(hours, 24.0); }

// An angle in (-pi, pi], from the nearest-turn remainder.
inline double WrapPlusMinusPi(double angleRad)
{
    double w = std::remainder(angleRad, kTwoPi);  // [-pi, pi]
    if (w <= -kPi)
        w += kTwoPi;
    return w;
}

// An angle in (-pi, pi], from the [0, 2 pi] reduction of WrapTwoPiOpen; it
// differs from WrapPlusMinusPi in the last digit for some angles.
inline double WrapPlusMinusPiFromTurn(double angleRad)
{
    const double a = WrapTwoPiOpen(angleRad);
    return a > kPi ? a - kTwoPi : a;
}

// A longitude in degrees in (-180, 180].
inline double WrapDegrees180(double deg)
{
    double wrapped = std::fmod(deg, 360.0);  // (-360, 360)
    if (wrapped > 180)
        wrapped -= 360;
    else if (wrapped <= -180)
        wrapped += 360;
    return wrapped;
}

}  // namespace orbit
