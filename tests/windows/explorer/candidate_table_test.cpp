// The explorer's table against `repeat-orbit search` and `repeat-orbit
// coverage`: the same rows and the same numbers, from the same code; then its
// order and filters, and the text it copies and saves.

#include "core/number_text.h"
#include "explorer/candidate_model.h"
#include "explorer/candidate_order.h"
#include "explorer/candidate_set.h"
#include "explorer/candidate_text.h"
#include "tests/windows/explorer/command_output.h"
#include "tests/support/words.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace explorer {
namespace {

using explorer_testing::Lines;
using explorer_testing::RepeatOrbit;
using orbit::OrbitType;
using State = RevisitFigure::State;

// A worked-out worst revisit over the same band in both hemispheres, from
// the equator unless told otherwise.
RevisitFigure Days(double days, double fromLatDeg = 0, double toLatDeg = 82)
{
    const orbit::analysis::LatitudeBand band{fromLatDeg, toLatDeg};
    return {State::Days, days, band, band};
}

struct Band {
    const char* name;
    OrbitType type;
    int inclDegrees, inclTenths;
    double altMinKm, altMaxKm;
    int minDays, maxDays;
};

const Band kBands[] = {
    {"SunSynchronous600To800KmWithin10Days", OrbitType::SunSynchronous, 0, 0, 600, 800, 1, 10},
    {"SunSynchronous200To2000KmWithin3Days", OrbitType::SunSynchronous, 0, 0, 200, 2000, 1, 3},
    {"Inclined65Point0At500To900KmWithin20Days", OrbitType::ChooseInclination, 65, 0, 500, 900, 1, 20},
    {"Inclined97Point3At300To400KmCycles5To30", OrbitType::ChooseInclination, 97, 3, 300, 400, 5, 30},
};

ExplorerRequest RequestOf(const Band& band, std::optional<double> swathKm = std::nullopt)
{
    ExplorerRequest request;
    request.search.type = band.type;
    request.search.inclDegrees = band.inclDegrees;
    request.search.inclTenths = band.inclTenths;
    request.search.altMinKm = band.altMinKm;
    request.search.altMaxKm = band.altMaxKm;
    request.search.minDays = band.minDays;
    request.search.maxDays = band.maxDays;
    request.swathKm = swathKm;
    return request;
}

QStringList SearchArguments(const Band& band)
{
    QStringList arguments = {"search"};
    if (band.type == OrbitType::SunSynchronous)
        arguments << "--sun-sync";
    else
        arguments << "--incl" << QString::number(band.inclDegrees) << "--tenths" << QString::number(band.inclTenths);
    arguments << "--alt-min" << QString::number(band.altMinKm) << "--alt-max" << QString::number(band.altMaxKm)
              << "--q-min" << QString::number(band.minDays) << "--q-max" << QString::number(band.maxDays);
    return arguments;
}

class AgainstSearchCommand : public ::testing::TestWithParam<Band> {};

TEST_P(AgainstSearchCommand, ShowsTheSameRowsWithTheSameNumbers)
{
    const std::vector<std::string> table = Lines(RepeatOrbit(SearchArguments(GetParam())));
    ASSERT_FALSE(table.empty());
    CandidateModel model;
    model.SetCandidates(FindCandidates(RequestOf(GetParam())));
    ASSERT_EQ(static_cast<std::size_t>(model.rowCount()), table.size() - 1);
    ASSERT_GT(model.rowCount(), 0);

    const std::vector<std::string> header = Words(table.front());
    for (int row = 0; row < model.rowCount(); ++row) {
        std::vector<std::string> cells = Words(table[static_cast<std::size_t>(row) + 1]);
        if (cells.size() + 1 == header.size())
            cells.emplace_back();  // no sub-cycle: the command leaves the cell empty
        ASSERT_EQ(cells.size(), header.size());
        for (int column = 0; column < model.columnCount(); ++column) {
            const auto searchColumn = SearchColumnOf(model.Columns()[static_cast<std::size_t>(column)]);
            ASSERT_TRUE(searchColumn.has_value());
            const auto at = std::find(header.begin(), header.end(), orbit::analysis::InfoOf(*searchColumn).key);
            ASSERT_NE(at, header.end());
            EXPECT_EQ(model.index(row, column).data().toString().toStdString(),
                      cells[static_cast<std::size_t>(at - header.begin())])
                << "row " << row << ", " << *at;
        }
    }
}

TEST_P(AgainstSearchCommand, SavesTheCommandsCsvWithoutASwath)
{
    const auto set = FindCandidates(RequestOf(GetParam()));
    std::vector<std::int32_t> rows(set->size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<std::int32_t>(i);
    EXPECT_EQ(CsvText(*set, {}, rows), RepeatOrbit(SearchArguments(GetParam()) << "--csv"));
}

INSTANTIATE_TEST_SUITE_P(Bands, AgainstSearchCommand, ::testing::ValuesIn(kBands),
                         [](const ::testing::TestParamInfo<Band>& band) { return std::string(band.param.name); });

// The sidelap and the worst revisit of a few rows, as `repeat-orbit coverage`
// reports them for the same design and swath, to the last bit.
TEST(AgainstCoverageCommand, SidelapAndWorstRevisitAreTheCommandsFigures)
{
    const Band band{"", OrbitType::SunSynchronous, 0, 0, 600, 800, 1, 16};
    const auto set = FindCandidates(RequestOf(band, 290));
    ASSERT_GE(set->size(), 40u);
    for (const std::size_t row : {std::size_t{0}, std::size_t{7}, set->size() / 2, set->size() - 1}) {
        const orbit::analysis::SearchRow& r = set->Row(row);
        const std::string json = RepeatOrbit({"coverage", "--n", QString::number(r.N), "--m", QString::number(r.M),
                                              "--q", QString::number(r.Q), "--sun-sync", "--swath", "290", "--json"});
        ASSERT_FALSE(json.empty());
        const nlohmann::json summary = nlohmann::json::parse(json).at("summary");
        EXPECT_EQ(set->sidelapPercent[row], summary.at("sidelap_percent").get<double>()) << "row " << row;
        const RevisitFigure revisit = WorstRevisitOf(*set, row);
        if (summary.at("max_revisit_days").is_null()) {
            EXPECT_EQ(revisit.state, State::NoFullCoverage) << "row " << row;
        } else {
            EXPECT_EQ(revisit.state, State::Days) << "row " << row;
            EXPECT_EQ(revisit.days, summary.at("max_revisit_days").get<double>()) << "row " << row;
        }
    }
}

// A set of the 600-800 km sun-synchronous band with a 290 km swath, and
// revisit figures made up for it: every state, in a known pattern.
class CandidateOrder : public ::testing::Test {
protected:
    void SetUp() override
    {
        set_ = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 600, 800, 1, 16}, 290));
        ASSERT_GE(set_->size(), 40u);
        revisits_.resize(set_->size());
        for (std::size_t row = 0; row < set_->size(); ++row) {
            switch (row % 5) {
            case 0: revisits_[row] = {State::Pending, 0}; break;
            case 1: revisits_[row] = {State::NoFullCoverage, 0}; break;
            case 2: revisits_[row] = {State::Failed, 0}; break;
            default: revisits_[row] = Days(static_cast<double>((row * 7) % 23) + 0.5);
            }
        }
    }

    std::vector<std::size_t> Shown(const OrderRequest& request) const
    {
        const RowOrder order = ComputeOrder(*set_, revisits_, request);
        EXPECT_EQ(order.positionOf.size(), set_->size());
        std::vector<std::size_t> rows;
        for (std::size_t i = 0; i < order.shown.size(); ++i) {
            const auto row = static_cast<std::size_t>(order.shown[i]);
            EXPECT_EQ(order.positionOf[row], static_cast<std::int32_t>(i));
            rows.push_back(row);
        }
        return rows;
    }

    std::shared_ptr<const CandidateSet> set_;
    std::vector<RevisitFigure> revisits_;
};

