#pragma once
// The drawing surface takes its coordinates as 32-bit floats; the pattern is
// computed in doubles. A value that no float can hold is "Overflow" rather
// than an infinity or undefined behaviour handed on to the surface.

#include "core/orbit_error.h"

#include <cmath>
#include <limits>

namespace pattern {

inline float ToSingle(double value)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw orbit::OrbitError(orbit::ErrorKind::Overflow);
    return static_cast<float>(value);
}

}  // namespace pattern
