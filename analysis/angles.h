#pragma once
// The circle's constants of the track's geometry, and the swath as an angle,
// written once for the analysis layer and the map. The design core keeps the
// model's own stored pi (core/repbas.h) for the design's figures; the track
// geometry around them uses the exact one.

#include "core/repbas.h"

#include <numbers>

namespace orbit::analysis {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2 * std::numbers::pi;
inline constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;

// Half a swath `swathKm` wide on the ground, as the angle it spans at the
// Earth's centre on the model's sphere.
inline double HalfSwathRad(double swathKm) { return swathKm / 2 / RepBas::Re; }

}  // namespace orbit::analysis
