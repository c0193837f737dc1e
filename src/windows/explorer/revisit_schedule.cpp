#include "explorer/revisit_schedule.h"

#include <algorithm>
#include <utility>

namespace explorer {

void RevisitSchedule::NewSet()
{
    floorsSweptFor_.reset();
    awaitingOrder_ = false;
    settleReach_ = 0;
}

RevisitReach RevisitSchedule::WantedReach(const OrderRequest& request) const
{
    if (request.sortColumn != ExplorerColumn::WorstRevisitDays)
        return RevisitReach::AskedRows;
    if (request.descending)
        return RevisitReach::WholeSet;
    return floorsSweptFor_ == request.filter ? RevisitReach::AskedRows : RevisitReach::Floors;
}

bool RevisitSchedule::SettlingByFloors(const OrderRequest& request) const
{
    return SortsByRevisitFloors(request) && floorsSweptFor_ == request.filter;
}

bool RevisitSchedule::RestartForSort(const OrderRequest& request, bool busy, RevisitReach running,
                                     const CandidateFilter& runningFilter)
{
    const RevisitReach wanted = WantedReach(request);
    const bool restart = wanted == RevisitReach::AskedRows
                             ? busy && running != RevisitReach::AskedRows
                             : !(busy && running == wanted && runningFilter == request.filter);
    if (restart)
        settleReach_ = 0;
    return restart;
}

std::vector<std::int32_t> RevisitSchedule::RowsWanted(const OrderRequest& request, const RowOrder& order,
                                                      const std::vector<RevisitFigure>& revisits,
                                                      const RevisitView& view) const
{
    if (!SettlingByFloors(request) || view.rowsShown == 0)
        return view.rowsInView;
    // The rows down to the end of the view, as they could move only if
    // some row above them is still placed by its floor.
    std::vector<std::int32_t> rows;
    if (view.currentRow >= 0)
        rows.push_back(view.currentRow);
    const std::vector<std::int32_t> settle = explorer::RowsToSettle(
        order, revisits, static_cast<std::size_t>(std::max(0, view.lastRowInView)) + settleReach_);
    rows.insert(rows.end(), settle.begin(), settle.end());
    return rows;
}

std::int64_t RevisitSchedule::PendingAmong(const std::vector<std::int32_t>& rows,
                                           const std::vector<RevisitFigure>& revisits)
{
    return std::count_if(rows.begin(), rows.end(), [&](std::int32_t row) {
        return row >= 0 && static_cast<std::size_t>(row) < revisits.size() &&
               revisits[static_cast<std::size_t>(row)].state == RevisitFigure::State::Pending;
    });
}

void RevisitSchedule::JobStarted(const OrderRequest& request, const std::vector<std::int32_t>& wanted,
                                 const std::vector<RevisitFigure>& revisits, std::int64_t pendingFigures)
{
    rowsToSettle_ = SettlingByFloors(request) ? PendingAmong(wanted, revisits) : 0;
    figuresAtStart_ = pendingFigures;
    floorsDone_ = 0;
}

void RevisitSchedule::Prioritized(const OrderRequest& request, std::int64_t pending)
{
    if (SettlingByFloors(request))
        rowsToSettle_ = pending;
}

void RevisitSchedule::FiguresIn(std::int64_t pendingFigures, double elapsedS)
{
    // The rate of this job so far, kept for the estimates of later ones.
    const std::int64_t done = figuresAtStart_ - pendingFigures;
    if (done >= kRowsBeforeEstimate && elapsedS > 0)
        figuresPerSecond_ = static_cast<double>(done) / elapsedS;
}

void RevisitSchedule::FloorsIn(std::int64_t floors, double elapsedS)
{
    floorsDone_ += floors;
    if (floorsDone_ >= kRowsBeforeEstimate && elapsedS > 0)
        floorsPerSecond_ = static_cast<double>(floorsDone_) / elapsedS;
}

bool RevisitSchedule::JobEnded(RevisitReach reach, const CandidateFilter& filter, const OrderRequest& request)
{
    if (reach == RevisitReach::Floors)
        floorsSweptFor_ = filter;
    if (request.sortColumn != ExplorerColumn::WorstRevisitDays)
        return false;
    awaitingOrder_ = true;
    return true;
}

RevisitSchedule::AfterOrder RevisitSchedule::OrderComputed(const OrderRequest& request, const RowOrder& order,
                                                           const std::vector<RevisitFigure>& revisits,
                                                           const RevisitView& view, bool visible)
{
    if (!std::exchange(awaitingOrder_, false))
        return AfterOrder::Nothing;
    const bool unsettled =
        SettlingByFloors(request)
            ? !explorer::RowsToSettle(order, revisits, static_cast<std::size_t>(std::max(0, view.lastRowInView)))
                   .empty()
            : PendingAmong(view.rowsInView, revisits) > 0;
    if (unsettled && visible) {
        settleReach_ = std::max<std::size_t>(static_cast<std::size_t>(std::max(1, view.lastRowInView + 1)),
                                             2 * settleReach_);
        return AfterOrder::AnotherRound;
    }
    settleReach_ = 0;
    return AfterOrder::Settled;
}

std::optional<double> RevisitSchedule::FloorSecondsLeft(std::int64_t sweepRows) const
{
    if (floorsDone_ < kRowsBeforeEstimate || !(floorsPerSecond_ > 0))
        return std::nullopt;
    return static_cast<double>(std::max<std::int64_t>(sweepRows - floorsDone_, 0)) / floorsPerSecond_;
}

std::optional<double> RevisitSchedule::SettleSecondsLeft() const
{
    if (!(figuresPerSecond_ > 0))
        return std::nullopt;
    return static_cast<double>(rowsToSettle_) / figuresPerSecond_;
}

std::optional<double> RevisitSchedule::SweepSecondsLeft(std::int64_t pendingFigures) const
{
    const std::int64_t done = figuresAtStart_ - pendingFigures;
    if (done < kRowsBeforeEstimate || figuresPerSecond_ <= 0)
        return std::nullopt;
    return static_cast<double>(pendingFigures) / figuresPerSecond_;
}

}  // namespace explorer
