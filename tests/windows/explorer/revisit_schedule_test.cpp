// The explorer's revisit schedule without the window: which rows are asked
// for first, how far a job reaches for each sort, when a change of sort
// starts another job, how the rounds of settling reach further below the
// view, and the estimates of the time left.

#include "explorer/revisit_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace explorer {
namespace {

using State = RevisitFigure::State;

// One figure per set row: 'p' pending, 'd' a figure in days.
std::vector<RevisitFigure> Figures(const std::string& states)
{
    std::vector<RevisitFigure> figures;
    for (const char c : states) {
        RevisitFigure figure;
        figure.state = c == 'p' ? State::Pending : State::Days;
        figure.days = c == 'p' ? 0 : 1;
        figures.push_back(figure);
    }
    return figures;
}

RowOrder OrderOf(const std::vector<std::int32_t>& shown, std::size_t setRows)
{
    RowOrder order;
    order.shown = shown;
    order.positionOf.assign(setRows, -1);
    for (std::size_t p = 0; p < shown.size(); ++p)
        order.positionOf[static_cast<std::size_t>(shown[p])] = static_cast<std::int32_t>(p);
    return order;
}

OrderRequest SortedBy(std::optional<ExplorerColumn> column, bool descending, CandidateFilter filter = {})
{
    return {column, descending, filter};
}

const CandidateFilter kNoFilter{};
const CandidateFilter kShortSubcycles{std::nullopt, 3, false};

// A schedule whose floors were all swept for `filter`, as when a floor job
// has ended.
RevisitSchedule SweptFor(const CandidateFilter& filter)
{
    RevisitSchedule schedule;
    schedule.JobEnded(RevisitReach::Floors, filter, SortedBy(ExplorerColumn::MeanAltitudeKm, true));
    return schedule;
}

struct ReachCase {
    const char* name;
    OrderRequest request;
    bool floorsSwept;  // for the filter of kNoFilter
    RevisitReach reach;
};

const ReachCase kReaches[] = {
    {"SearchOrderAsksForTheRowsInView", SortedBy(std::nullopt, false), false, RevisitReach::AskedRows},
    {"OtherColumnAsksForTheRowsInView", SortedBy(ExplorerColumn::MeanAltitudeKm, true), false,
     RevisitReach::AskedRows},
    {"DescendingRevisitSweepsTheWholeSet", SortedBy(ExplorerColumn::WorstRevisitDays, true), false,
     RevisitReach::WholeSet},
    {"DescendingRevisitSweepsEvenWithFloors", SortedBy(ExplorerColumn::WorstRevisitDays, true), true,
     RevisitReach::WholeSet},
    {"AscendingRevisitFirstSweepsTheFloors", SortedBy(ExplorerColumn::WorstRevisitDays, false), false,
     RevisitReach::Floors},
    {"AscendingRevisitWithFloorsAsksForRows", SortedBy(ExplorerColumn::WorstRevisitDays, false), true,
     RevisitReach::AskedRows},
    {"FloorsOfAnotherFilterAreSweptAgain", SortedBy(ExplorerColumn::WorstRevisitDays, false, kShortSubcycles),
     true, RevisitReach::Floors},
};

class ReachForSort : public ::testing::TestWithParam<ReachCase> {};

TEST_P(ReachForSort, IsWhatTheSortNeeds)
{
    const ReachCase& c = GetParam();
    const RevisitSchedule schedule = c.floorsSwept ? SweptFor(kNoFilter) : RevisitSchedule{};
    EXPECT_EQ(schedule.WantedReach(c.request), c.reach);
}

INSTANTIATE_TEST_SUITE_P(Sorts, ReachForSort, ::testing::ValuesIn(kReaches),
                         [](const ::testing::TestParamInfo<ReachCase>& c) { return std::string(c.param.name); });

TEST(RevisitSchedule, ANewSetForgetsTheFloorsSwept)
{
    RevisitSchedule schedule = SweptFor(kNoFilter);
    const OrderRequest ascending = SortedBy(ExplorerColumn::WorstRevisitDays, false);
    ASSERT_TRUE(schedule.SettlingByFloors(ascending));
    schedule.NewSet();
    EXPECT_FALSE(schedule.SettlingByFloors(ascending));
    EXPECT_EQ(schedule.WantedReach(ascending), RevisitReach::Floors);
}

// The order rows are asked for in. The set has eight rows shown in the
// order 7 6 5 4 3 2 1 0; rows 5 and 2 already have their figures.
struct WantedCase {
    const char* name;
    bool settling;        // ascending by the worst revisit, floors swept
    int rowsShown;
    std::int32_t currentRow;
    int lastRowInView;    // a place in the order
    std::vector<std::int32_t> rowsInView;
    std::vector<std::int32_t> wanted;
};

const WantedCase kWanted[] = {
    {"OtherOrdersAskForTheViewAsShown", false, 8, 4, 2, {4, 7, 6, 5}, {4, 7, 6, 5}},
    {"SettlingAsksForPendingRowsDownToTheView", true, 8, -1, 3, {7, 6, 5, 4}, {7, 6, 4}},
    {"SettlingPutsTheCurrentRowFirst", true, 8, 1, 3, {1, 7, 6, 5, 4}, {1, 7, 6, 4}},
    {"SettlingSkipsRowsAlreadyKnown", true, 8, -1, 5, {7, 6, 5, 4, 3, 2}, {7, 6, 4, 3}},
    {"SettlingAViewPastTheEndStopsAtTheLastRow", true, 8, -1, 20, {}, {7, 6, 4, 3, 1, 0}},
    {"EmptySetAsksForNothing", true, 0, -1, -1, {}, {}},
    {"EmptyViewOfAnotherOrderAsksForNothing", false, 0, -1, -1, {}, {}},
};

class WantedRows : public ::testing::TestWithParam<WantedCase> {};

TEST_P(WantedRows, AreAskedForInThisOrder)
{
    const WantedCase& c = GetParam();
    const RevisitSchedule schedule = c.settling ? SweptFor(kNoFilter) : RevisitSchedule{};
    const OrderRequest request = SortedBy(ExplorerColumn::WorstRevisitDays, !c.settling);
    const RevisitView view{c.rowsShown, c.currentRow, c.rowsInView, c.lastRowInView};
    EXPECT_EQ(schedule.RowsWanted(request, OrderOf({7, 6, 5, 4, 3, 2, 1, 0}, 8), Figures("ppdppdpp"), view),
              c.wanted);
}

INSTANTIATE_TEST_SUITE_P(Views, WantedRows, ::testing::ValuesIn(kWanted),
                         [](const ::testing::TestParamInfo<WantedCase>& c) { return std::string(c.param.name); });

TEST(RevisitSchedule, PendingAmongCountsOnlyPendingRowsOfTheSet)
{
    EXPECT_EQ(RevisitSchedule::PendingAmong({0, 1, 2, 3, -1, 9}, Figures("pdpd")), 2);
    EXPECT_EQ(RevisitSchedule::PendingAmong({}, Figures("pp")), 0);
}

// A change of sort while a job runs: whether another job must start.
struct SortChangeCase {
    const char* name;
    OrderRequest request;
    bool busy;
    RevisitReach running;
    CandidateFilter runningFilter;
    bool restart;
};

const SortChangeCase kSortChanges[] = {
    {"ToAnotherColumnStopsASweep", SortedBy(ExplorerColumn::MeanAltitudeKm, false), true, RevisitReach::WholeSet,
     kNoFilter, true},
    {"ToAnotherColumnStopsAFloorSweep", SortedBy(ExplorerColumn::MeanAltitudeKm, false), true,
     RevisitReach::Floors, kNoFilter, true},
    {"ToAnotherColumnKeepsTheRowsJob", SortedBy(ExplorerColumn::MeanAltitudeKm, false), true,
     RevisitReach::AskedRows, kNoFilter, false},
    {"ToAnotherColumnWhenIdleStartsNothing", SortedBy(ExplorerColumn::MeanAltitudeKm, false), false,
     RevisitReach::AskedRows, kNoFilter, false},
    {"ToDescendingRevisitStartsASweep", SortedBy(ExplorerColumn::WorstRevisitDays, true), true,
     RevisitReach::AskedRows, kNoFilter, true},
    {"ToDescendingRevisitWhenIdleStartsASweep", SortedBy(ExplorerColumn::WorstRevisitDays, true), false,
     RevisitReach::WholeSet, kNoFilter, true},
    {"DescendingRevisitKeepsItsOwnSweep", SortedBy(ExplorerColumn::WorstRevisitDays, true), true,
     RevisitReach::WholeSet, kNoFilter, false},
    {"DescendingToAscendingTurnsTheSweepToFloors", SortedBy(ExplorerColumn::WorstRevisitDays, false), true,
     RevisitReach::WholeSet, kNoFilter, true},
    {"AscendingKeepsItsFloorSweep", SortedBy(ExplorerColumn::WorstRevisitDays, false), true,
     RevisitReach::Floors, kNoFilter, false},
    {"AnotherFilterSweepsTheFloorsAgain", SortedBy(ExplorerColumn::WorstRevisitDays, false, kShortSubcycles),
     true, RevisitReach::Floors, kNoFilter, true},
};

class SortChange : public ::testing::TestWithParam<SortChangeCase> {};

TEST_P(SortChange, RestartsOnlyWhenTheJobNoLongerFits)
{
    const SortChangeCase& c = GetParam();
    RevisitSchedule schedule;
    EXPECT_EQ(schedule.RestartForSort(c.request, c.busy, c.running, c.runningFilter), c.restart);
}

INSTANTIATE_TEST_SUITE_P(MidWay, SortChange, ::testing::ValuesIn(kSortChanges),
                         [](const ::testing::TestParamInfo<SortChangeCase>& c) { return std::string(c.param.name); });

// Sorted ascending by the worst revisit with every floor known, the rounds
// of settling reach twice as far below the view each time, and a change of
// sort mid-way starts them afresh.
TEST(RevisitSchedule, SettlingRoundsDoubleTheirReachUntilTheSortChanges)
{
    RevisitSchedule schedule = SweptFor(kNoFilter);
    const OrderRequest ascending = SortedBy(ExplorerColumn::WorstRevisitDays, false);
    const RowOrder order = OrderOf({0, 1, 2, 3, 4, 5, 6, 7}, 8);
    const std::vector<RevisitFigure> figures = Figures("pppppppp");
    const RevisitView view{8, -1, {0, 1}, 1};

    std::vector<std::size_t> reaches;
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(schedule.JobEnded(RevisitReach::AskedRows, kNoFilter, ascending));
        ASSERT_EQ(schedule.OrderComputed(ascending, order, figures, view, true),
                  RevisitSchedule::AfterOrder::AnotherRound);
        reaches.push_back(schedule.SettleReach());
    }
    EXPECT_EQ(reaches, (std::vector<std::size_t>{2, 4, 8}));
    EXPECT_EQ(schedule.RowsWanted(ascending, order, figures, view), (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));

