// The search over an altitude band: completeness, agreement with single
// designs, band edges, order, and designs that fail or are not sun-synchronous.

#include "analysis/repeat_ratios.h"
#include "analysis/repeat_search.h"
#include "core/orbit_error.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace orbit::analysis {
namespace {

using Key = std::tuple<int, int, int>;

SearchRequest SunSync(double altMinKm, double altMaxKm, int maxDays, int minDays = 1)
{
    SearchRequest r;
    r.type = OrbitType::SunSynchronous;
    r.altMinKm = altMinKm;
    r.altMaxKm = altMaxKm;
    r.minDays = minDays;
    r.maxDays = maxDays;
    return r;
}

SearchRequest Inclined(double degrees, double tenths, double altMinKm, double altMaxKm, int maxDays)
{
    SearchRequest r = SunSync(altMinKm, altMaxKm, maxDays);
    r.type = OrbitType::ChooseInclination;
    r.inclDegrees = degrees;
    r.inclTenths = tenths;
    return r;
}

std::set<Key> Keys(const SearchOutcome& outcome)
{
    std::set<Key> keys;
    for (const SearchRow& row : outcome.rows)
        keys.insert({row.N, row.M, row.Q});
    return keys;
}

// The designs in the band found the slow way: every ratio from 1 to 40
// revolutions a day, whatever its altitude, solved and filtered.
std::set<Key> InBandByBruteForce(const SearchRequest& r)
{
    std::set<Key> keys;
    for (const RepeatRatio& ratio : RepeatRatios(1, 40, r.minDays, r.maxDays)) {
        try {
            DesignRecord record;
            const RepeatOrbitSolution s = SolveRepeatOrbit(
                RepeatOrbitInputs::Fixed(ratio.N, ratio.M, ratio.Q, r.type, r.inclDegrees, r.inclTenths), {},
                record);
            const bool clamped = s.InclDeg && *s.InclDeg == 180.0;
            if (s.MeanAltitude >= r.altMinKm && s.MeanAltitude <= r.altMaxKm && !clamped)
                keys.insert({ratio.N, ratio.M, ratio.Q});
        } catch (const OrbitError&) {
        }
    }
    return keys;
}

TEST(SearchRepeatOrbits, FindsEveryDesignInTheBand)
{
    const SearchRequest requests[] = {
        SunSync(600, 800, 10),
        SunSync(200, 2000, 12),
        SunSync(0, 200, 8),
        Inclined(65, 0, 200, 2000, 12),
        Inclined(98, 5, 1000, 1500, 15),
        Inclined(0, 0, 20000, 36500, 6),   // up to geostationary: one revolution a day
        Inclined(10, 0, 19000, 21000, 4),  // two revolutions a day
    };
    for (const SearchRequest& r : requests) {
        const SearchOutcome outcome = SearchRepeatOrbits(r);
        EXPECT_FALSE(outcome.rows.empty()) << r.altMinKm << "-" << r.altMaxKm;
        EXPECT_EQ(Keys(outcome), InBandByBruteForce(r)) << r.altMinKm << "-" << r.altMaxKm;
        EXPECT_EQ(Keys(outcome).size(), outcome.rows.size()) << "duplicates";
    }
}

TEST(SearchRepeatOrbits, RowsAreSortedHighestFirstAndInsideTheBand)
{
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(200, 2000, 30));
    ASSERT_GT(outcome.rows.size(), 100u);
    for (std::size_t i = 0; i < outcome.rows.size(); ++i) {
        EXPECT_GE(outcome.rows[i].meanAltitudeKm, 200);
        EXPECT_LE(outcome.rows[i].meanAltitudeKm, 2000);
        if (i > 0) {
            EXPECT_GE(outcome.rows[i - 1].meanAltitudeKm, outcome.rows[i].meanAltitudeKm);
        }
    }
}

TEST(SearchRepeatOrbits, EachRowIsTheSingleDesignOfItsRatio)
{
    for (const SearchRequest& r : {SunSync(600, 800, 10), Inclined(98, 5, 600, 800, 10)}) {
        const SearchOutcome outcome = SearchRepeatOrbits(r);
        for (const SearchRow& row : outcome.rows) {
            DesignRecord record;
            const RepeatOrbitSolution s =
                SolveRepeatOrbit(RepeatOrbitInputs::Fixed(row.N, row.M, row.Q, r.type, 98, 5), {}, record);
            EXPECT_EQ(row.revs(), s.RevCount);
            EXPECT_EQ(row.semiMajorAxisKm, s.SemiMajorAxis);
            EXPECT_EQ(row.meanAltitudeKm, s.MeanAltitude);
            EXPECT_EQ(row.nodalPeriodMin, s.NodalPeriodMin);
            EXPECT_EQ(row.meanMotionRevPerDay, s.MeanMotion);
            EXPECT_EQ(row.orbitSpacingDeg, record.NodeSpacingDeg);
            EXPECT_EQ(row.inclinationDeg, s.InclDeg ? *s.InclDeg : 98.5);
        }
    }
}

