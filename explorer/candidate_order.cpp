#include "explorer/candidate_order.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace explorer {

namespace {

// Where a cell sorts: by its group first (in both directions), then by its key.
enum class SortGroup : std::uint8_t { Figure, NoFigure, Pending };

struct SortKey {
    SortGroup group = SortGroup::Figure;
    double value = 0;
};

SortKey KeyOf(const CandidateSet& set, const std::vector<RevisitFigure>& revisits, std::size_t row,
              ExplorerColumn column)
{
    if (const auto searchColumn = SearchColumnOf(column)) {
        const std::optional<double> value = orbit::analysis::SearchValue(set.Row(row), *searchColumn);
        return value ? SortKey{SortGroup::Figure, *value} : SortKey{SortGroup::NoFigure, 0};
    }
    if (column == ExplorerColumn::SidelapPercent) {
        const double percent = row < set.sidelapPercent.size() ? set.sidelapPercent[row] : std::numeric_limits<double>::quiet_NaN();
        return std::isnan(percent) ? SortKey{SortGroup::NoFigure, 0} : SortKey{SortGroup::Figure, percent};
    }
    const RevisitFigure revisit = row < revisits.size() ? revisits[row] : RevisitFigure{};
    switch (revisit.state) {
    case RevisitFigure::State::Days:
        return {SortGroup::Figure, revisit.days};
    case RevisitFigure::State::NoFullCoverage:
        return {SortGroup::Figure, std::numeric_limits<double>::infinity()};
    case RevisitFigure::State::Failed:
        return {SortGroup::NoFigure, 0};
    case RevisitFigure::State::Pending:
        break;
    }
    return {SortGroup::Pending, 0};
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

RowOrder ComputeOrder(const CandidateSet& set, const std::vector<RevisitFigure>& revisits,
                      const OrderRequest& request, const std::atomic<bool>* cancel)
{
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
            keys[static_cast<std::size_t>(row)] = KeyOf(set, revisits, static_cast<std::size_t>(row), *request.sortColumn);
        if (IsCancelled(cancel))
            return {};
        const bool descending = request.descending;
        std::sort(order.shown.begin(), order.shown.end(), [&](std::int32_t a, std::int32_t b) {
            const SortKey& ka = keys[static_cast<std::size_t>(a)];
            const SortKey& kb = keys[static_cast<std::size_t>(b)];
            if (ka.group != kb.group)
                return ka.group < kb.group;
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

}  // namespace explorer
