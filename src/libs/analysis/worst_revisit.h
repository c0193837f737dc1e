#pragma once
// The worst revisit of a design, as the explorer ranks its candidates: the
// summary of the coverage table without the rest of the table.
//
// The figures are those of CoverageByLatitude(design, request).summary to
// the last bit, without the light test. They come cheaper because the
// summary reads only the fully covered parallels: a parallel with a gap is
// told by its coverage alone, with no wait worked out, and along a fully
// covered one the looks are sorted in time once and then kept in order
// from one piece of the node spacing to the next (see
// docs/coverage-method.md).

#include "analysis/swath_coverage.h"

namespace orbit::analysis {

// Throws as CoverageByLatitude(design, request) does.
CoverageSummary WorstRevisitSummary(const DesignRecord& design, const SwathRequest& request);

// A floor under the summary's figures from a few parallels instead of every
// one: those of the grid on multiples of `sampleStepDeg`, the equator
// among them. The explorer sorts a million candidates by it and works out
// the summary only of those that could come first. The summary's wait is
// the longest over every parallel covered whole, so it is at least the
// longest over those sampled; and each hemisphere's band of full coverage
// runs down from its highest parallel covered whole until one has gaps, so
// a parallel with gaps below one covered whole in its hemisphere, or at the
// equator, keeps that band from the equator.
struct RevisitFloor {
    // False when either hemisphere's band of full coverage surely stops short
    // of the equator (or there is none).
    bool bandMayReachEquator = false;
    // The longest wait over the sampled parallels covered whole; 0 when none is.
    double days = 0;
};

// From CoverageByLatitude(design, request)'s rows, to the last bit; throws
// as that does.
RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request, double sampleStepDeg);
// The same with the light test, from CoverageByLatitude(design, request,
// light, sun).
RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request, const LightCondition& light,
                               const SubSolarTrack& sun, double sampleStepDeg);

}  // namespace orbit::analysis