TEST_F(CandidateOrder, SortsNumbersByValueNotByText)
{
    // Nodal periods run from under 100 to over 100 minutes here, where the
    // text "99.9" sorts after "100.1".
    const auto below100 = [&](std::size_t row) { return set_->Row(row).nodalPeriodMin < 100; };
    for (const bool descending : {false, true}) {
        const std::vector<std::size_t> rows = Shown({ExplorerColumn::NodalPeriodMin, descending, {}});
        ASSERT_EQ(rows.size(), set_->size());
        EXPECT_EQ(below100(rows.front()), !descending);
        EXPECT_EQ(below100(rows.back()), descending);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const double before = set_->Row(rows[i - 1]).nodalPeriodMin, after = set_->Row(rows[i]).nodalPeriodMin;
            EXPECT_TRUE(descending ? before >= after : before <= after) << i;
        }
    }
}

TEST_F(CandidateOrder, PendingRevisitsSortLastInBothOrders)
{
    for (const bool descending : {false, true}) {
        const std::vector<std::size_t> rows = Shown({ExplorerColumn::WorstRevisitDays, descending, {}});
        ASSERT_EQ(rows.size(), set_->size());
        // Figures (an endless wait where no latitude is seen whole), then the
        // failed ones, then the pending ones.
        auto rank = [&](std::size_t row) {
            const State state = revisits_[row].state;
            return state == State::Pending ? 2 : state == State::Failed ? 1 : 0;
        };
        for (std::size_t i = 1; i < rows.size(); ++i) {
            const std::size_t a = rows[i - 1], b = rows[i];
            ASSERT_LE(rank(a), rank(b)) << i;
            if (rank(a) == 0 && rank(b) == 0) {
                const auto days = [&](std::size_t row) {
                    return revisits_[row].state == State::NoFullCoverage ? INFINITY : revisits_[row].days;
                };
                EXPECT_TRUE(descending ? days(a) >= days(b) : days(a) <= days(b)) << i;
            }
            if (rank(a) == rank(b) && (rank(a) > 0 || revisits_[a] == revisits_[b])) {
                EXPECT_LT(a, b) << "equal cells keep the search's order, " << i;
            }
        }
        EXPECT_EQ(revisits_[rows.back()].state, State::Pending);
        EXPECT_EQ(revisits_[rows.front()].state, descending ? State::NoFullCoverage : State::Days);
    }
}