    ASSERT_TRUE(schedule.RestartForSort(SortedBy(ExplorerColumn::WorstRevisitDays, true), true,
                                        RevisitReach::AskedRows, kNoFilter));
    EXPECT_EQ(schedule.SettleReach(), 0u);
    EXPECT_EQ(schedule.RowsWanted(ascending, order, figures, view), (std::vector<std::int32_t>{0, 1}));
}

// What the order computed after a job's end says comes next.
struct AfterOrderCase {
    const char* name;
    bool sortedByRevisit;
    bool settling;
    std::string figures;  // rows 0..3, shown in this order; the view holds rows 0 and 1
    bool visible;
    RevisitSchedule::AfterOrder after;
};

const AfterOrderCase kAfterOrders[] = {
    {"AnotherColumnAwaitsNoOrder", false, false, "pppp", true, RevisitSchedule::AfterOrder::Nothing},
    {"PendingRowsInViewTakeAnotherRound", true, false, "dppp", true, RevisitSchedule::AfterOrder::AnotherRound},
    {"KnownRowsInViewAreSettled", true, false, "ddpp", true, RevisitSchedule::AfterOrder::Settled},
    {"AClosedWindowTakesNoMoreRounds", true, false, "pppp", false, RevisitSchedule::AfterOrder::Settled},
    {"FloorsAboveTheViewTakeAnotherRound", true, true, "dpdd", true, RevisitSchedule::AfterOrder::AnotherRound},
    {"FiguresDownToTheViewAreSettled", true, true, "ddpp", true, RevisitSchedule::AfterOrder::Settled},
};

