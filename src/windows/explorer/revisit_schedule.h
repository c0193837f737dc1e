#pragma once
// Which rows' worst revisits the explorer works out next, and how long the
// rest will take: the window's revisit schedule, without Qt. The window tells
// it what happened (a new set, a change of sort, figures and floors in, a job
// ended, the order computed again) and what the table shows; it answers which
// rows to ask for, how far the worker is to reach, whether to start again,
// and the estimates of the status line.
//
// A descending sort by the worst revisit needs every figure: a floor says
// how small a figure can be, not how large. An ascending one places the
// pending rows by their floors, once they are all known for its filter, and
// then needs the figures only of the rows down to the end of the view. Any
// other order needs the figures of the rows in view.

#include "explorer/candidate_order.h"
#include "explorer/candidate_set.h"
#include "explorer/explorer_request.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace explorer {

// How far a revisit job reaches: the rows it is asked for, every row of the
// set, or first a floor under every row's figure (then the rows asked for).
enum class RevisitReach { AskedRows, WholeSet, Floors };

// What the table shows, in set rows.
struct RevisitView {
    int rowsShown = 0;                      // rows past the filter
    std::int32_t currentRow = -1;           // the selected row, -1 for none
    std::vector<std::int32_t> rowsInView;   // the current row first, then the view's rows top down
    int lastRowInView = -1;                 // the place of the view's last row
};

class RevisitSchedule {
public:
    // Figures seen before an estimate of the time left is made.
    static constexpr std::int64_t kRowsBeforeEstimate = 8;

    // A new set, or none: the floors and an awaited order belonged to the
    // last.
    void NewSet();

    RevisitReach WantedReach(const OrderRequest& request) const;
    // Whether an ascending sort by the worst revisit has every floor it
    // places pending rows by, and so needs only the rows down to the view.
    bool SettlingByFloors(const OrderRequest& request) const;
    // Whether the sort now asked for needs another job than the one under
    // way (or none): a sweep over the whole set starts with the sort that
    // needs it, and stops at once when the sort no longer does. A new job
    // starts its rounds of settling afresh.
    bool RestartForSort(const OrderRequest& request, bool busy, RevisitReach running,
                        const CandidateFilter& runningFilter);

    // The rows to work out first: those in view, and in an order by floors
    // every row above them still placed by its floor, as far again below as
    // the rounds of settling have reached.
    std::vector<std::int32_t> RowsWanted(const OrderRequest& request, const RowOrder& order,
                                         const std::vector<RevisitFigure>& revisits, const RevisitView& view) const;
    static std::int64_t PendingAmong(const std::vector<std::int32_t>& rows,
                                     const std::vector<RevisitFigure>& revisits);

    // A job has started for `wanted`, with `pendingFigures` of the set's
    // figures still to come.
    void JobStarted(const OrderRequest& request, const std::vector<std::int32_t>& wanted,
                    const std::vector<RevisitFigure>& revisits, std::int64_t pendingFigures);
    // The job under way was given new rows first, `pending` of them pending.
    void Prioritized(const OrderRequest& request, std::int64_t pending);
    // Figures or floors have come in, `elapsedS` seconds into the job: the
    // rates the estimates read.
    void FiguresIn(std::int64_t pendingFigures, double elapsedS);
    void FloorsIn(std::int64_t floors, double elapsedS);

    // The job has ended. True when the table is sorted by the worst revisit:
    // the rows sorted while their figures were pending take their places in
    // the order computed next, which says what comes after (OrderComputed).
    bool JobEnded(RevisitReach reach, const CandidateFilter& filter, const OrderRequest& request);

    enum class AfterOrder {
        Nothing,       // no job's end was waiting for this order
        AnotherRound,  // rows down to the end of the view may still move: start again
        Settled,       // the rows down to the end of the view are in their places
    };
    // The order has been computed again. Some row down to the end of the
    // view may still be placed by its floor, and move down once its figure
    // is in: those are worked out, and sorted again. Rows with floors just
    // under the figures shown come up in their turn, so each round reaches
    // twice as far below the view as the last: a few rounds, each a sort of
    // the whole set, rather than hundreds.
    AfterOrder OrderComputed(const OrderRequest& request, const RowOrder& order,
                             const std::vector<RevisitFigure>& revisits, const RevisitView& view, bool visible);

    // The estimates, where enough has been seen to make them.
    std::optional<double> FloorSecondsLeft(std::int64_t sweepRows) const;
    std::optional<double> SettleSecondsLeft() const;
    std::optional<double> SweepSecondsLeft(std::int64_t pendingFigures) const;

    std::int64_t FloorsDone() const { return floorsDone_; }
    std::int64_t RowsToSettle() const { return rowsToSettle_; }
    std::size_t SettleReach() const { return settleReach_; }
    double FiguresPerSecond() const { return figuresPerSecond_; }

private:
    // The filter the floors of the current set were all worked out for, by
    // a sweep that ended; none before.
    std::optional<CandidateFilter> floorsSweptFor_;
    bool awaitingOrder_ = false;     // the figures are in: the order decides what comes next
    std::int64_t rowsToSettle_ = 0;  // rows at the top still placed by their floors
    std::size_t settleReach_ = 0;    // rows below the view the rounds of settling take in
    std::int64_t figuresAtStart_ = 0;  // figures pending when the job started
    double figuresPerSecond_ = 0;      // as last measured, for the time left
    std::int64_t floorsDone_ = 0;      // by the job, since it started
    double floorsPerSecond_ = 0;
};

}  // namespace explorer