TEST(SearchRepeatOrbits, WorkedSunSynchronousDesignAppearsWithItsFigures)
{
    // 14 + 1/3 sun-synchronous: 43 revolutions, about 774.98 km, 98.497 degrees.
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(700, 800, 3));
    const SearchRow* found = nullptr;
    for (const SearchRow& row : outcome.rows)
        if (row.N == 14 && row.M == 1 && row.Q == 3)
            found = &row;
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->revs(), 43);
    EXPECT_NEAR(found->meanAltitudeKm, 774.9821, 1e-4);
    EXPECT_NEAR(found->inclinationDeg, 98.49744, 1e-5);
    EXPECT_NEAR(found->orbitSpacingDeg, 25.11628, 1e-5);
    EXPECT_NEAR(found->gridSpacingDeg(), 360.0 / 43, 1e-12);
    EXPECT_EQ(found->subcycleDays(), 1);
}

TEST(SearchRepeatOrbits, SubcycleAndOneDayCycles)
{
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(700, 900, 26));
    bool sawSubcycleFive = false;
    for (const SearchRow& row : outcome.rows) {
        if (row.Q == 1)
            EXPECT_FALSE(row.subcycleDays()) << row.N;
        else
            EXPECT_TRUE(row.subcycleDays()) << row.N << " " << row.M << " " << row.Q;
        if (row.N == 14 && row.M == 5 && row.Q == 26) {
            EXPECT_EQ(row.subcycleDays(), 5);
            sawSubcycleFive = true;
        }
    }
    EXPECT_TRUE(sawSubcycleFive);
}

TEST(SearchRepeatOrbits, BandEdgesAreInclusive)
{
    const SearchOutcome wide = SearchRepeatOrbits(SunSync(700, 800, 3));
    double altitude = 0;
    for (const SearchRow& row : wide.rows)
        if (row.N == 14 && row.M == 1 && row.Q == 3)
            altitude = row.meanAltitudeKm;
    ASSERT_NE(altitude, 0);

    const Key key{14, 1, 3};
    EXPECT_TRUE(Keys(SearchRepeatOrbits(SunSync(altitude, 800, 3))).count(key));
    EXPECT_TRUE(Keys(SearchRepeatOrbits(SunSync(700, altitude, 3))).count(key));
    EXPECT_TRUE(Keys(SearchRepeatOrbits(SunSync(altitude, altitude, 3))).count(key));
    EXPECT_FALSE(Keys(SearchRepeatOrbits(SunSync(std::nextafter(altitude, 1e9), 800, 3))).count(key));
    EXPECT_FALSE(Keys(SearchRepeatOrbits(SunSync(700, std::nextafter(altitude, 0), 3))).count(key));
}

TEST(SearchRepeatOrbits, ShortestCycleLeavesShorterCyclesOut)
{
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(600, 800, 10, 4));
    ASSERT_FALSE(outcome.rows.empty());
    for (const SearchRow& row : outcome.rows)
        EXPECT_GE(row.Q, 4);
}

TEST(SearchRepeatOrbits, FailingDesignIsCountedAndSkipped)
{
    // N 4, M 7, Q 22 at 144 degrees never settles; its neighbours do.
    const SearchOutcome outcome = SearchRepeatOrbits(Inclined(144, 0, 5000, 15000, 22));
    EXPECT_FALSE(Keys(outcome).count({4, 7, 22}));
    EXPECT_GE(outcome.failureCount(), 1);
    EXPECT_EQ(outcome.failures.count(RepBas::NoConvergenceText()), 1u);
    EXPECT_FALSE(outcome.rows.empty());
}

TEST(SearchRepeatOrbits, NoSunSynchronousOrbitIsLeftOut)
{
    // Nine revolutions a day solves to about 83,072 km, where the
    // sun-synchronous inclination is clamped to 180 degrees.
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(0, 80000, 1));
    EXPECT_FALSE(Keys(outcome).count({9, 0, 1}));
    EXPECT_GE(outcome.notSunSynchronous, 1);
    for (const SearchRow& row : outcome.rows)
        EXPECT_LT(row.inclinationDeg, 180.0);
}