// A band that leaves the equator's gaps out promises less than one from the
// equator, however short its wait; no band at all, the least.
TEST_F(CandidateOrder, RevisitsOverABandAwayFromTheEquatorSortAfterThoseFromIt)
{
    std::vector<RevisitFigure>& figures = revisits_;
    for (std::size_t row = 0; row < figures.size(); ++row)
        if (figures[row].state == State::Days && row % 2 == 0)
            figures[row] = Days(1.0 + static_cast<double>(row % 3), 44, 82);  // partial, and short
    for (const bool descending : {false, true}) {
        const std::vector<std::size_t> rows = Shown({ExplorerColumn::WorstRevisitDays, descending, {}});
        const auto rank = [&](std::size_t row) {
            const RevisitFigure& f = figures[row];
            return f.state == State::NoFullCoverage ? 2 : f.Partial() ? 1 : 0;
        };
        std::vector<int> ranks;
        for (const std::size_t row : rows)
            if (figures[row].state == State::Days || figures[row].state == State::NoFullCoverage)
                ranks.push_back(rank(row));
        EXPECT_TRUE(descending ? std::is_sorted(ranks.rbegin(), ranks.rend())
                               : std::is_sorted(ranks.begin(), ranks.end()));
        EXPECT_EQ(std::count(ranks.begin(), ranks.end(), 1), std::count_if(figures.begin(), figures.end(), [](auto& f) {
                      return f.Partial();
                  }));
    }
}

