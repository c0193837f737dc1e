#pragma once
// The Earth's shadow on a circular orbit, for a spherical Earth and the Sun
// as a disc at its true distance: a conical shadow. The umbra is the cone
// behind the Earth tangent to both spheres on the same side, narrowing to a
// point about 1.4 million km away; the penumbra is bounded by the cone
// tangent on opposite sides, widening away from the Sun. Over one revolution
// the Sun's direction barely moves, so the shadow is a fixed pair of cones
// and the orbit crosses each along one arc centred on the point of the orbit
// farthest from the Sun.

namespace orbit::sun {

struct EclipseTimes {
    double umbraMin = 0;      // full shadow
    double penumbraMin = 0;   // partial shadow only, the umbra not included
    double umbraFraction = 0; // of the revolution
};

// `betaRad` is the Sun's angle above the orbit plane; the revolution lasts
// `periodS`. An orbit that never enters a shadow gets zeros.
EclipseTimes EclipsePerRevolution(double orbitRadiusKm, double betaRad, double sunDistanceKm, double periodS,
                                  double earthRadiusKm, double sunRadiusKm);

// True when the point `positionKm` (Earth-centred) lies in the umbra, or in
// the penumbra or umbra, of the Earth lit from the unit direction `toSun`.
struct ShadowCones {
    double umbraVertexKm, umbraHalfAngleRad;        // vertex behind the Earth
    double penumbraVertexKm, penumbraHalfAngleRad;  // vertex sunward of the Earth
};
ShadowCones ShadowConesOf(double sunDistanceKm, double earthRadiusKm, double sunRadiusKm);

}  // namespace orbit::sun