// A limit keeps exactly the first K rows of the full search, in its order,
// and still counts every design in the band.
TEST(SearchRepeatOrbits, LimitKeepsTheHighestRows)
{
    for (const SearchRequest& base : {SunSync(200, 2000, 30), Inclined(144, 0, 5000, 15000, 22)}) {
        const SearchOutcome all = SearchRepeatOrbits(base);
        ASSERT_GT(all.rows.size(), 10u);
        for (const std::size_t limit : {std::size_t{1}, std::size_t{7}, all.rows.size() - 1, all.rows.size(),
                                         all.rows.size() + 5}) {
            SearchRequest r = base;
            r.limit = limit;
            const SearchOutcome kept = SearchRepeatOrbits(r);
            ASSERT_EQ(kept.rows.size(), std::min(limit, all.rows.size())) << limit;
            for (std::size_t i = 0; i < kept.rows.size(); ++i)
                EXPECT_EQ(Key(kept.rows[i].N, kept.rows[i].M, kept.rows[i].Q),
                          Key(all.rows[i].N, all.rows[i].M, all.rows[i].Q))
                    << "row " << i << " of " << limit;
            EXPECT_EQ(kept.rowsInBand, static_cast<std::int64_t>(all.rows.size()));
            EXPECT_EQ(kept.designsSolved, all.designsSolved);
            EXPECT_EQ(kept.failures, all.failures);
        }
    }
}

TEST(SearchRepeatOrbits, ProgressIsReportedUpToTheWholeCount)
{
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
    SearchControl control;
    control.progress = [&](std::int64_t done, std::int64_t total) { reports.emplace_back(done, total); };
    const SearchOutcome outcome = SearchRepeatOrbits(SunSync(200, 2000, 100), control);

    ASSERT_GT(reports.size(), 3u);
    EXPECT_EQ(reports.back(), std::make_pair(outcome.designsSolved, outcome.designsSolved));
    for (std::size_t i = 1; i < reports.size(); ++i) {
        EXPECT_LT(reports[i - 1].first, reports[i].first);
        EXPECT_EQ(reports[i].second, reports.back().second);
    }
    EXPECT_FALSE(outcome.cancelled);
}

TEST(SearchRepeatOrbits, CancelStopsAtTheNextCheck)
{
    int checks = 0;
    SearchControl control;
    control.cancelRequested = [&] { return ++checks == 2; };
    const SearchOutcome whole = SearchRepeatOrbits(SunSync(200, 2000, 60));
    const SearchOutcome stopped = SearchRepeatOrbits(SunSync(200, 2000, 60), control);

    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(stopped.designsSolved, 2 * kSearchReportInterval - 1);
    EXPECT_LT(stopped.rows.size(), whole.rows.size());
    for (std::size_t i = 1; i < stopped.rows.size(); ++i)
        EXPECT_GE(stopped.rows[i - 1].meanAltitudeKm, stopped.rows[i].meanAltitudeKm);
}

TEST(ValidateSearchRequest, NamesTheInputAtFault)
{
    struct Case {
        SearchRequest request;
        orbit::RequestInput input;
        double value;
    };
    const Case cases[] = {
        {SunSync(800, 600, 10), orbit::RequestInput::AltitudeMinKm, 800},
        {SunSync(-10, 600, 10), orbit::RequestInput::AltitudeMinKm, -10},
        {SunSync(600, 800, 0), orbit::RequestInput::MaxDays, 0},
        {SunSync(600, 800, kLongestSearchDays + 1), orbit::RequestInput::MaxDays, kLongestSearchDays + 1},
        {SunSync(600, 800, 10, 0), orbit::RequestInput::MinDays, 0},
        {SunSync(600, 800, 10, 11), orbit::RequestInput::MinDays, 11},
        {[] {
             SearchRequest r = SunSync(600, 800, 10);
             r.limit = 0;
             return r;
         }(),
         orbit::RequestInput::RowLimit, 0},
    };
    for (const Case& c : cases) {
        try {
            ValidateSearchRequest(c.request);
            ADD_FAILURE() << "accepted, expected a complaint about input " << static_cast<int>(c.input);
        } catch (const OrbitError& e) {
            EXPECT_EQ(e.Kind(), orbit::ErrorKind::Usage);
            EXPECT_EQ(e.Input(), c.input) << e.what();
            EXPECT_EQ(e.Value(), c.value) << e.what();
            // The reason is the analysis layer's own: no option of any interface.
            EXPECT_EQ(std::string(e.what()).find("--"), std::string::npos) << e.what();
        }
    }
    EXPECT_NO_THROW(ValidateSearchRequest(SunSync(600, 600, 1, 1)));
    EXPECT_NO_THROW(ValidateSearchRequest(SunSync(600, 800, kLongestSearchDays)));
}

}  // namespace
}  // namespace orbit::analysis
