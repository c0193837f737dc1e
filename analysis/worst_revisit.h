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

// A floor under the summary's longest wait, from one parallel, the equator,
// instead of every one: a hundredth of the work, or less. The explorer
// sorts a million candidates by it and works out the summary only of those
// that could come first. The summary's wait is the longest over every
// parallel covered whole, so it is at least the equator's; and a band of
// full coverage that is to reach the equator must cover it.
struct RevisitFloor {
    // The equator is a parallel of the grid and covered whole. When it is
    // not, the summary's band leaves the equator out, or there is none.
    bool equatorCoveredWhole = false;
    double days = 0;  // the equator's longest wait; 0 when not covered whole
};

// The equator's row of CoverageByLatitude(design, request), to the last bit;
// throws as that does.
RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request);
// The same with the light test, from CoverageByLatitude(design, request,
// light, sun).
RevisitFloor WorstRevisitFloor(const DesignRecord& design, const SwathRequest& request, const LightCondition& light,
                               const SubSolarTrack& sun);

}  // namespace orbit::analysis