// Made-up figures and floors under them, of every kind, the floors as loose
// or as tight as the seed makes them: worked out as the window does (the
// pending rows down to a place, then the order again), the rows down to
// that place are those of the order every figure would give, in its order.
// A descending order takes no floor.
TEST_F(CandidateOrder, AnOrderByFloorsSettlesToTheOrderByFigures)
{
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        std::uint32_t state = seed * 2654435761u;
        const auto next = [&] { return (state = state * 1664525u + 1013904223u) >> 8; };
        std::vector<RevisitFigure> truth(set_->size());
        std::vector<RevisitFloorFigure> floors(set_->size());
        for (std::size_t row = 0; row < truth.size(); ++row) {
            const std::uint32_t kind = next() % 10;
            const double days = 1 + static_cast<double>(next() % 2000) / 100;
            const double slack = seed == 1 ? 0 : static_cast<double>(next() % 1000) / 100;
            if (kind == 0) {
                truth[row] = {State::NoFullCoverage, 0};
                floors[row] = {RevisitFloorFigure::State::Known, {false, 0}};
            } else if (kind == 1) {
                truth[row] = {State::Failed, 0};
                floors[row] = {RevisitFloorFigure::State::Failed, {}};
            } else if (kind <= 3) {
                // A band away from the equator, already seen to stop short or not.
                truth[row] = Days(days, 40, 82);
                floors[row] = {RevisitFloorFigure::State::Known, {kind == 3, std::max(0.0, days - slack)}};
            } else {
                truth[row] = Days(days, 0, 82);
                floors[row] = {RevisitFloorFigure::State::Known, {true, std::max(0.0, days - slack)}};
            }
        }
        const OrderRequest request{ExplorerColumn::WorstRevisitDays, false, {}};
        const std::vector<std::int32_t> expected = ComputeOrder(*set_, truth, request).shown;
        for (const std::size_t last : {std::size_t{0}, std::size_t{9}, set_->size() / 2, set_->size() - 1}) {
            std::vector<RevisitFigure> known(set_->size());
            RowOrder order;
            for (int round = 0;; ++round) {
                ASSERT_LT(round, 1000);
                order = ComputeOrder(*set_, known, request, nullptr, &floors);
                const std::vector<std::int32_t> settle = RowsToSettle(order, known, last);
                if (settle.empty())
                    break;
                for (const std::int32_t row : settle)
                    known[static_cast<std::size_t>(row)] = truth[static_cast<std::size_t>(row)];
            }
            EXPECT_TRUE(std::equal(order.shown.begin(), order.shown.begin() + static_cast<std::ptrdiff_t>(last + 1),
                                   expected.begin()))
                << "down to " << last;
        }
        const std::vector<RevisitFigure> none(set_->size());
        EXPECT_EQ(ComputeOrder(*set_, none, {ExplorerColumn::WorstRevisitDays, true, {}}, nullptr, &floors).shown,
                  ComputeOrder(*set_, none, {ExplorerColumn::WorstRevisitDays, true, {}}).shown);
    }
}

TEST(CandidateOrderOfSubcycles, EmptySubcyclesSortLastInBothOrders)
{
    // N 14, M 0, Q 1 (894 km) lies in the band: a one-day cycle has no sub-cycle.
    const auto set = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 500, 1000, 1, 5}));
    for (const bool descending : {false, true}) {
        const std::vector<std::int32_t> rows =
            ComputeOrder(*set, {}, {ExplorerColumn::SubcycleDays, descending, {}}).shown;
        ASSERT_EQ(rows.size(), set->size());
        std::size_t firstEmpty = rows.size();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const bool empty = !set->Row(static_cast<std::size_t>(rows[i])).subcycleDays();
            if (empty && firstEmpty == rows.size())
                firstEmpty = i;
            EXPECT_EQ(empty, i >= firstEmpty) << i;
        }
        EXPECT_LT(firstEmpty, rows.size());
    }
}

struct FilterCase {
    const char* name;
    CandidateFilter filter;
    bool (*passes)(const CandidateSet& set, std::size_t row);
};

const FilterCase kFilters[] = {
    {"GridSpacingAtMost300Km", {300.0, std::nullopt, false},
     [](const CandidateSet& set, std::size_t row) { return set.Row(row).gridSpacingKm() <= 300; }},
    {"SubcycleAtMost2DaysCountingAOneDayCycle", {std::nullopt, 2, false},
     [](const CandidateSet& set, std::size_t row) { return set.Row(row).subcycleDays().value_or(set.Row(row).Q) <= 2; }},
    {"EquatorWithoutGaps", {std::nullopt, std::nullopt, true},
     [](const CandidateSet& set, std::size_t row) { return set.sidelapPercent[row] >= 0; }},
    {"AllThreeAtOnce", {400.0, 3, true},
     [](const CandidateSet& set, std::size_t row) {
         const orbit::analysis::SearchRow& r = set.Row(row);
         return r.gridSpacingKm() <= 400 && r.subcycleDays().value_or(r.Q) <= 3 && set.sidelapPercent[row] >= 0;
     }},
};

class CandidateFilterTest : public CandidateOrder, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(CandidateFilterTest, ShowsExactlyTheRowsThatPassInTheRequestedOrder)
{
    const FilterCase& c = GetParam();
    std::vector<std::size_t> expected;
    for (std::size_t row = 0; row < set_->size(); ++row)
        if (c.passes(*set_, row))
            expected.push_back(row);
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), set_->size()) << "the filter must leave something out";
    EXPECT_EQ(Shown({std::nullopt, false, c.filter}), expected);

    std::vector<std::size_t> byAltitude = Shown({ExplorerColumn::MeanAltitudeKm, false, c.filter});
    std::reverse(byAltitude.begin(), byAltitude.end());
    EXPECT_EQ(byAltitude, expected) << "the search lists the highest first";
}

