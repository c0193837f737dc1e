// `repeat-orbit coverage`: the summary and table, CSV and JSON carrying the
// library's figures exactly, and what bad input gets.

#include "cli/coverage_command.h"
#include "cli/design_command.h"

#include "analysis/swath_coverage.h"
#include "tests/cli/in_process_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::CommandRun;
using Args = std::vector<std::string>;

const Args kQuestion = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--swath", "290"};

CommandRun RunCoverage(Args args, const Args& more = {})
{
    args.insert(args.end(), more.begin(), more.end());
    return orbit::cli::testing::RunInProcess(orbit::cli::AddCoverageCommand, "coverage", std::move(args));
}

orbit::analysis::CoverageTable LibraryTable(orbit::analysis::PassDirection direction = orbit::analysis::PassDirection::Both)
{
    orbit::DesignRecord design;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, 3, 10, orbit::OrbitType::SunSynchronous), {}, design);
    return orbit::analysis::CoverageByLatitude(design, {290, 1, direction, 1});
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> cells(1);
    for (const char c : line) {
        if (c == ',')
            cells.emplace_back();
        else
            cells.back().push_back(c);
    }
    return cells;
}

std::string Shortest(double value)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

TEST(CoverageCommand, SummaryAnswersTheQuestionAboveAFoldedTable)
{
    const CommandRun run = RunCoverage(kQuestion);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream in(run.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 6u + 1 + 91);  // summary, header, 0 and each of 1..90 north and south
    EXPECT_EQ(lines[0], "Design         N 14, M 3, Q 10, sun-synchronous, 786.12 km, 98.544 deg: 143 revolutions in 10.00 days");
    EXPECT_EQ(lines[1], "Swath          290 km, 1 satellite, ascending and descending passes");
    EXPECT_EQ(lines[2].rfind("Sidelap        5.64 % at the equator", 0), 0u);
    EXPECT_EQ(lines[3], "Full coverage  every place from the equator to 82 deg, north and south");
    EXPECT_EQ(lines[4].rfind("Longest wait   ", 0), 0u);
    EXPECT_EQ(lines[6], "latitude  passes  covered %  max revisit (days)  mean revisit (days)");
    EXPECT_EQ(lines[7], "       0     286     100.00                8.50                 4.80");
    EXPECT_EQ(lines.back(), "     ±90       0       0.00                   -                    -");
}

TEST(CoverageCommand, CsvCarriesTheLibrarysFiguresAtFullPrecision)
{
    const CommandRun run = RunCoverage(kQuestion, {"--csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream in(run.out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "latitude_deg,passes,covered_fraction,max_revisit_days,mean_revisit_days");
    const orbit::analysis::CoverageTable table = LibraryTable();
    for (const orbit::analysis::LatitudeCoverage& row : table.rows) {
        ASSERT_TRUE(std::getline(in, line));
        const std::vector<std::string> expected = {
            Shortest(row.latitudeDeg), std::to_string(row.passes), Shortest(row.coveredFraction),
            row.maxRevisitDays ? Shortest(*row.maxRevisitDays) : "", row.meanRevisitDays ? Shortest(*row.meanRevisitDays) : ""};
        EXPECT_EQ(Split(line), expected);
    }
    EXPECT_FALSE(std::getline(in, line));
}

TEST(CoverageCommand, JsonHoldsTheDesignAsDesignWritesItAndEveryRow)
{
    const CommandRun run = RunCoverage(kQuestion, {"--json", "--passes", "descending"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"design", "swath_km", "satellites", "passes_direction", "summary", "rows"}));

    const CommandRun design = orbit::cli::testing::RunInProcess(
        orbit::cli::AddDesignCommand, "design", {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--json"});
    EXPECT_EQ(json["design"], nlohmann::ordered_json::parse(design.out));
    EXPECT_EQ(json["swath_km"], 290.0);
    EXPECT_EQ(json["satellites"], 1);
    EXPECT_EQ(json["passes_direction"], "descending");

    const orbit::analysis::CoverageTable table = LibraryTable(orbit::analysis::PassDirection::Descending);
    EXPECT_EQ(json["summary"]["sidelap_percent"], table.summary.sidelapPercent);
    EXPECT_EQ(json["summary"]["full_coverage_from_lat_deg"], table.summary.fullCoverageFromLatDeg.value());
    EXPECT_EQ(json["summary"]["max_revisit_days"], table.summary.maxRevisitDays.value());
    ASSERT_EQ(json["rows"].size(), table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const nlohmann::ordered_json& row = json["rows"][i];
        EXPECT_EQ(row["latitude_deg"], table.rows[i].latitudeDeg);
        EXPECT_EQ(row["covered_fraction"], table.rows[i].coveredFraction);
        if (table.rows[i].maxRevisitDays)
            EXPECT_EQ(row["max_revisit_days"], *table.rows[i].maxRevisitDays);
        else
            EXPECT_TRUE(row["max_revisit_days"].is_null() && row["mean_revisit_days"].is_null());
    }
}

// The ranges themselves are the library's to check; here, that the words
// reach it and a refusal is a usage error.
TEST(CoverageCommand, BadInputExitsTwoAndAFailedDesignOne)
{
    const Args design = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync"};
    struct Case {
        Args extra;
        std::string error;
    } const cases[] = {
        {{"--swath", "wide"}, "--swath: 'wide' is not a number (Type mismatch)"},
        {{"--swath", "100", "--satellites", "2.5"}, "--satellites: '2.5' is not a whole number of satellites"},
        {{"--swath", "100", "--satellites", "1e9"}, "--satellites: from 1 to 100 satellites"},
        {{"--swath", "100", "--passes", "up"}, "--passes: 'up' is not one of both, ascending, descending"},
        {{"--swath", "100", "--csv", "--json"}, "--csv excludes --json"},
        {{"--swath", "100", "--png", "a.png", "--svg", "a.svg"}, "--png excludes --svg"},
        {{"--swath", "100", "--png", ""}, "--png: the file name is empty"},
        {{"--swath", "100", "--svg", "-"}, "--svg: the chart needs a file: standard output carries the table"},
    };
    for (const Case& c : cases) {
        const CommandRun run = RunCoverage(design, c.extra);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(c.extra);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    CommandRun run = RunCoverage({"--n", "14", "--m", "3", "--q", "0", "--sun-sync", "--swath", "100"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Division by zero\n");
    run = RunCoverage({"--n", "14.5", "--m", "3", "--q", "10", "--sun-sync", "--swath", "100"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The coverage needs a repeat cycle: whole numbers N, M and Q, with Q at least 1\n");
}

}  // namespace
