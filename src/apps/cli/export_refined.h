#pragma once
// The command line's own side of an export: the design it ran, and the
// refined orbit, which needs the refinement as `refine` runs it.

#include "cli/design_run.h"
#include "export/orbit/export_orbit.h"

namespace orbit::cli {

// A completed run's design as the export reads it.
exports::ExportDesign ExportDesignOf(const DesignRun& design);

// The refined design's orbit: the refinement run as `refine` runs it, from
// the J2 design (started at the frozen eccentricity when `frozen`). Throws
// OrbitError when the design or the refinement fails.
exports::ExportOrbit RefinedExportOrbit(const DesignRequest& design, const ephemeris::Instant& epoch,
                                        const ephemeris::NodeRequest& node, const propagation::GravityModel& model,
                                        bool frozen);

}  // namespace orbit::cli
