#pragma once
// The osculating Keplerian elements of a state: the conic a body would follow
// from there if the central body's GM alone pulled on it.

#include "export/export_inputs.h"

namespace orbit::exports {

struct KeplerElements {
    double semiMajorAxisKm = 0;
    double eccentricity = 0;
    double inclinationDeg = 0;      // [0, 180]
    double raanDeg = 0;             // [0, 360)
    double argPericenterDeg = 0;    // [0, 360)
    double trueAnomalyDeg = 0;      // [0, 360)
    double meanAnomalyDeg = 0;      // [0, 360)
};

// Elements of an elliptic state under `gmKm3S2`. On a circular orbit the
// pericentre is undefined: it is put at the node (argument of pericentre 0,
// the anomalies then count the argument of latitude); on an equatorial orbit
// the node is put on the x axis. Throws OrbitError (InvalidArgument) for a
// state that is not finite or not on an ellipse (e >= 1, or r = 0).
KeplerElements KeplerFromState(const CartesianState& state, double gmKm3S2);

}  // namespace orbit::exports
