// The writers of `repeat-orbit search` against their output written the
// plain way: every cell formatted on its own (the figures by printf's digits,
// tests/support/printf_pattern.h), the table's widths taken over every cell,
// the lines joined by hand. The writers find the widths from each column's
// extreme values and write into one buffer; the bytes must not change.

#include "analysis/repeat_search.h"
#include "analysis/search_columns.h"
#include "cli/search_output.h"
#include "core/orbit_error.h"
#include "tests/support/printf_pattern.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace orbit::cli {
namespace {

using analysis::kSearchColumns;
using analysis::SearchColumn;

// The row's cells: as the table shows them, or at full precision for CSV.
std::vector<std::string> ReferenceCells(const SearchRow& row, bool table)
{
    const auto shortest = [](double value) {
        char buffer[32];
        return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
    };
    const double figures[] = {row.semiMajorAxisKm, row.meanAltitudeKm,  row.inclinationDeg,   row.nodalPeriodMin,
                              row.meanMotionRevPerDay, row.orbitSpacingDeg, row.gridSpacingDeg(), row.gridSpacingKm()};
    std::vector<std::string> cells{std::to_string(row.N), std::to_string(row.M), std::to_string(row.Q),
                                   std::to_string(static_cast<long long>(row.N) * row.Q + row.M)};
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        const char* pattern = kSearchColumns[cells.size()].pattern;
        cells.push_back(table ? test_support::ReferenceText(figures[i], pattern) : shortest(figures[i]));
    }
    const auto subcycle = row.subcycleDays();
    cells.push_back(subcycle ? std::to_string(*subcycle) : "");
    return cells;
}

std::vector<std::string> Keys()
{
    std::vector<std::string> keys;
    for (const auto& info : kSearchColumns)
        keys.emplace_back(info.key);
    return keys;
}

std::string ReferenceTable(const SearchRows& rows)
{
    std::vector<std::vector<std::string>> lines{Keys()};
    for (const SearchRow& row : rows)
        lines.push_back(ReferenceCells(row, true));
    std::vector<std::size_t> widths(kSearchColumns.size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i)
            widths[i] = std::max(widths[i], line[i].size());
    std::string text;
    for (const auto& line : lines) {
        std::string joined;
        for (std::size_t i = 0; i < line.size(); ++i)
            joined += (i > 0 ? "  " : "") + std::string(widths[i] - line[i].size(), ' ') + line[i];
        joined.erase(joined.find_last_not_of(' ') + 1);
        text += joined + "\n";
    }
    return text;
}

std::string ReferenceCsv(const SearchRows& rows)
{
    std::vector<std::vector<std::string>> lines{Keys()};
    for (const SearchRow& row : rows)
        lines.push_back(ReferenceCells(row, false));
    std::string text;
    for (const auto& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i)
            text += (i > 0 ? "," : "") + line[i];
        text += "\n";
    }
    return text;
}

std::string ReferenceJson(const SearchRows& rows)
{
    if (rows.empty())
        return "[]\n";
    std::string text = "[\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SearchRow& r = rows[i];
        nlohmann::ordered_json o;
        o["N"] = r.N;
        o["M"] = r.M;
        o["Q"] = r.Q;
        o["revs"] = r.revs();
        o["semi_major_axis_km"] = r.semiMajorAxisKm;
        o["mean_altitude_km"] = r.meanAltitudeKm;
        o["inclination_deg"] = r.inclinationDeg;
        o["nodal_period_min"] = r.nodalPeriodMin;
        o["mean_motion_rev_per_day"] = r.meanMotionRevPerDay;
        o["orbit_spacing_deg"] = r.orbitSpacingDeg;
        o["grid_spacing_deg"] = r.gridSpacingDeg();
        o["grid_spacing_km"] = r.gridSpacingKm();
        const auto subcycle = r.subcycleDays();
        o["subcycle_days"] = subcycle ? nlohmann::ordered_json(*subcycle) : nlohmann::ordered_json(nullptr);
        text += "  " + o.dump() + (i + 1 < rows.size() ? ",\n" : "\n");
    }
    return text + "]\n";
}

// Figures that are hard to write: halves of the last place shown (just
// below or exactly on them in binary), negative zero, negatives that round
// to zero and so carry no sign, the carry of 9.995 into a new digit, and
// numbers far larger and smaller than any orbit's.
const double kAwkward[] = {2.675,   -2.675, 0.125,  99.995, 9.995,  7153.125, 0.0005, -0.0005, 0.0,
                           -0.0,    -0.004, -0.001, 0.004,  1e-300, -1e-300,  1e20,   -1e15,   1e300,
                           123456.785, 0.00000005, 14.99999995, 4.94e-324, 999999999999999.5};

