#pragma once
// Three-vectors as plain arrays, and the few products every frame uses. Each
// is written in one operation order, so that every caller gets the same
// digits from the same vectors.

#include <array>
#include <cmath>

namespace orbit {

using Vector3 = std::array<double, 3>;

inline double Dot(const Vector3& a, const Vector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

inline Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

inline double Norm(const Vector3& a) { return std::sqrt(Dot(a, a)); }

}  // namespace orbit
