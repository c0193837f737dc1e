// `repeat-orbit search` through the real executable: the table, CSV and JSON,
// agreement with `repeat-orbit design`, closing remarks and usage errors.

#include "core/repbas.h"
#include "tests/apps/cli/process_runner.h"
#include "tests/support/words.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace orbit::cli {
namespace {

using testing::Lines;
using testing::ProcessResult;
using testing::RunRepeatOrbit;
using Args = std::vector<std::string>;

const Args kExample = {"search", "--sun-sync", "--alt-min", "600", "--alt-max", "800", "--q-max", "10"};

Args With(Args args, const std::vector<std::string>& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::string> Split(const std::string& line, char separator)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, separator))
        cells.push_back(cell);
    if (!line.empty() && line.back() == separator)
        cells.emplace_back();
    return cells;
}

const std::vector<std::string> kColumns = {
    "N", "M", "Q", "revs", "semi_major_axis_km", "mean_altitude_km", "inclination_deg", "nodal_period_min",
    "mean_motion_rev_per_day", "orbit_spacing_deg", "grid_spacing_deg", "grid_spacing_km", "subcycle_days"};

TEST(SearchCommand, JsonRowsAgreeWithSingleDesigns)
{
    const ProcessResult r = RunRepeatOrbit(With(kExample, {"--json"}));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const nlohmann::json rows = nlohmann::json::parse(r.out);
    ASSERT_TRUE(rows.is_array());
    ASSERT_GE(rows.size(), 10u);
    for (const nlohmann::json& row : rows) {
        const std::string n = std::to_string(row["N"].get<int>());
        const std::string m = std::to_string(row["M"].get<int>());
        const std::string q = std::to_string(row["Q"].get<int>());
        const nlohmann::json design =
            nlohmann::json::parse(RunRepeatOrbit({"design", "--json", "--sun-sync", "--n", n, "--m", m, "--q", q}).out);
        const nlohmann::json& v = design["values"];
        EXPECT_EQ(row["revs"], v["rev_count"]) << n << " " << m << " " << q;
        EXPECT_EQ(row["semi_major_axis_km"], v["semi_major_axis_km"]);
        EXPECT_EQ(row["mean_altitude_km"], v["mean_altitude_km"]);
        EXPECT_EQ(row["inclination_deg"], v["inclination_deg"]);
        EXPECT_EQ(row["nodal_period_min"], v["nodal_period_min"]);
        EXPECT_EQ(row["mean_motion_rev_per_day"], v["mean_motion_rev_per_day"]);
        EXPECT_EQ(row["orbit_spacing_deg"], v["node_spacing_deg"]);
        EXPECT_EQ(row["grid_spacing_deg"], design["coverage"]["grid_spacing_deg"]);
        EXPECT_EQ(row["grid_spacing_km"], design["coverage"]["grid_spacing_km"]);
        EXPECT_EQ(row["subcycle_days"], design["coverage"]["subcycle_days"]);
        EXPECT_GE(row["mean_altitude_km"].get<double>(), 600);
        EXPECT_LE(row["mean_altitude_km"].get<double>(), 800);
    }
}

TEST(SearchCommand, CsvMatchesJson)
{
    const ProcessResult csv = RunRepeatOrbit(With(kExample, {"--csv"}));
    const ProcessResult json = RunRepeatOrbit(With(kExample, {"--json"}));
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::vector<std::string> lines = Lines(csv.out);
    const nlohmann::json rows = nlohmann::json::parse(json.out);
    ASSERT_EQ(lines.size(), rows.size() + 1);
    EXPECT_EQ(Split(lines[0], ','), kColumns);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string> cells = Split(lines[i + 1], ',');
        ASSERT_EQ(cells.size(), kColumns.size()) << lines[i + 1];
        for (std::size_t c = 0; c < kColumns.size(); ++c) {
            const nlohmann::json& expected = rows[i][kColumns[c]];
            if (expected.is_null())
                EXPECT_EQ(cells[c], "") << kColumns[c];
            else
                EXPECT_EQ(nlohmann::json::parse(cells[c]), expected) << kColumns[c] << " " << cells[c];
        }
    }
}

// Where the c-th word of a line ends.
std::size_t ColumnEnd(const std::string& line, std::size_t c)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i <= c; ++i) {
        const std::size_t start = line.find_first_not_of(' ', end);
        end = line.find(' ', start);
        if (end == std::string::npos)
            end = line.size();
    }
    return end;
}

