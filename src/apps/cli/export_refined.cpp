#include "cli/export_refined.h"

#include "cli/refine_run.h"

namespace orbit::cli {

exports::ExportOrbit RefinedExportOrbit(const DesignRequest& design, const ephemeris::Instant& epoch,
                               const ephemeris::NodeRequest& node, const propagation::GravityModel& model,
                               bool frozen)
{
    // The refinement's own default tolerance: the track closes to 10 m.
    const RefineRun run = RunRefine({design, EpochNode{epoch, node}, model, frozen, 10});
    exports::ExportOrbit orbit{ExportDesignOf(run.design), epoch, run.frame, run.node, run.model, run.refined.mean,
                               run.refined.state};
    orbit.earthAngleAtEpochRad = run.earthAngleAtEpochRad;
    orbit.cycleS = run.refined.closure.tRS;
    orbit.refined = true;
    return orbit;
}

exports::ExportDesign ExportDesignOf(const DesignRun& design)
{
    return {design.record, design.type, design.solution.value()};
}

}  // namespace orbit::cli
