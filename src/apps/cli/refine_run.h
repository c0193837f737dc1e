#pragma once
// One `refine` as the command line runs it: the J2 design, its node at the
// epoch, the closure of its initial state under the chosen model, the
// refined state that closes, and the frozen eccentricity.

#include "cli/design_run.h"
#include "cli/epoch_node_options.h"
#include "ephemeris/epoch_frame.h"
#include "propagation/frozen_eccentricity.h"
#include "propagation/refinement.h"

#include <optional>
#include <string>

namespace orbit::cli {

struct RefineInputs {
    DesignRequest design;
    EpochNode epochNode;
    propagation::GravityModel model;
    bool frozen = false;
    double toleranceM = 10;
};

struct RefineRun {
    explicit RefineRun(const ephemeris::Instant& epoch) : frame(epoch) {}

    DesignRun design;
    // The orbit is followed in the true equator and equinox of the epoch:
    // every state and element below is of that frame.
    ephemeris::TrueOfEpochFrame frame;
    ephemeris::OrbitNode node;
    propagation::GravityModel model;
    propagation::RepeatCycle cycle;
    // The Earth's rotation angle at the epoch, chosen so that the J2 design's
    // first ascending node lies at the node's Earth-fixed longitude.
    double earthAngleAtEpochRad = 0;
    propagation::NonsingularElements designMean;
    propagation::CartesianState designState;
    propagation::Closure designClosure;
    propagation::RefinedDesign refined;
    double frozenEJ2J3 = 0;
    // The whole field's frozen eccentricity, and the excursion started there;
    // none when the balance was not found (frozenMissing says why), which
    // only a refinement asked to start frozen cannot do without.
    std::optional<double> frozenEZonal;
    std::string frozenMissing;
    double excursionFree = 0;
    std::optional<double> excursionFrozen;
};

// Throws OrbitError from the step that fails (the design's own error text
// when the design does not complete or lies below the Earth's surface,
// "Refinement did not converge ..." when the iteration cap is reached, the
// frozen eccentricity's own when it is not found and `frozen` asks for it).
RefineRun RunRefine(const RefineInputs& inputs);

}  // namespace orbit::cli