INSTANTIATE_TEST_SUITE_P(Filters, CandidateFilterTest, ::testing::ValuesIn(kFilters),
                         [](const ::testing::TestParamInfo<FilterCase>& c) { return std::string(c.param.name); });

TEST(CandidateFilterWithoutSwath, IgnoresTheEquatorFilter)
{
    const auto set = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 600, 800, 1, 5}));
    EXPECT_EQ(ComputeOrder(*set, {}, {std::nullopt, false, {std::nullopt, std::nullopt, true}}).shown.size(),
              set->size());
}

// The hemispheres' bands as `repeat-orbit coverage` gives them: named once
// when alike, each its own where the Sun lights them differently, and left
// unsaid when both reach the equator.
TEST(WorstRevisitCell, NamesEachHemispheresBandWhereEitherStopsShortOfTheEquator)
{
    const auto set = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 770, 790, 1, 10}, 290));
    ASSERT_GE(set->size(), 1u);
    using orbit::analysis::LatitudeBand;
    struct Case {
        const char* name;
        RevisitFigure figure;
        std::string text;
    } const cases[] = {
        {"alike, away from the equator", Days(3, 68, 82), "3.00 at 68\u201382\u00b0 only"},
        {"alike, from the equator", Days(3), "3.00"},
        {"both from the equator, tops apart", {State::Days, 10, LatitudeBand{0, 80}, LatitudeBand{0, 70}}, "10.00"},
        {"south short of the equator",
         {State::Days, 10, LatitudeBand{0, 80}, LatitudeBand{75, 78}},
         "10.00 at 0\u201380\u00b0 N, 75\u201378\u00b0 S only"},
        {"north alone", {State::Days, 10, LatitudeBand{81, 81}, std::nullopt}, "10.00 at 81\u201381\u00b0 N only"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellText(*set, c.figure, 0, ExplorerColumn::WorstRevisitDays), c.text) << c.name;
}

TEST(CopiedRows, AreTabSeparatedUnderAHeaderAsTheTableShowsThem)
{
    const auto set = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 770, 790, 1, 10}, 290));
    ASSERT_GE(set->size(), 2u);
    // N 14, M 1, Q 3 (774.98 km) and N 14, M 3, Q 10 (786.12 km), the highest first.
    std::vector<RevisitFigure> revisits(set->size());
    revisits[0] = Days(9.5263);
    const std::string text = CopiedRowsText(*set, revisits, {1, 0}, ColumnsFor(true));
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "N\tM\tQ\trevs\tsemi_major_axis_km\tmean_altitude_km\tinclination_deg\tnodal_period_min\t"
              "grid_spacing_km\tsubcycle_days\tequatorial_sidelap_percent\tmax_revisit_days");
    EXPECT_EQ(lines[1], "14\t1\t3\t43\t7153.13\t774.98\t98.497\t100.465\t931.98\t1\t" +
                            CellText(*set, {}, 1, ExplorerColumn::SidelapPercent) + "\tpending");
    EXPECT_EQ(lines[2], "14\t3\t10\t143\t7164.26\t786.12\t98.544\t100.699\t280.25\t3\t5.64\t9.53");
}

TEST(SavedCsv, AddsTheSwathColumnsWithEmptyCellsForFiguresNotWorkedOut)
{
    const auto set = FindCandidates(RequestOf({"", OrbitType::SunSynchronous, 0, 0, 770, 790, 1, 10}, 290));
    ASSERT_GE(set->size(), 2u);
    std::vector<RevisitFigure> revisits(set->size());
    revisits[1] = {State::NoFullCoverage, 0};
    revisits[0] = Days(9.5263);
    const std::vector<std::string> lines = Lines(CsvText(*set, revisits, {0, 1}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with(",subcycle_days,equatorial_sidelap_percent,max_revisit_days")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("14,3,10,143,7164.26214931424")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with(",3," + orbit::ShortestNumberText(set->sidelapPercent[0]) + ",9.5263"))
        << lines[1];
    EXPECT_TRUE(lines[2].ends_with(",1," + orbit::ShortestNumberText(set->sidelapPercent[1]) + ","))
        << lines[2];
}

}  // namespace
}  // namespace explorer
