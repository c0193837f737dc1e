// `repeat-orbit coverage`: the summary and table, CSV and JSON carrying the
// library's figures exactly, and what bad input gets.

#include "cli/coverage_command.h"
#include "cli/coverage_output.h"
#include "cli/design_command.h"
#include "cli/design_run.h"

#include "analysis/swath_coverage.h"
#include "ephemeris/orbit_node.h"
#include "sun/sub_solar_sampling.h"
#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
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
    EXPECT_EQ(json["summary"]["full_coverage_north_from_lat_deg"], table.summary.fullCoverageNorth.value().fromLatDeg);
    EXPECT_EQ(json["summary"]["full_coverage_north_to_lat_deg"], table.summary.fullCoverageNorth.value().toLatDeg);
    EXPECT_EQ(json["summary"]["full_coverage_south_from_lat_deg"], table.summary.fullCoverageSouth.value().fromLatDeg);
    EXPECT_EQ(json["summary"]["full_coverage_south_to_lat_deg"], table.summary.fullCoverageSouth.value().toLatDeg);
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

const Args kDaylight = {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "10"};

// The question of the daylight coverage, answered from the library with the
// node and the Sun the command should have used.
orbit::analysis::CoverageTable LitLibraryTable(int cycles)
{
    orbit::DesignRecord design;
    orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, 3, 10, orbit::OrbitType::SunSynchronous), {}, design);
    const orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const orbit::ephemeris::OrbitNode node = orbit::ephemeris::ResolveNode(
        epoch, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, design.Incl, design.NodeRate);
    const orbit::SubSolarTrack sun = orbit::sun::SubSolarTrackOver(epoch, cycles * 10.0 * 86400);
    return orbit::analysis::CoverageByLatitude(design, {290, 1, orbit::analysis::PassDirection::Both, 1},
                                               {10, node.longitudeRad, cycles}, sun);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(CoverageCommand, DaylightRevisitByLatitudeSaysItsConditionUnfolded)
{
    const CommandRun run = RunCoverage(kQuestion, kDaylight);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 8u + 1 + 181);  // the hemispheres differ: every latitude has its line
    EXPECT_EQ(lines[2], "Epoch          2027-03-21T00:00:00.000Z, ascending node at 22:30:00, descending node at "
                        "10:30:00 mean local time");
    EXPECT_EQ(lines[3], "Daylight       the Sun at least 10 deg above the place seen, 1 cycle from "
                        "2027-03-21T00:00:00.000Z");
    EXPECT_EQ(lines[8], "latitude  passes  covered %  max revisit (days)  mean revisit (days)");
    // The equator sees its descending passes only, in the morning light.
    const orbit::analysis::CoverageTable table = LitLibraryTable(1);
    EXPECT_EQ(table.rows[90].passes, 143);
    EXPECT_EQ(lines[9 + 90].substr(0, 16), "       0     143");
    EXPECT_EQ(lines[9].substr(0, 16), "     -90       0");
    // The hemispheres differ, so each has its band of full coverage: in the
    // north to 80 degrees (81 falls short), in the south to 70 (71 does).
    EXPECT_EQ(lines[5], "Full coverage  north: every place from the equator to 80 deg; south: every place from the "
                        "equator to 70 deg");
    EXPECT_EQ(table.rows[90 + 80].coveredFraction, 1);
    EXPECT_LT(table.rows[90 + 81].coveredFraction, 1);
    EXPECT_EQ(table.rows[90 - 70].coveredFraction, 1);
    EXPECT_LT(table.rows[90 - 71].coveredFraction, 1);
}

// One hemisphere's band of full coverage read off the rows the command
// prints: from the highest fully covered latitude down while they stay
// fully covered. Null ends where the hemisphere has none.
std::pair<nlohmann::ordered_json, nlohmann::ordered_json> BandOfRows(const nlohmann::ordered_json& rows, bool north)
{
    std::vector<const nlohmann::ordered_json*> side;
    for (const nlohmann::ordered_json& row : rows)
        if (north ? row["latitude_deg"].get<double>() >= 0 : row["latitude_deg"].get<double>() <= 0)
            side.push_back(&row);
    if (north)
        std::reverse(side.begin(), side.end());  // the rows run south to north: pole first
    auto it = std::find_if(side.begin(), side.end(),
                           [](const nlohmann::ordered_json* row) { return (*row)["covered_fraction"].get<double>() == 1; });
    if (it == side.end())
        return {nullptr, nullptr};
    const double to = std::fabs((**it)["latitude_deg"].get<double>());
    double from = to;
    for (; it != side.end() && (**it)["covered_fraction"].get<double>() == 1; ++it)
        from = std::fabs((**it)["latitude_deg"].get<double>());
    return {from, to};
}

