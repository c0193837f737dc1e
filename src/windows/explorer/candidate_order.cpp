#include "explorer/candidate_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace explorer {

namespace {

// Where a cell sorts: by its group first (in both directions), then by its
// rank and its value.
enum class SortGroup : std::uint8_t { Figure, NoFigure, Pending };

struct SortKey {
    SortGroup group = SortGroup::Figure;
    std::uint8_t rank = 0;
    double value = 0;
};

// The ranks of worst revisits: what a band of full coverage promises.
constexpr std::uint8_t kBandFromEquator = 0, kBandAwayFromEquator = 1, kNoBand = 2;

SortKey RevisitKeyOf(const RevisitFigure& revisit, const RevisitFloorFigure* floor)
{
    switch (revisit.state) {
    case RevisitFigure::State::Days:
        return {SortGroup::Figure, revisit.Partial() ? kBandAwayFromEquator : kBandFromEquator, revisit.days};
    case RevisitFigure::State::NoFullCoverage:
        return {SortGroup::Figure, kNoBand, 0};
    case RevisitFigure::State::Failed:
        return {SortGroup::NoFigure, 0, 0};
    case RevisitFigure::State::Pending:
        break;
    }
    // The least key the figure can have.
    if (floor && floor->state == RevisitFloorFigure::State::Known)
        return floor->floor.bandMayReachEquator ? SortKey{SortGroup::Figure, kBandFromEquator, floor->floor.days}
                                                : SortKey{SortGroup::Figure, kBandAwayFromEquator, floor->floor.days};
    if (floor && floor->state == RevisitFloorFigure::State::Failed)
        return {SortGroup::NoFigure, 0, 0};
    return {SortGroup::Pending, 0, 0};
}

SortKey KeyOf(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
              const std::vector<RevisitFloorFigure>* floors, std::size_t row, ExplorerColumn column)
{
    if (const auto searchColumn = SearchColumnOf(column)) {
        const std::optional<double> value = orbit::analysis::SearchValue(set.Row(row), *searchColumn);
        return value ? SortKey{SortGroup::Figure, 0, *value} : SortKey{SortGroup::NoFigure, 0, 0};
    }
    if (column == ExplorerColumn::SidelapPercent) {
        const double percent = row < set.sidelapPercent.size() ? set.sidelapPercent[row] : std::numeric_limits<double>::quiet_NaN();
        return std::isnan(percent) ? SortKey{SortGroup::NoFigure, 0, 0} : SortKey{SortGroup::Figure, 0, percent};
    }
    const RevisitFigure revisit = row < revisits.size() ? revisits[row] : RevisitFigure{};
    const RevisitFloorFigure* floor = floors && row < floors->size() ? &(*floors)[row] : nullptr;
    return RevisitKeyOf(revisit, floor);
}

bool IsCancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

}  // namespace

bool PassesFilter(const CandidateSet& set, std::size_t row, const CandidateFilter& filter)
{
    const orbit::analysis::SearchRow& r = set.Row(row);
    if (filter.maxGridSpacingKm && !(r.gridSpacingKm() <= *filter.maxGridSpacingKm))
        return false;
    if (filter.maxSubcycleDays) {
        const std::int64_t days = r.subcycleDays().value_or(r.Q);
        if (days > *filter.maxSubcycleDays)
            return false;
    }
    if (filter.equatorWithoutGaps && set.HasSwath() && !(set.sidelapPercent[row] >= 0))
        return false;
    return true;
}

bool SortsByRevisitFloors(const OrderRequest& request)
{
    return request.sortColumn == ExplorerColumn::WorstRevisitDays && !request.descending;
}

RowOrder ComputeOrder(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                      const OrderRequest& request, const std::atomic<bool>* cancel,
                      const std::vector<RevisitFloorFigure>* floors)
{
    // A floor says how small a figure can be, not how large: a descending
    // order has no use for it.
    if (!SortsByRevisitFloors(request))
        floors = nullptr;
    RowOrder order;
    const std::size_t rows = set.size();
    order.shown.reserve(rows);
    for (std::size_t row = 0; row < rows; ++row)
        if (PassesFilter(set, row, request.filter))
            order.shown.push_back(static_cast<std::int32_t>(row));
    if (IsCancelled(cancel))
        return {};

    // The search lists its rows highest first, ties in its own order: sorting
    // by altitude from the top would change nothing.
    const bool searchOrder = request.sortColumn == ExplorerColumn::MeanAltitudeKm && request.descending;
    if (request.sortColumn && !searchOrder) {
        std::vector<SortKey> keys(rows);
        for (const std::int32_t row : order.shown)
            keys[static_cast<std::size_t>(row)] =
                KeyOf(set, revisits, floors, static_cast<std::size_t>(row), *request.sortColumn);
        if (IsCancelled(cancel))
            return {};
        const bool descending = request.descending;
        std::sort(order.shown.begin(), order.shown.end(), [&](std::int32_t a, std::int32_t b) {
            const SortKey& ka = keys[static_cast<std::size_t>(a)];
            const SortKey& kb = keys[static_cast<std::size_t>(b)];
            if (ka.group != kb.group)
                return ka.group < kb.group;
            if (ka.rank != kb.rank)
                return descending ? ka.rank > kb.rank : ka.rank < kb.rank;
            if (ka.value != kb.value)
                return descending ? ka.value > kb.value : ka.value < kb.value;
            return a < b;
        });
    }
    if (IsCancelled(cancel))
        return {};

    order.positionOf.assign(rows, -1);
    for (std::size_t i = 0; i < order.shown.size(); ++i)
        order.positionOf[static_cast<std::size_t>(order.shown[i])] = static_cast<std::int32_t>(i);
    return order;
}

std::vector<std::int32_t> RowsToSettle(const RowOrder& order, const std::vector<RevisitFigure>& revisits,
                                       std::size_t lastPosition)
{
    std::vector<std::int32_t> rows;
    const std::size_t end = std::min(order.shown.size(), lastPosition + 1);
    for (std::size_t position = 0; position < end; ++position) {
        const auto row = static_cast<std::size_t>(order.shown[position]);
        if (row >= revisits.size() || revisits[row].state == RevisitFigure::State::Pending)
            rows.push_back(order.shown[position]);
    }
    return rows;
}

}  // namespace explorer
