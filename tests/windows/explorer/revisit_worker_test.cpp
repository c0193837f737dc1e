// The background revisit figures: every pending row once, the rows asked for
// first, the figures of `WorstRevisitOf`, and nothing more from a job once
// another has started.

#include "explorer/candidate_order.h"
#include "explorer/revisit_worker.h"
#include "tests/support/work_timeout.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <map>

namespace explorer {
namespace {

std::shared_ptr<const CandidateSet> Band(int maxDays)
{
    ExplorerRequest request;
    request.search.type = orbit::OrbitType::SunSynchronous;
    request.search.altMinKm = 600;
    request.search.altMaxKm = 800;
    request.search.maxDays = maxDays;
    request.swathKm = 290;
    return FindCandidates(request);
}

// The figures of one job, in the order they arrived, until it finished.
struct Arrivals {
    explicit Arrivals(RevisitWorker& worker)
    {
        QObject::connect(&worker, &RevisitWorker::FiguresReady, [this](std::uint64_t job, const RevisitBatch& batch) {
            for (const auto& figure : batch)
                figures.push_back({job, figure});
        });
        QObject::connect(&worker, &RevisitWorker::Finished, [this](std::uint64_t job) { finished.push_back(job); });
    }
    std::vector<std::pair<std::uint64_t, std::pair<std::int32_t, RevisitFigure>>> figures;
    std::vector<std::uint64_t> finished;
};

TEST(RevisitWorker, GivesEachPendingRowItsFigureOnceThenFinishes)
{
    const auto set = Band(6);
    ASSERT_GE(set->size(), 6u);
    std::vector<RevisitFigure> known(set->size());
    known[1] = {RevisitFigure::State::Days, 123};  // worked out before: not again
    RevisitWorker worker;
    Arrivals arrivals(worker);
    const std::uint64_t job = worker.Start(set, known);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.finished.empty(); }, kWorkTimeoutMs));
    EXPECT_EQ(arrivals.finished, std::vector<std::uint64_t>{job});
    EXPECT_FALSE(worker.Busy());

    std::map<std::int32_t, RevisitFigure> byRow;
    for (const auto& [from, figure] : arrivals.figures) {
        EXPECT_EQ(from, job);
        EXPECT_TRUE(byRow.emplace(figure.first, figure.second).second) << "row " << figure.first << " twice";
    }
    ASSERT_EQ(byRow.size(), set->size() - 1);
    EXPECT_EQ(byRow.count(1), 0u);
    for (const auto& [row, figure] : byRow)
        EXPECT_EQ(figure, WorstRevisitOf(*set, static_cast<std::size_t>(row))) << "row " << row;
}

// A sweep for floors: the figures of the rows asked for, and the floor of
// every other pending row that passes the filter and has none yet, once,
// as WorstRevisitFloorOf gives it; the rows filtered out get nothing.
TEST(RevisitWorker, FloorsEveryPendingRowThatPassesTheFilter)
{
    const auto set = Band(10);
    ASSERT_GE(set->size(), 20u);
    std::vector<RevisitFigure> known(set->size());
    known[0] = {RevisitFigure::State::Days, 9};
    std::vector<RevisitFloorFigure> knownFloors(set->size());
    knownFloors[1] = {RevisitFloorFigure::State::Known, {true, 1}};
    CandidateFilter filter;
    filter.maxGridSpacingKm = set->Row(set->size() / 2).gridSpacingKm();
    RevisitWorker worker;
    Arrivals arrivals(worker);
    std::map<std::int32_t, RevisitFloorFigure> floors;
    QObject::connect(&worker, &RevisitWorker::FloorsReady, [&](std::uint64_t, const FloorBatch& batch) {
        for (const auto& [row, floor] : batch)
            EXPECT_TRUE(floors.emplace(row, floor).second) << "row " << row << " twice";
    });
    worker.Start(set, known, RevisitWorker::Reach::Floors, {2}, knownFloors, filter);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.finished.empty(); }, kWorkTimeoutMs));

    ASSERT_EQ(arrivals.figures.size(), 1u);
    EXPECT_EQ(arrivals.figures.front().second.first, 2);
    // Row 0 has its figure, row 1 its floor, row 2 was asked for.
    std::int64_t swept = 0;
    for (std::size_t row = 0; row < set->size(); ++row) {
        const auto found = floors.find(static_cast<std::int32_t>(row));
        if (row < 3 || !PassesFilter(*set, row, filter)) {
            EXPECT_EQ(found, floors.end()) << "row " << row;
            continue;
        }
        ASSERT_NE(found, floors.end()) << "row " << row;
        ++swept;
        const RevisitFloorFigure expected = WorstRevisitFloorOf(*set, row);
        EXPECT_EQ(found->second.state, expected.state) << "row " << row;
        EXPECT_EQ(found->second.floor.days, expected.floor.days) << "row " << row;
        EXPECT_EQ(found->second.floor.bandMayReachEquator, expected.floor.bandMayReachEquator) << "row " << row;
    }
    EXPECT_EQ(worker.SweepRows(), swept);
    EXPECT_GT(swept, 0);
    EXPECT_LT(swept, static_cast<std::int64_t>(set->size()) - 3) << "the filter left every row in";
}