// The Sun lights the hemispheres differently: the JSON gives each its band
// as the text does, and both as the printed rows show them.
TEST(CoverageCommand, DaylightJsonGivesEachHemisphereTheBandOfItsRows)
{
    struct Case {
        const char* name;
        Args more;
        std::string textLine;
    } const cases[] = {
        {"one satellite", {}, "Full coverage  north: every place from the equator to 80 deg; south: every place from "
                              "the equator to 70 deg"},
        {"two satellites descending", {"--satellites", "2", "--passes", "descending"}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Args args = kDaylight;
        args.insert(args.end(), c.more.begin(), c.more.end());
        const CommandRun text = RunCoverage(kQuestion, args);
        args.push_back("--json");
        const CommandRun run = RunCoverage(kQuestion, args);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
        const nlohmann::ordered_json& summary = json["summary"];
        const auto north = BandOfRows(json["rows"], true), south = BandOfRows(json["rows"], false);
        EXPECT_EQ(summary["full_coverage_north_from_lat_deg"], north.first);
        EXPECT_EQ(summary["full_coverage_north_to_lat_deg"], north.second);
        EXPECT_EQ(summary["full_coverage_south_from_lat_deg"], south.first);
        EXPECT_EQ(summary["full_coverage_south_to_lat_deg"], south.second);
        EXPECT_NE(north, south) << "the case must tell the hemispheres apart";
        if (!c.textLine.empty()) {
            EXPECT_EQ(Lines(text.out)[5], c.textLine);
        }
        // The text names the same bands.
        const auto words = [](const std::pair<nlohmann::ordered_json, nlohmann::ordered_json>& band) {
            if (band.first.is_null())
                return std::string("none");
            const auto deg = [](const nlohmann::ordered_json& v) { return Shortest(v.get<double>()); };
            return band.first.get<double>() == 0 ? "every place from the equator to " + deg(band.second) + " deg"
                                                 : "from " + deg(band.first) + " to " + deg(band.second) + " deg";
        };
        EXPECT_EQ(Lines(text.out)[5], "Full coverage  north: " + words(north) + "; south: " + words(south));
    }
}

TEST(CoverageCommand, DaylightJsonAndCsvCarryTheConditionAndTheLibrarysFigures)
{
    const CommandRun run = RunCoverage(kQuestion, {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min",
                                                   "10", "--cycles", "3", "--json", "--lat-step", "5"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"design", "swath_km", "satellites", "passes_direction", "sun_min_deg",
                                              "epoch", "ltan_mean_h", "cycles", "summary", "rows"}));
    EXPECT_EQ(json["sun_min_deg"], 10.0);
    EXPECT_EQ(json["epoch"], "2027-03-21T00:00:00.000Z");
    EXPECT_NEAR(json["ltan_mean_h"].get<double>(), 22.5, 1e-9);
    EXPECT_EQ(json["cycles"], 3);
    orbit::analysis::CoverageTable table = LitLibraryTable(3);
    ASSERT_EQ(json["rows"].size(), 37u);
    for (std::size_t i = 0; i < 37; ++i) {
        const orbit::analysis::LatitudeCoverage& row = table.rows[5 * i];
        SCOPED_TRACE(row.latitudeDeg);
        EXPECT_EQ(json["rows"][i]["latitude_deg"], row.latitudeDeg);
        EXPECT_EQ(json["rows"][i]["passes"], row.passes);
        EXPECT_EQ(json["rows"][i]["covered_fraction"], row.coveredFraction);
        if (row.maxRevisitDays)
            EXPECT_EQ(json["rows"][i]["max_revisit_days"], *row.maxRevisitDays);
        else
            EXPECT_TRUE(json["rows"][i]["max_revisit_days"].is_null());
    }

    const CommandRun csv = RunCoverage(kQuestion, {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min",
                                                   "12.5", "--csv", "--lat-step", "90"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "# daylight: the Sun at least 12.5 deg above the place seen, 1 cycle from "
                        "2027-03-21T00:00:00.000Z");
    EXPECT_EQ(lines[1], "latitude_deg,passes,covered_fraction,max_revisit_days,mean_revisit_days");
}

// The chart's title names the light test, and only the light test.
TEST(CoverageCommand, ChartTitleNamesTheDaylightCondition)
{
    const orbit::cli::DesignRun run =
        orbit::cli::RunDesign({"14", "3", "10", orbit::OrbitType::SunSynchronous, "0", "0"});
    ASSERT_TRUE(run.completed());
    const orbit::analysis::SwathRequest request{290, 1, orbit::analysis::PassDirection::Both, 1};
    const orbit::ephemeris::Instant epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const orbit::ephemeris::OrbitNode node = orbit::ephemeris::ResolveNode(
        epoch, {orbit::ephemeris::NodeGiven::Ltdn, 10.5}, run.record.Incl, run.record.NodeRate);
    const std::string plain = "Revisit by latitude: N 14, M 3, Q 10, sun-synchronous, 290 km swath";
    EXPECT_EQ(orbit::cli::CoverageChartTitle(run, request), plain);
    EXPECT_EQ(orbit::cli::CoverageChartTitle(run, request, orbit::cli::CoverageDaylight{epoch, node, std::nullopt, 1}),
              plain);
    EXPECT_EQ(orbit::cli::CoverageChartTitle(run, request, orbit::cli::CoverageDaylight{epoch, node, 12.5, 3}),
              plain + ", Sun at least 12.5° up");
}

// An epoch alone places the track without asking for light: the figures
// stay those of the table without it, and the JSON says no condition.
TEST(CoverageCommand, EpochWithoutSunMinKeepsEveryLook)
{
    const CommandRun plain = RunCoverage(kQuestion, {"--json"});
    const CommandRun placed = RunCoverage(kQuestion, {"--json", "--epoch", "2027-03-21T00:00Z", "--ltan", "06:00"});
    ASSERT_EQ(placed.status, 0) << placed.err;
    const nlohmann::ordered_json a = nlohmann::ordered_json::parse(plain.out);
    const nlohmann::ordered_json b = nlohmann::ordered_json::parse(placed.out);
    EXPECT_FALSE(a.contains("epoch"));
    EXPECT_TRUE(b["sun_min_deg"].is_null());
    EXPECT_EQ(b["cycles"], 1);
    EXPECT_EQ(a["rows"], b["rows"]);
    EXPECT_EQ(a["summary"], b["summary"]);
    const CommandRun csv = RunCoverage(kQuestion, {"--csv"});
    EXPECT_EQ(RunCoverage(kQuestion, {"--csv", "--epoch", "2027-03-21T00:00Z", "--ltan", "06:00"}).out, csv.out);
}

TEST(CoverageCommand, DaylightOptionsRefusedWithTheirNames)
{
    struct Case {
        Args extra;
        std::string error;
    } const cases[] = {
        {{"--sun-min", "10"}, "--sun-min needs --epoch and one of --ltan, --ltdn or --raan"},
        {{"--cycles", "2"}, "--cycles needs --epoch and one of --ltan, --ltdn or --raan"},
        {{"--epoch", "2027-03-21T00:00Z", "--sun-min", "10"}, "--epoch needs the node"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "95"},
         "--sun-min: '95' is outside -18 to 90 degrees"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "-18.5"},
         "--sun-min: '-18.5' is outside -18 to 90 degrees"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "dusk"}, "--sun-min: 'dusk' is not a number"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "10", "--cycles", "0"},
         "--cycles: '0' is not a whole number of cycles from 1 to 400"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "10", "--cycles", "2.5"},
         "--cycles: '2.5' is not a whole number of cycles from 1 to 400"},
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "10", "--cycles", "401"},
         "--cycles: '401' is not a whole number of cycles from 1 to 400"},
        // Known only once the design gives the cycle's length: 367 of 10 days.
        {{"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--sun-min", "10", "--cycles", "367"},
         "--cycles: 367 cycles of 10.00 days last longer than 3660 days (ten years)"},
    };
    for (const Case& c : cases) {
        const CommandRun run = RunCoverage(kQuestion, c.extra);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(c.extra);
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
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
    CommandRun run = RunCoverage({"--n", "40000", "--m", "3", "--q", "10", "--sun-sync", "--swath", "100"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Overflow\n");
    run = RunCoverage({"--n", "14.5", "--m", "3", "--q", "10", "--sun-sync", "--swath", "100"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The coverage needs a repeat cycle: whole numbers N, M and Q, with Q at least 1\n");
}

}  // namespace
