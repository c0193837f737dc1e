#include "core/repeat_orbit_solver.h"

#include "core/guarded.h"
#include "core/number_text.h"
#include "core/orbit_rates.h"
#include "core/repbas.h"

namespace orbit {

DesignRecord DesignResult;

using namespace RepBas;

RepeatOrbitInputs RepeatOrbitInputs::Fixed(double n, double m, double q, OrbitType type,
                                           double inclDegrees, double inclTenths)
{
    RepeatOrbitInputs inputs;
    inputs.N = [n] { return n; };
    inputs.M = [m] { return m; };
    inputs.Q = [q] { return q; };
    inputs.Type = type;
    inputs.InclDegrees = [inclDegrees] { return inclDegrees; };
    inputs.InclTenths = [inclTenths] { return inclTenths; };
    return inputs;
}


RepeatOrbitSolution SolveRepeatOrbit(const RepeatOrbitInputs& inputs, const SolveObserver& observer,
                                     DesignRecord& record)
{
    // Each input is stored the moment it is read, so a later input that fails
    // to read leaves the earlier ones in the record.
    record.N = inputs.N();
    record.M = inputs.M();
    record.Q = inputs.Q();
    const Guarded N = record.N, M = record.M, Q = record.Q;
    const auto nu = [&] { return RevsPerNodalDay(N, M, Q); };

    RepeatOrbitSolution solution;
    solution.RevCount = ToInt16((Q * N + M).value());
    if (observer.OnRevCount)
        observer.OnRevCount(solution.RevCount);

    if (inputs.Type == OrbitType::ChooseInclination) {
        const Guarded degrees = inputs.InclDegrees();
        const Guarded tenths = inputs.InclTenths();
        const Guarded incl = degrees * (Pi / 180) + tenths * (Pi / 1800);
        record.Incl = incl.value();

        const Guarded a = InclAxis(N.value(), M.value(), Q.value(), incl.value());
        const Guarded nodeRate = NodeRate(a, incl);
        record.NodeRate = nodeRate.value();
        // One revolution per turn of the Earth relative to the node, nu per day.
        const Guarded nodalPeriod = 1 / (nu() * (OmegaEarth - nodeRate) / TwoPi);
        record.NodalPeriod = nodalPeriod.value();
        const Guarded meanMotion = MeanMotionRevPerDay(a, incl);
        record.MeanMotion = meanMotion.value();
        const Guarded nodalPeriodMin = nodalPeriod / 60;
        const Guarded nodeSpacing = (OmegaEarth - nodeRate) * nodalPeriod;
        record.NodeSpacing = nodeSpacing.value();
        record.NodeSpacingDeg = (nodeSpacing * 180 / Pi).value();

        solution.SemiMajorAxis = a.value();
        solution.MeanAltitude = (a - Re).value();
        solution.MeanMotion = meanMotion.value();
        solution.NodalPeriodMin = nodalPeriodMin.value();
    } else {
        const Guarded a = SunSyncAxis(N.value(), M.value(), Q.value());
        solution.SemiMajorAxis = a.value();
        solution.MeanAltitude = (a - Re).value();
        if (observer.OnAxis)
            observer.OnAxis(solution.SemiMajorAxis, solution.MeanAltitude);

        // The node must turn eastward with the mean sun: node rate = OmegaSun.
        const Guarded cosIncl = SunSyncInclinationCosine(a);
        const Guarded inclDeg = (180 / Pi) * ArcCos(cosIncl.value());
        const Guarded incl = inclDeg * Pi / 180;
        record.Incl = incl.value();
        const Guarded nodeRate = NodeRate(a, incl);
        record.NodeRate = nodeRate.value();
        // The nodal period here takes the Earth to turn once per solar day
        // relative to the orbit plane, which is what sun-synchronism means.
        const Guarded nodalPeriod = SecondsPerDay / nu();
        record.NodalPeriod = nodalPeriod.value();
        const Guarded nodalPeriodMin = nodalPeriod / 60;
        const Guarded nodeSpacing = (OmegaEarth - nodeRate) * nodalPeriod;
        record.NodeSpacing = nodeSpacing.value();
        record.NodeSpacingDeg = (nodeSpacing * 180 / Pi).value();
        const Guarded meanMotion = MeanMotionRevPerDay(a, incl);
        record.MeanMotion = meanMotion.value();

        solution.MeanMotion = meanMotion.value();
        solution.InclDeg = inclDeg.value();
        solution.NodalPeriodMin = nodalPeriodMin.value();
    }

    if (observer.OnComplete)
        observer.OnComplete(solution);
    return solution;
}

bool NoSunSynchronousOrbitAt(double semiMajorAxisKm)
{
    try {
        return RepBas::SunSyncInclinationCosine(semiMajorAxisKm) < -1;
    } catch (const OrbitError&) {
        // a^3.5 beyond the double range: the cosine would be far below -1.
        return true;
    }
}

}  // namespace orbit
