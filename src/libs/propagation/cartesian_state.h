#pragma once
// A position and velocity (km, km/s) in the propagator's inertial frame, the
// one whose z axis is the pole the zonal field is symmetric about: for the
// orbits this program hands on, the true equator and equinox of the epoch.

#include <array>

namespace orbit::propagation {

using Vector3 = std::array<double, 3>;

struct CartesianState {
    Vector3 positionKm{};
    Vector3 velocityKmS{};
};

}  // namespace orbit::propagation
