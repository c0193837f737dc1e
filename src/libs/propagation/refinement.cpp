#include "propagation/refinement.h"

#include "core/constants.h"
#include "core/orbit_error.h"

#include <cmath>
#include <numbers>
#include <sstream>

namespace orbit::propagation {
namespace {

// The residuals the refinement drives to zero: the closure (m) and, for a
// sun-synchronous design, the local-time drift (s per cycle).
struct Residual {
    double closureM = 0;
    double driftS = 0;
};

Residual ResidualOf(const Closure& c) { return {c.closureKm * 1000, c.ltanDriftSPerCycle}; }

// The same residuals as the J2 secular theory predicts them for a circular
// orbit of axis a and inclination i: over R nodal periods the node moves
// east against the Earth by R T (node rate - Earth rate), and against the
// mean Sun by R T (node rate - Sun rate). Only their derivatives are used.
Residual SecularResidual(const GravityModel& model, const RepeatCycle& cycle, double a, double i)
{
    const double n = std::sqrt(model.gmKm3S2 / (a * a * a));
    const double k = 1.5 * model.J(2) * (model.equatorialRadiusKm / a) * (model.equatorialRadiusKm / a);
    const double c = std::cos(i);
    const double latitudeRate = n * (1 + k * (4 * c * c - 1));
    const double nodeRate = -n * k * c;
    const double span = cycle.revolutions * kTwoPi / latitudeRate;
    return {span * (nodeRate - model.earthRateRadS) * model.equatorialRadiusKm * 1000,
            span * (nodeRate - kMeanSunRateRadS) * 86400.0 / kTwoPi};
}

struct Jacobian {
    double daClosure, diClosure, daDrift, diDrift;  // per km and per rad
};

Jacobian SecularJacobian(const GravityModel& model, const RepeatCycle& cycle, double a, double i)
{
    const double ha = 1e-3, hi = 1e-6;
    const Residual ap = SecularResidual(model, cycle, a + ha, i), am = SecularResidual(model, cycle, a - ha, i);
    const Residual ip = SecularResidual(model, cycle, a, i + hi), im = SecularResidual(model, cycle, a, i - hi);
    return {(ap.closureM - am.closureM) / (2 * ha), (ip.closureM - im.closureM) / (2 * hi),
            (ap.driftS - am.driftS) / (2 * ha), (ip.driftS - im.driftS) / (2 * hi)};
}

bool Converged(const Residual& r, const RefineRequest& request)
{
    return std::abs(r.closureM) < request.toleranceM &&
           (!request.sunSynchronous || std::abs(r.driftS) < kLocalTimeDriftToleranceS);
}

}  // namespace

RefinedDesign Refine(const RefineRequest& request)
{
    if (!(request.toleranceM >= 0.01)) {
        throw OrbitError(ErrorKind::Usage, "The closure tolerance must be at least 0.01 m");
    }
    const GravityModel& model = request.model;
    NonsingularElements osc = MeanToOsculating(request.meanStart, model);
    auto closureOf = [&](const NonsingularElements& el) {
        const Propagator propagator(model, ToCartesian(el, model.gmKm3S2), request.integrator);
        return MeasureClosure(propagator, request.cycle, request.earthAngleAtEpochRad);
    };
    Closure closure = closureOf(osc);
    Residual residual = ResidualOf(closure);
    Jacobian jac = SecularJacobian(model, request.cycle, request.meanStart.semiMajorAxisKm,
                                   request.meanStart.inclinationRad);
    int iterations = 0;
    while (!Converged(residual, request)) {
        if (iterations >= request.iterationCap) {
            std::ostringstream text;
            text << "Refinement did not converge in " << request.iterationCap
                 << " iterations: the closure reached is " << residual.closureM << " m";
            if (request.sunSynchronous) text << " and the local-time drift " << residual.driftS << " s per cycle";
            throw OrbitError(ErrorKind::NoConvergence, text.str());
        }
        // The Newton step from the current Jacobian: the axis alone for a
        // design of chosen inclination, axis and inclination together for a
        // sun-synchronous one.
        double da = 0, di = 0;
        if (request.sunSynchronous) {
            const double det = jac.daClosure * jac.diDrift - jac.diClosure * jac.daDrift;
            da = -(residual.closureM * jac.diDrift - jac.diClosure * residual.driftS) / det;
            di = -(jac.daClosure * residual.driftS - residual.closureM * jac.daDrift) / det;
        } else {
            da = -residual.closureM / jac.daClosure;
        }
        osc.semiMajorAxisKm += da;
        osc.inclinationRad += di;
        const Closure next = closureOf(osc);
        const Residual nextResidual = ResidualOf(next);
        ++iterations;
        // Broyden's update: the Jacobian made to reproduce the change just
        // seen, in the axis and the arc a i so that both steps are lengths.
        const double dc = nextResidual.closureM - residual.closureM;
        const double dd = nextResidual.driftS - residual.driftS;
        const double a2 = osc.semiMajorAxisKm * osc.semiMajorAxisKm;
        const double norm2 = da * da + a2 * di * di;
        if (norm2 > 0) {
            const double ec = dc - (jac.daClosure * da + jac.diClosure * di);
            const double ed = dd - (jac.daDrift * da + jac.diDrift * di);
            jac.daClosure += ec * da / norm2;
            jac.diClosure += ec * a2 * di / norm2;
            jac.daDrift += ed * da / norm2;
            jac.diDrift += ed * a2 * di / norm2;
        }
        closure = next;
        residual = nextResidual;
    }
    RefinedDesign refined;
    refined.osculating = osc;
    refined.state = ToCartesian(osc, model.gmKm3S2);
    refined.mean = OsculatingToMean(osc, model);
    refined.closure = closure;
    refined.iterations = iterations;
    return refined;
}

}  // namespace orbit::propagation
