#pragma once
// The order and the filter of the explorer table, worked out away from the
// window: which rows of a candidate set are shown, and in which order. Pure
// functions of their arguments, so they run on any thread; sorting a million
// rows takes a good part of a second, far too long for the window's thread.

#include "explorer/candidate_columns.h"
#include "explorer/candidate_set.h"
#include "explorer/explorer_request.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace explorer {

struct OrderRequest {
    // None: the search's own order, highest first.
    std::optional<ExplorerColumn> sortColumn;
    bool descending = false;
    CandidateFilter filter;

    friend bool operator==(const OrderRequest&, const OrderRequest&) = default;
};

// The rows shown, and where each row of the set is shown.
struct RowOrder {
    std::vector<std::int32_t> shown;       // set rows, in the order shown
    std::vector<std::int32_t> positionOf;  // per set row: its place in `shown`, -1 when filtered out
};

bool PassesFilter(const CandidateSet& set, std::size_t row, const CandidateFilter& filter);

// Numbers sort by their values, not their text. Cells without a figure sort
// last in both directions: an empty sub-cycle or a failed figure, and after
// those every revisit still pending. Equal cells keep the search's order.
//
// Worst revisits sort by what they promise: first those over a band of
// full coverage that reaches the equator, then those over a band away from
// it (which say nothing of the gaps nearer the equator), each by its days,
// then those with no latitude covered whole, an endless wait.
//
// `revisits` (one per set row) is read only when sorting by the worst
// revisit; a missing one counts as pending. In ascending order, a pending
// revisit with a known floor in `floors` (one per set row, or none) takes
// its place by the floor: as its figure is at least the floor, once every
// row down to some place holds its figure, those rows are the first of the
// order the figures alone would give (see RowsToSettle). `cancel`, when it
// turns true, ends the work early with an empty order.
RowOrder ComputeOrder(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                      const OrderRequest& request, const std::atomic<bool>* cancel = nullptr,
                      const std::vector<RevisitFloorFigure>* floors = nullptr);

// Whether `request` sorts pending revisits by their floors.
bool SortsByRevisitFloors(const OrderRequest& request);

// The rows shown from the top down to `lastPosition` (included) whose
// revisit is still pending: worked out, and the order computed again, until
// there are none, the top of an order by the floors is the top of the order
// by the figures.
std::vector<std::int32_t> RowsToSettle(const RowOrder& order, const std::vector<RevisitFigure>& revisits,
                                       std::size_t lastPosition);

}  // namespace explorer