class NextAfterOrder : public ::testing::TestWithParam<AfterOrderCase> {};

TEST_P(NextAfterOrder, DecidesWhatComesNext)
{
    const AfterOrderCase& c = GetParam();
    RevisitSchedule schedule = c.settling ? SweptFor(kNoFilter) : RevisitSchedule{};
    const OrderRequest request = c.sortedByRevisit ? SortedBy(ExplorerColumn::WorstRevisitDays, !c.settling)
                                                   : SortedBy(ExplorerColumn::MeanAltitudeKm, true);
    EXPECT_EQ(schedule.JobEnded(RevisitReach::AskedRows, kNoFilter, request), c.sortedByRevisit);
    const RevisitView view{4, -1, {0, 1}, 1};
    const RowOrder order = OrderOf({0, 1, 2, 3}, 4);
    EXPECT_EQ(schedule.OrderComputed(request, order, Figures(c.figures), view, c.visible), c.after);
    // The order is awaited once: the next one follows no job's end.
    EXPECT_EQ(schedule.OrderComputed(request, order, Figures(c.figures), view, c.visible),
              RevisitSchedule::AfterOrder::Nothing);
}

INSTANTIATE_TEST_SUITE_P(JobEnds, NextAfterOrder, ::testing::ValuesIn(kAfterOrders),
                         [](const ::testing::TestParamInfo<AfterOrderCase>& c) { return std::string(c.param.name); });

