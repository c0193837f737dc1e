#pragma once
// The rates and factors of a circular, J2-perturbed orbit that both the axis
// relations and the solver use. Each is written here once, in the operation
// order the results depend on to the last bit, and every caller asks for it
// here rather than forming it again.

#include "core/guarded.h"

namespace orbit::RepBas {

// S = sqrt(Mu), taken afresh at each use.
Guarded RootMu();

// nu = M / Q + N, the division first: revolutions per turn of the Earth
// relative to the orbit plane.
Guarded RevsPerNodalDay(Guarded N, Guarded M, Guarded Q);

// The J2 factor S * 3 * J2 * Re * Re / 2, multiplied left to right and divided
// last: 1.5 S J2 Re^2, the strength of the equatorial bulge's pull on the node.
Guarded J2Factor();

// Rate of the ascending node (rad/s) of a circular orbit of axis a (km) and
// inclination incl (rad): a^-3.5 (S (-1.5) J2) Re Re cos(incl). Negative for
// a prograde orbit, whose plane the bulge turns westward.
Guarded NodeRate(Guarded a, Guarded incl);

// Mean motion including the J2 drift of the mean anomaly, in revolutions per
// day: the Kepler motion from the period (a / 331.2535)^1.5 minutes, plus
// a^-3.5 (S 0.75 J2) Re Re (3 cos^2 i - 1).
Guarded MeanMotionRevPerDay(Guarded a, Guarded incl);

// The cosine of the inclination whose node turns with the mean sun, at axis a:
// a^3.5 (-OmegaSun) / J2Factor(). Below -1 no sun-synchronous orbit exists.
Guarded SunSyncInclinationCosine(Guarded a);

}  // namespace orbit::RepBas
