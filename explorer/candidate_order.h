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
// those every revisit still pending. A revisit with no latitude covered
// whole is an endless wait: it sorts above every number. Equal cells keep
// the search's order.
//
// `revisits` (one per set row) is read only when sorting by the worst
// revisit; a missing one counts as pending. `cancel`, when it turns true,
// ends the work early with an empty order.
RowOrder ComputeOrder(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                      const OrderRequest& request, const std::atomic<bool>* cancel = nullptr);

}  // namespace explorer
