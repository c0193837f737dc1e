#pragma once
// The exact constants every layer beyond the design core shares: the
// circle's, and the length of a day of 86400 SI seconds. The design core
// keeps the model's own stored values (core/repbas.h: its Pi, TwoPi and
// SecondsPerDay) for the design's figures, digit for digit; the geometry,
// ephemeris and propagation around them use these.

#include <numbers>

namespace orbit {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2 * std::numbers::pi;
inline constexpr double kDegreesPerRadian = 180 / std::numbers::pi;
inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;
inline constexpr double kSecondsPerDay = 86400.0;

}  // namespace orbit