SearchRow RowWith(std::int32_t n, std::int16_t m, std::int16_t q, const std::vector<double>& figures)
{
    SearchRow row;
    row.N = n;
    row.M = m;
    row.Q = q;
    row.semiMajorAxisKm = figures[0];
    row.meanAltitudeKm = figures[1];
    row.inclinationDeg = figures[2];
    row.nodalPeriodMin = figures[3];
    row.meanMotionRevPerDay = figures[4];
    row.orbitSpacingDeg = figures[5];
    return row;
}

// Random rows whose figures are drawn from the awkward values or from an
// orbit's range; N, M and Q anything a search can hold, with and without a
// sub-cycle.
SearchRows AwkwardRows()
{
    std::mt19937 random(14310);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kAwkward) - 1);
    std::uniform_real_distribution<double> plain(-2000, 9000);
    std::uniform_int_distribution<int> q(1, 1000), n(1, 40), which(0, 2);
    SearchRows rows;
    for (int i = 0; i < 4000; ++i) {
        std::vector<double> figures;
        for (int f = 0; f < 6; ++f)
            figures.push_back(which(random) == 0 ? plain(random) : kAwkward[pick(random)]);
        const auto days = static_cast<std::int16_t>(q(random));
        const auto extra = static_cast<std::int16_t>(std::uniform_int_distribution<int>(0, days - 1)(random));
        rows.push_back(RowWith(i % 97 == 0 ? std::numeric_limits<std::int32_t>::max() / 1000 : n(random), extra, days,
                               figures));
    }
    return rows;
}

SearchRows SearchedRows()
{
    analysis::SearchRequest request;
    request.type = OrbitType::ChooseInclination;
    request.inclDegrees = 65;
    request.altMinKm = 200;
    request.altMaxKm = 2000;
    request.maxDays = 60;
    return analysis::SearchRepeatOrbits(request).rows;
}

// Negative figures and counts wider than their column's key: the minus
// sign makes the least value the widest cell.
SearchRows NegativeRows()
{
    SearchRows rows;
    const std::int32_t n[] = {3, -120, 14, 1, 7};
    const std::int16_t m[] = {-13, 2, 0, -1, 1};
    const std::int16_t q[] = {17, 5, 1, 2, 3};
    const double figures[] = {-0.004, -1.5, -12345678901234567.675, -99.995, 9999999999999.995};
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        const double v = figures[i];
        rows.push_back(RowWith(n[i], m[i], q[i], {v, v, v, v, v, v}));
    }
    return rows;
}

// Negatives that all round to zero, beside small positives: no minus sign
// may widen a column.
SearchRows RoundedToZeroRows()
{
    SearchRows rows;
    for (const double v : {-0.004, -0.00000004, -0.0, 0.001, 0.0})
        rows.push_back(RowWith(1, 0, 1, {v, v, v, v, v, v}));
    return rows;
}

SearchRows OneRow() { return {RowWith(14, 3, 10, {7164.26214931424, 786.12, 98.544, 100.699, 14.3, 2.5})}; }

SearchRows NoRows() { return {}; }

struct RowSet {
    const char* name;
    SearchRows (*rows)();
};

const RowSet kRowSets[] = {{"AwkwardFigures", AwkwardRows},     {"SearchUpTo60Days", SearchedRows},
                           {"AllNegative", NegativeRows},       {"NegativesRoundingToZero", RoundedToZeroRows},
                           {"OneRow", OneRow},                   {"NoRows", NoRows}};

void PrintTo(const RowSet& set, std::ostream* os) { *os << set.name; }

class SearchWriters : public ::testing::TestWithParam<RowSet> {};

TEST_P(SearchWriters, TableIsWrittenAsCellByCell)
{
    const SearchRows rows = GetParam().rows();
    std::ostringstream out;
    WriteSearchTable(rows, out);
    EXPECT_EQ(out.str(), ReferenceTable(rows));
}

TEST_P(SearchWriters, CsvIsWrittenAsCellByCell)
{
    const SearchRows rows = GetParam().rows();
    std::ostringstream out;
    WriteSearchCsv(rows, out);
    EXPECT_EQ(out.str(), ReferenceCsv(rows));
}

TEST_P(SearchWriters, JsonIsWrittenAsFieldByField)
{
    const SearchRows rows = GetParam().rows();
    std::ostringstream out;
    WriteSearchJson(rows, out);
    EXPECT_EQ(out.str(), ReferenceJson(rows));
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchWriters, ::testing::ValuesIn(kRowSets),
                         [](const ::testing::TestParamInfo<RowSet>& set) { return std::string(set.param.name); });

// A figure that is not a number has no text: the table says so before it
// writes a line, rather than leave half a table behind.
TEST(SearchTable, ANonFiniteFigureStopsItBeforeAnyLine)
{
    for (const double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SearchRows rows = OneRow();
        rows.push_back(RowWith(14, 1, 3, {7000, 700, bad, 100, 14, 2}));
        std::ostringstream out;
        EXPECT_THROW(WriteSearchTable(rows, out), OrbitError);
        EXPECT_EQ(out.str(), "");
    }
}

}  // namespace
}  // namespace orbit::cli
