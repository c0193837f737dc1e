#include "cli/refine_run.h"

#include "core/orbit_error.h"

namespace orbit::cli {

using namespace propagation;

RefineRun RunRefine(const RefineInputs& inputs)
{
    RefineRun run(inputs.epochNode.epoch);
    run.design = RunDesign(inputs.design);
    if (!run.design.completed()) {
        throw OrbitError(ErrorKind::InvalidArgument, run.design.error.value_or("The design did not complete"));
    }
    if (const std::optional<std::string> refusal = BelowSurfaceRefusal(run.design))
        throw OrbitError(ErrorKind::InvalidArgument, *refusal);
    const DesignRecord& record = run.design.record;
    const double axisKm = run.design.solution->SemiMajorAxis;
    run.node = NodeOfDesign(record, inputs.epochNode);
    run.model = inputs.model;
    run.cycle = {run.design.solution->RevCount, record.NodalPeriod, record.NodeRate};

    run.frozenEJ2J3 = FrozenEccentricityJ2J3(run.model, axisKm, record.Incl);
    try {
        run.frozenEZonal = FrozenEccentricityZonal(run.model, axisKm, record.Incl);
    } catch (const OrbitError& e) {
        if (inputs.frozen)
            throw;
        run.frozenMissing = e.what();
    }

    // The design's mean elements at the epoch, against the true equator and
    // equinox of the epoch: the design's inclination is to the equator of
    // date, as the Sun's figures take it, and the field's pole is that one.
    run.designMean.semiMajorAxisKm = axisKm;
    run.designMean.inclinationRad = record.Incl;
    run.designMean.raanRad = run.node.raanOfDateRad;
    run.designMean.ey = inputs.frozen ? run.frozenEZonal.value() : 0.0;
    run.designState = ToCartesian(MeanToOsculating(run.designMean, run.model), run.model.gmKm3S2);
    const Propagator designPropagator(run.model, run.designState);
    run.earthAngleAtEpochRad = EarthAngleForFirstNode(designPropagator, run.cycle, run.node.longitudeRad);
    run.designClosure = MeasureClosure(designPropagator, run.cycle, run.earthAngleAtEpochRad);

    RefineRequest request;
    request.model = run.model;
    request.meanStart = run.designMean;
    request.cycle = run.cycle;
    request.sunSynchronous = run.design.type == OrbitType::SunSynchronous;
    request.earthAngleAtEpochRad = run.earthAngleAtEpochRad;
    request.toleranceM = inputs.toleranceM;
    run.refined = Refine(request);

    // The eccentricity vector over the cycle, started circular and started
    // frozen at the refined mean axis and inclination.
    const double duration = run.refined.closure.tRS;
    auto excursion = [&](double e) {
        NonsingularElements mean = run.refined.mean;
        mean.ex = 0;
        mean.ey = e;
        const Propagator propagator(run.model, ToCartesian(MeanToOsculating(mean, run.model), run.model.gmKm3S2));
        return EccentricityExcursion(propagator, duration);
    };
    run.excursionFree = excursion(0);
    if (run.frozenEZonal)
        run.excursionFrozen = excursion(*run.frozenEZonal);
    return run;
}

}  // namespace orbit::cli
