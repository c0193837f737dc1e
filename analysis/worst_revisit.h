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

}  // namespace orbit::analysis
