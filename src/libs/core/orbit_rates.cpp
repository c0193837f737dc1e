#include "core/orbit_rates.h"

#include "core/repbas.h"

namespace orbit::RepBas {

Guarded RootMu() { return Sqrt(Mu); }

Guarded RevsPerNodalDay(Guarded N, Guarded M, Guarded Q) { return M / Q + N; }

Guarded J2Factor() { return RootMu() * 3 * J2 * Re * Re / 2; }

Guarded NodeRate(Guarded a, Guarded incl)
{
    return Pow(a, -3.5) * (RootMu() * (-1.5) * J2) * Re * Re * Cos(incl);
}

Guarded MeanMotionRevPerDay(Guarded a, Guarded incl)
{
    const Guarded keplerPeriodMin = Pow(a / KeplerMinuteRadius, 1.5);
    const Guarded keplerMotion = TwoPi / (keplerPeriodMin * 60);
    const Guarded c = Cos(incl);
    return (keplerMotion + Pow(a, -3.5) * (RootMu() * 0.75 * J2) * Re * Re * (c * 3 * c - 1)) *
           SecondsPerDay / TwoPi;
}

Guarded SunSyncInclinationCosine(Guarded a) { return Pow(a, 3.5) * (-OmegaSun) / J2Factor(); }

}  // namespace orbit::RepBas