TEST(SearchCommand, TableIsReadableAndSortedHighestFirst)
{
    const ProcessResult r = RunRepeatOrbit(kExample);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_GE(lines.size(), 11u);
    EXPECT_EQ(Words(lines[0]), kColumns);
    double previous = 1e9;
    bool sawWorkedDesign = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> words = Words(lines[i]);
        ASSERT_GE(words.size(), kColumns.size() - 1) << lines[i];
        // Every value ends where its column name ends.
        for (std::size_t c = 0; c < words.size(); ++c) {
            const std::size_t end = ColumnEnd(lines[0], c);
            ASSERT_LE(end, lines[i].size()) << lines[i];
            EXPECT_NE(lines[i][end - 1], ' ') << lines[i] << " column " << kColumns[c];
            if (end < lines[i].size()) {
                EXPECT_EQ(lines[i][end], ' ') << lines[i] << " column " << kColumns[c];
            }
        }
        const double altitude = std::stod(words[5]);
        EXPECT_LE(altitude, previous);
        previous = altitude;
        if (words[0] == "14" && words[1] == "1" && words[2] == "3") {
            // The design window's worked numbers for 14 + 1/3, sun-synchronous.
            EXPECT_EQ(words[3], "43");
            EXPECT_EQ(words[4], "7153.13");
            EXPECT_EQ(words[5], "774.98");
            EXPECT_EQ(words[6], "98.497");
            EXPECT_EQ(words[7], "100.465");
            EXPECT_EQ(words[8], "14.3415870");
            sawWorkedDesign = true;
        }
    }
    EXPECT_TRUE(sawWorkedDesign);
}

TEST(SearchCommand, FailedDesignsAreCountedOnStderr)
{
    const ProcessResult r =
        RunRepeatOrbit({"search", "--incl", "144", "--alt-min", "5000", "--alt-max", "15000", "--q-max", "22", "--csv"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_GT(Lines(r.out).size(), 1u);
    EXPECT_NE(r.err.find("could not be solved"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(RepBas::NoConvergenceText()), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("\n4,7,22,"), std::string::npos);
}

TEST(SearchCommand, EmptyBandSaysSo)
{
    const ProcessResult r =
        RunRepeatOrbit({"search", "--sun-sync", "--alt-min", "700", "--alt-max", "700.001", "--q-max", "2", "--json"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(r.out), nlohmann::json::array());
    EXPECT_NE(r.err.find("No repeat orbit"), std::string::npos) << r.err;
}

TEST(SearchCommand, UsageErrorsNameTheArgument)
{
    struct Case {
        Args args;
        std::string mentions;
    };
    const Args band = {"--alt-min", "600", "--alt-max", "800"};
    const Case cases[] = {
        {{"search", "--sun-sync", "--alt-min", "800", "--alt-max", "600", "--q-max", "10"}, "--alt-min"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "0"}), "--q-max"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "-3"}), "--q-max"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "ten"}), "--q-max"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "2.5"}), "--q-max"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "1e12"}), "--q-max"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "5", "--q-min", "6"}), "--q-min"},
        {{"search", "--sun-sync", "--alt-min", "abc", "--alt-max", "800", "--q-max", "10"}, "--alt-min"},
        {{"search", "--sun-sync", "--alt-min", "600", "--alt-max", "", "--q-max", "10"}, "--alt-max"},
        {{"search", "--sun-sync", "--alt-min", "-100", "--alt-max", "800", "--q-max", "10"}, "--alt-min"},
        {With(With({"search", "--incl", "x"}, band), {"--q-max", "5"}), "--incl"},
        {With(With({"search", "--incl", "65", "--tenths", "?"}, band), {"--q-max", "5"}), "--tenths"},
        {With(With({"search"}, band), {"--q-max", "5"}), "--sun-sync or --incl"},
        {With(With({"search", "--sun-sync"}, band), {"--q-max", "5", "--csv", "--json"}), "excludes"},
        {{"search", "--sun-sync", "--alt-min", "600", "--q-max", "10"}, "--alt-max"},
        {With(kExample, {"--limit", "0"}), "--limit"},
        {With(kExample, {"--limit", "2.5"}), "--limit"},
        {With(kExample, {"--limit", "many"}), "--limit"},
        {With(kExample, {"--limit", ""}), "--limit"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = RunRepeatOrbit(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.mentions << ": " << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

TEST(SearchCommand, LimitListsTheHighestRowsAndSaysSo)
{
    const ProcessResult all = RunRepeatOrbit(kExample);
    const ProcessResult top = RunRepeatOrbit(With(kExample, {"--limit", "3"}));
    ASSERT_EQ(top.exitCode, 0) << top.err;
    const std::vector<std::string> allLines = Lines(all.out), topLines = Lines(top.out);
    ASSERT_EQ(topLines.size(), 4u);
    for (std::size_t i = 0; i < topLines.size(); ++i)
        EXPECT_EQ(Words(topLines[i]), Words(allLines[i])) << i;
    EXPECT_EQ(top.err, "The 3 highest of 20 repeat orbits in the band are listed.\n");
}

// "--incl=-65" is read as the option's value, not as an option of its own,
// and refused as an inclination.
TEST(SearchCommand, NegativeInclinationIsAValueAndRefused)
{
    const ProcessResult r =
        RunRepeatOrbit({"search", "--incl=-65", "--alt-min", "600", "--alt-max", "800", "--q-max", "3", "--csv"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--incl: '-65' is not an inclination from 0 to 180 degrees"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace orbit::cli
