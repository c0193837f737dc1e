#pragma once
// A position and velocity in EME2000 (km, km/s), the propagator's state.

#include <array>

namespace orbit::propagation {

using Vector3 = std::array<double, 3>;

struct CartesianState {
    Vector3 positionKm{};
    Vector3 velocityKmS{};
};

}  // namespace orbit::propagation
