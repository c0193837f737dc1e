#pragma once
// Least-squares fit of SGP4's mean elements to positions in TEME.

#include "sgp4/elements.h"
#include "sgp4/sgp4_propagator.h"

#include <array>
#include <vector>

namespace orbit::sgp4 {

struct TemeSample {
    double minutesSinceEpoch = 0;
    std::array<double, 3> positionKm{};
};

struct PositionErrors {
    double rmsKm = 0;
    double largestKm = 0;
};

// The errors of `sgp4`'s positions at the samples. Throws what SGP4 throws.
PositionErrors MeasurePositionErrors(const Sgp4Propagator& sgp4, const std::vector<TemeSample>& samples);

// Mean elements (B* and the epoch those of `other`) whose SGP4 state at the
// epoch is the osculating state `state`: the osculating elements, corrected
// by fixed-point steps for SGP4's own short-period terms. A start for the fit that is
// already within kilometres of the orbit.
MeanElements MeanElementsAtEpoch(const TemeState& state, const MeanElements& other);

struct MeanElementFit {
    MeanElements elements;
    PositionErrors errors;
    int iterations = 0;
    bool converged = false;
};

// Levenberg-Marquardt on the six equinoctial elements (B* and the epoch kept
// as in `start`), from `start`, at most `iterationCap` steps. Throws OrbitError
// (InvalidArgument) when SGP4 refuses `start` or its span, and
// (NoConvergence) when no step leaves the errors finite.
MeanElementFit FitMeanElements(const std::vector<TemeSample>& samples, const MeanElements& start, int iterationCap);

}  // namespace orbit::sgp4
