#pragma once
// The orbit an export hands on: its initial osculating state at the epoch,
// the model it is propagated under and the mean elements it was made from,
// either the J2 design's or the refined design's. The orbit is followed in
// the true equator and equinox of the epoch, where the design's inclination
// and node are taken; every state a file holds is turned from there into
// EME2000 (or TEME) by the epoch's own matrices. The command line and
// the windows' "Export orbit…" make it here, so both write the same file.

#include "core/repeat_orbit_solver.h"
#include "ephemeris/epoch_frame.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"
#include "propagation/gravity_model.h"
#include "propagation/orbital_elements.h"

#include <string>
#include <vector>

namespace orbit::exports {

// A completed J2 design: what an export reads of it.
struct ExportDesign {
    DesignRecord record;
    OrbitType type = OrbitType::ChooseInclination;
    RepeatOrbitSolution solution;
};

struct ExportOrbit {
    ExportDesign design;
    ephemeris::Instant epoch;
    ephemeris::TrueOfEpochFrame frame;  // the propagator's frame, of the epoch
    ephemeris::OrbitNode node;
    propagation::GravityModel model;
    propagation::NonsingularElements mean;  // the mean elements the state was made from, in `frame`
    propagation::CartesianState state;      // osculating, in `frame`, at the epoch
    // The Earth's rotation angle at the epoch (from the frame's x axis to the
    // Greenwich meridian), chosen so that the J2 design's first ascending
    // node lies at the node's Earth-fixed longitude.
    double earthAngleAtEpochRad = 0;
    double cycleS = 0;  // one repeat cycle: R nodal periods, or the refined cycle's R-th node
    bool refined = false;
};

// The J2 design's own orbit: its mean elements at the epoch (circular, the
// node where the local time puts it, mean argument of latitude 0) turned into
// the osculating state under `model`. Throws OrbitError when the node cannot be placed.
ExportOrbit DesignExportOrbit(const ExportDesign& design, const ephemeris::Instant& epoch,
                              const ephemeris::NodeRequest& node, const propagation::GravityModel& model);

// A state of the orbit's frame turned into EME2000, as the files hold it.
propagation::CartesianState InEme2000(const ephemeris::TrueOfEpochFrame& frame, const propagation::CartesianState& state);

// What every export says about the orbit, one line each: the design, the
// mean elements, the model.
std::vector<std::string> OrbitDescription(const ExportOrbit& orbit);

// The highest zonal degree the model carries (2 for the J2 model).
int ZonalDegree(const propagation::GravityModel& model);

}  // namespace orbit::exports
