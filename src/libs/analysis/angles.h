#pragma once
// The swath as an angle, written once for the analysis layer and the map;
// the exact circle constants of the track's geometry come with it
// (core/constants.h).

#include "core/constants.h"
#include "core/repbas.h"

namespace orbit::analysis {

// Half a swath `swathKm` wide on the ground, as the angle it spans at the
// Earth's centre on the model's sphere.
inline double HalfSwathRad(double swathKm) { return swathKm / 2 / RepBas::Re; }

}  // namespace orbit::analysis