TEST(RevisitSchedule, ANewSetDropsTheAwaitedOrder)
{
    RevisitSchedule schedule;
    const OrderRequest request = SortedBy(ExplorerColumn::WorstRevisitDays, true);
    ASSERT_TRUE(schedule.JobEnded(RevisitReach::WholeSet, kNoFilter, request));
    schedule.NewSet();
    EXPECT_EQ(schedule.OrderComputed(request, OrderOf({0}, 1), Figures("p"), {1, -1, {0}, 0}, true),
              RevisitSchedule::AfterOrder::Nothing);
}

// The estimates of the time left, from the rates seen so far.
TEST(RevisitSchedule, SweepEstimateWaitsForEnoughFiguresThenDividesByTheRate)
{
    RevisitSchedule schedule;
    schedule.JobStarted(SortedBy(ExplorerColumn::WorstRevisitDays, true), {}, {}, 100);
    schedule.FiguresIn(95, 1.0);  // five figures: too few to say
    EXPECT_FALSE(schedule.SweepSecondsLeft(95));
    schedule.FiguresIn(80, 2.0);  // twenty in two seconds
    EXPECT_DOUBLE_EQ(schedule.FiguresPerSecond(), 10.0);
    ASSERT_TRUE(schedule.SweepSecondsLeft(80));
    EXPECT_DOUBLE_EQ(*schedule.SweepSecondsLeft(80), 8.0);
    // A later job keeps the rate measured, but says nothing until it has
    // seen enough figures of its own.
    schedule.JobStarted(SortedBy(ExplorerColumn::WorstRevisitDays, true), {}, {}, 80);
    EXPECT_FALSE(schedule.SweepSecondsLeft(78));
    EXPECT_DOUBLE_EQ(schedule.FiguresPerSecond(), 10.0);
}

TEST(RevisitSchedule, FloorEstimateCountsTheSweepLeft)
{
    RevisitSchedule schedule;
    schedule.JobStarted(SortedBy(ExplorerColumn::WorstRevisitDays, false), {}, {}, 50);
    schedule.FloorsIn(4, 0.5);
    EXPECT_FALSE(schedule.FloorSecondsLeft(50));
    schedule.FloorsIn(6, 1.0);  // ten floors in a second
    EXPECT_EQ(schedule.FloorsDone(), 10);
    ASSERT_TRUE(schedule.FloorSecondsLeft(50));
    EXPECT_DOUBLE_EQ(*schedule.FloorSecondsLeft(50), 4.0);
    // A sweep that has done more than it counted has nothing left.
    EXPECT_DOUBLE_EQ(*schedule.FloorSecondsLeft(6), 0.0);
    schedule.JobStarted(SortedBy(ExplorerColumn::WorstRevisitDays, false), {}, {}, 40);
    EXPECT_EQ(schedule.FloorsDone(), 0);
}

TEST(RevisitSchedule, SettleEstimateCountsThePendingRowsAtTheTop)
{
    RevisitSchedule schedule = SweptFor(kNoFilter);
    const OrderRequest ascending = SortedBy(ExplorerColumn::WorstRevisitDays, false);
    schedule.JobStarted(ascending, {0, 1, 2, 3}, Figures("pdpp"), 30);
    EXPECT_EQ(schedule.RowsToSettle(), 3);
    EXPECT_FALSE(schedule.SettleSecondsLeft());  // no rate yet
    schedule.FiguresIn(10, 4.0);                 // twenty in four seconds
    schedule.Prioritized(ascending, 2);
    EXPECT_EQ(schedule.RowsToSettle(), 2);
    ASSERT_TRUE(schedule.SettleSecondsLeft());
    EXPECT_DOUBLE_EQ(*schedule.SettleSecondsLeft(), 0.4);
    // Without the floors the top rows are not settled by them.
    schedule.Prioritized(SortedBy(ExplorerColumn::WorstRevisitDays, true), 9);
    EXPECT_EQ(schedule.RowsToSettle(), 2);
    schedule.JobStarted(SortedBy(ExplorerColumn::WorstRevisitDays, true), {0, 2}, Figures("pdpp"), 30);
    EXPECT_EQ(schedule.RowsToSettle(), 0);
}

}  // namespace
}  // namespace explorer