TEST(RevisitWorker, WorksOnTheRowsAskedForBeforeTheRest)
{
    const auto set = Band(30);
    ASSERT_GE(set->size(), 100u);
    const auto last = static_cast<std::int32_t>(set->size()) - 1;
    RevisitWorker worker;
    Arrivals arrivals(worker);
    worker.Start(set);
    worker.Prioritize({last, last - 1, last - 2});
    const auto arrived = [&](std::int32_t row) {
        for (std::size_t i = 0; i < arrivals.figures.size(); ++i)
            if (arrivals.figures[i].second.first == row)
                return static_cast<std::ptrdiff_t>(i);
        return std::ptrdiff_t{-1};
    };
    const std::int32_t middle = last / 2;
    ASSERT_TRUE(QTest::qWaitFor([&] { return arrived(middle) >= 0; }, kWorkTimeoutMs));
    for (const std::int32_t row : {last, last - 1, last - 2}) {
        ASSERT_GE(arrived(row), 0) << row;
        EXPECT_LT(arrived(row), arrived(middle)) << row;
    }
}

// Nobody looks at the other rows: no core works on them.
TEST(RevisitWorker, AJobForTheAskedRowsWorksOnThoseAloneThenEnds)
{
    const auto set = Band(30);
    ASSERT_GE(set->size(), 100u);
    const std::vector<std::int32_t> asked{5, 50, 7};
    RevisitWorker worker;
    Arrivals arrivals(worker);
    const std::uint64_t job = worker.Start(set, {}, RevisitWorker::Reach::AskedRows, asked);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.finished.empty(); }, kWorkTimeoutMs));
    EXPECT_EQ(arrivals.finished, std::vector<std::uint64_t>{job});
    EXPECT_FALSE(worker.Busy());
    std::vector<std::int32_t> rows;
    for (const auto& figure : arrivals.figures)
        rows.push_back(figure.second.first);
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::int32_t>{5, 7, 50}));
    EXPECT_FALSE(worker.Prioritize({60})) << "the job has ended: a new one is needed";
}

TEST(RevisitWorker, AnotherStartDropsTheFirstJob)
{
    const auto set = Band(30);
    const auto next = Band(4);
    RevisitWorker worker;
    Arrivals arrivals(worker);
    const std::uint64_t first = worker.Start(set);
    const std::uint64_t second = worker.Start(next);
    ASSERT_NE(first, second);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !arrivals.finished.empty(); }, kWorkTimeoutMs));
    EXPECT_EQ(arrivals.finished, std::vector<std::uint64_t>{second});
    std::size_t fromFirst = 0;
    for (const auto& figure : arrivals.figures)
        fromFirst += figure.first == first ? 1 : 0;
    // Only rows already under way when it was dropped: one a thread at most.
    EXPECT_LE(fromFirst, static_cast<std::size_t>(std::max(1, QThread::idealThreadCount())));
}

}  // namespace
}  // namespace explorer
