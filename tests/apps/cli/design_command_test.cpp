// `repeat-orbit design` through the real executable: output, JSON, negative
// values, exit status and usage errors.

#include "cli/design_warnings.h"
#include "core/repbas.h"
#include "core/repeat_orbit_solver.h"
#include "tests/apps/cli/process_runner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace orbit::cli {
namespace {

using testing::Lines;
using testing::ProcessResult;
using testing::RunRepeatOrbit;
using Args = std::vector<std::string>;

nlohmann::json JsonOf(const ProcessResult& result)
{
    return nlohmann::json::parse(result.out);
}

TEST(DesignCommand, StartValuesPrintTheWindowsResults)
{
    const ProcessResult r = RunRepeatOrbit({"design", "--n", "15", "--m", "1", "--q", "1", "--incl", "65"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"          Nr of revs  16", "Semi-major axis (km)  6592.94",
                                                       "  Mean altitude (km)  214.8",
                                                       "Mean motion revs/day  16.2117963",
                                                       "  Nodal period (min)  88.831"}));
}

TEST(DesignCommand, JsonHoldsTheFieldTextsAndBitExactValues)
{
    const ProcessResult r = RunRepeatOrbit({"design", "--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const nlohmann::json json = JsonOf(r);
    EXPECT_EQ(json["fields"], (nlohmann::json{{"NrOfRevs", "43"}, {"AxelBox", "7153.13"}, {"AvAltBox", "774.98"},
                                              {"MeanMotBox", "14.341587"}, {"TNtext", "100.465"},
                                              {"InclOutBox", "98.497"}}));
    EXPECT_FALSE(json.contains("error"));
    EXPECT_EQ(json["warnings"], nlohmann::json::array());

    // The numbers read back to the very doubles the solver formed.
    DesignRecord record;
    const RepeatOrbitSolution s =
        SolveRepeatOrbit(RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::SunSynchronous), {}, record);
    const nlohmann::json& v = json["values"];
    EXPECT_EQ(v["rev_count"].get<int>(), 43);
    EXPECT_EQ(v["semi_major_axis_km"].get<double>(), s.SemiMajorAxis);
    EXPECT_EQ(v["mean_altitude_km"].get<double>(), s.MeanAltitude);
    EXPECT_EQ(v["mean_motion_rev_per_day"].get<double>(), s.MeanMotion);
    EXPECT_EQ(v["nodal_period_min"].get<double>(), s.NodalPeriodMin);
    EXPECT_EQ(v["inclination_deg"].get<double>(), *s.InclDeg);
    EXPECT_EQ(v["node_spacing_rad"].get<double>(), record.NodeSpacing);
    EXPECT_EQ(v["node_spacing_deg"].get<double>(), record.NodeSpacingDeg);
    EXPECT_NEAR(v["node_spacing_deg"].get<double>(), 25.11628, 1e-5);
}

// The CSV row reads back as the JSON's numbers, bit for bit, under its keys.
TEST(DesignCommand, CsvRowIsTheJsonsValuesAndCoverage)
{
    const std::vector<std::string> design{"design", "--n", "14", "--m", "3", "--q", "10", "--sun-sync"};
    std::vector<std::string> asCsv = design, asJson = design;
    asCsv.push_back("--csv");
    asJson.push_back("--json");
    const ProcessResult csv = RunRepeatOrbit(asCsv);
    const ProcessResult json = RunRepeatOrbit(asJson);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    std::istringstream lines(csv.out);
    std::string header, row, more;
    std::getline(lines, header);
    std::getline(lines, row);
    EXPECT_FALSE(std::getline(lines, more));
    auto cells = [](const std::string& line) {
        std::vector<std::string> out;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, ',');)
            out.push_back(cell);
        return out;
    };
    const std::vector<std::string> keys = cells(header), values = cells(row);
    ASSERT_EQ(keys.size(), values.size());
    ASSERT_GE(keys.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{keys[0], keys[1], keys[2]}), (std::vector<std::string>{"N", "M", "Q"}));
    EXPECT_EQ((std::vector<std::string>{values[0], values[1], values[2]}), (std::vector<std::string>{"14", "3", "10"}));
    std::size_t matched = 0;
    for (std::size_t k = 3; k < keys.size(); ++k) {
        const nlohmann::json& from = j["values"].contains(keys[k]) ? j["values"][keys[k]] : j["coverage"][keys[k]];
        ASSERT_FALSE(from.is_null()) << keys[k];
        EXPECT_EQ(std::stod(values[k]), from.get<double>()) << keys[k];
        ++matched;
    }
    EXPECT_EQ(matched, j["values"].size() + j["coverage"].size());
}

TEST(DesignCommand, JsonKeepsTheWindowsOrder)
{
    const ProcessResult r = RunRepeatOrbit({"design", "--n", "14", "--m", "1", "--q", "3", "--sun-sync", "--json"});
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(r.out);
    std::vector<std::string> keys, boxes;
    for (const auto& [key, value] : json.items())
        keys.push_back(key);
    for (const auto& [key, value] : json["fields"].items())
        boxes.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"fields", "values", "coverage", "warnings"}));
    EXPECT_EQ(boxes, (std::vector<std::string>{"NrOfRevs", "AxelBox", "AvAltBox", "MeanMotBox", "TNtext",
                                                "InclOutBox"}));
}

TEST(DesignCommand, InclinationOnlyForSunSynchronous)
{
    const nlohmann::json json = JsonOf(RunRepeatOrbit({"design", "--n", "14", "--m", "1", "--q", "3", "--incl",
                                                       "65", "--json"}));
    EXPECT_FALSE(json["fields"].contains("InclOutBox"));
    EXPECT_FALSE(json["values"].contains("inclination_deg"));
    EXPECT_EQ(json["fields"]["TNtext"], "99.397");
}

TEST(DesignCommand, TenthsAddToTheDegrees)
{
    const nlohmann::json tenths = JsonOf(RunRepeatOrbit({"design", "--n", "14", "--m", "1", "--q", "3", "--incl",
                                                         "98", "--tenths", "5", "--json"}));
    DesignRecord record;
    const RepeatOrbitSolution s =
        SolveRepeatOrbit(RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::ChooseInclination, 98, 5), {}, record);
    EXPECT_EQ(tenths["values"]["semi_major_axis_km"].get<double>(), s.SemiMajorAxis);
    EXPECT_NEAR(record.Incl, 98.5 * RepBas::Pi / 180, 1e-15);
}

TEST(DesignCommand, CoverageFigures)
{
    struct Case {
        Args args;
        nlohmann::json subcycle;
        double revs;
    };
    const Case cases[] = {
        {{"--n", "14", "--m", "5", "--q", "26", "--sun-sync"}, 5, 369},
        {{"--n", "15", "--m", "3", "--q", "16", "--incl", "98"}, 5, 243},
        {{"--n", "15", "--m", "0", "--q", "1", "--sun-sync"}, nullptr, 15},
        {{"--n", "15", "--m", "-1", "--q", "2", "--sun-sync"}, 1, 29},
    };
    for (const Case& c : cases) {
        Args args = {"design", "--json"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const nlohmann::json json = JsonOf(RunRepeatOrbit(args));
        ASSERT_TRUE(json.contains("coverage")) << json.dump();
        EXPECT_EQ(json["coverage"]["subcycle_days"], c.subcycle) << json.dump();
        EXPECT_NEAR(json["coverage"]["grid_spacing_deg"].get<double>() * c.revs, 360.0, 1e-9);
        EXPECT_NEAR(json["coverage"]["grid_spacing_km"].get<double>() * c.revs, 40075.067, 0.001);
    }
    // A fractional N closes no cycle: no coverage figures.
    const nlohmann::json fractional =
        JsonOf(RunRepeatOrbit({"design", "--json", "--n", "14.5", "--m", "0", "--q", "1", "--incl", "65"}));
    EXPECT_FALSE(fractional.contains("coverage"));
    EXPECT_EQ(fractional["fields"]["NrOfRevs"], "14");  // 14.5 rounds to even
}

TEST(DesignCommand, NegativeValuesAsUsersTypeThem)
{
    const ProcessResult spaced = RunRepeatOrbit({"design", "--n", "15", "--m", "-1", "--q", "2", "--sun-sync"});
    const ProcessResult joined = RunRepeatOrbit({"design", "--n", "15", "--m=-1", "--q", "2", "--sun-sync"});
    EXPECT_EQ(spaced.exitCode, 0) << spaced.err;
    EXPECT_EQ(spaced.out, joined.out);
    ASSERT_FALSE(Lines(spaced.out).empty());
    EXPECT_EQ(Lines(spaced.out)[0], std::string(22, ' ') + "Nr of revs  29");
}

TEST(DesignCommand, ComputationErrorsExitOneWithTheirText)
{
    struct Case {
        Args args;
        std::string error;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {{"--n", "abc", "--m", "1", "--q", "1", "--incl", "65"}, "Type mismatch", {}},
        {{"--n", "15", "--m", "1", "--q", "1", "--incl", "6 5"}, "Type mismatch", {"NrOfRevs"}},
        {{"--n", "40000", "--m", "0", "--q", "1", "--sun-sync"}, "Overflow", {}},
        {{"--n", "4", "--m", "7", "--q", "22", "--incl", "144"}, RepBas::NoConvergenceText(), {"NrOfRevs"}},
    };
    for (const Case& c : cases) {
        Args text = {"design"};
        text.insert(text.end(), c.args.begin(), c.args.end());
        const ProcessResult plain = RunRepeatOrbit(text);
        EXPECT_EQ(plain.exitCode, 1) << c.error;
        EXPECT_EQ(plain.err, c.error + "\n");

        text.push_back("--json");
        const ProcessResult json = RunRepeatOrbit(text);
        EXPECT_EQ(json.exitCode, 1) << c.error;
        const nlohmann::ordered_json object = nlohmann::ordered_json::parse(json.out);
        EXPECT_EQ(object["error"], c.error);
        std::vector<std::string> boxes;
        for (const auto& [key, value] : object["fields"].items())
            boxes.push_back(key);
        EXPECT_EQ(boxes, c.boxes) << c.error;
        EXPECT_EQ(object["values"].size(), c.boxes.size()) << c.error;  // one value per yielded box
        EXPECT_FALSE(object.contains("coverage"));
    }
}

TEST(DesignCommand, WarningsInTextAndJson)
{
    struct Case {
        Args args;
        std::string warning;
    };
    const Case cases[] = {
        {{"--n", "8", "--m", "0", "--q", "1", "--sun-sync"}, kBelowSurfaceWarning},
        {{"--n", "9", "--m", "0", "--q", "1", "--sun-sync"}, kNoSunSynchronousWarning},
    };
    for (const Case& c : cases) {
        Args args = {"design"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult text = RunRepeatOrbit(args);
        EXPECT_EQ(text.exitCode, 0);
        ASSERT_EQ(Lines(text.out).size(), 7u);
        EXPECT_EQ(Lines(text.out).back(), "Warning: " + c.warning);

        args.push_back("--json");
        const nlohmann::json json = JsonOf(RunRepeatOrbit(args));
        EXPECT_EQ(json["warnings"], nlohmann::json::array({c.warning}));
    }
}

TEST(DesignCommand, UsageErrorsExitTwoWithAMessage)
{
    struct Case {
        Args args;
        std::string mentions;
    };
    const Case cases[] = {
        {{"design", "--m", "1", "--q", "1", "--incl", "65"}, "--n"},
        {{"design", "--n", "15", "--m", "1", "--q", "1"}, "--sun-sync or --incl"},
        {{"design", "--n", "15", "--m", "1", "--q", "1", "--sun-sync", "--incl", "65"}, "excludes"},
        {{"design", "--n", "15", "--m", "1", "--q", "1", "--sun-sync", "--tenths", "5"}, "--tenths"},
        {{"design", "--n", "15", "--m", "1", "--q", "1", "--incl", "65", "--bogus"}, "--bogus"},
        {{"design", "--n", "15", "--m", "1", "--q", "1", "--incl"}, "--incl"},
        {{}, "subcommand"},
        {{"orbit"}, "orbit"},
    };
    for (const Case& c : cases) {
        const ProcessResult r = RunRepeatOrbit(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.mentions;
        EXPECT_EQ(r.out, "") << c.mentions;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
    }
}

// What makes no orbit is refused before any result, for every command that
// runs a design, naming the option; what is not a number is left to the
// solver's step, as the window leaves it.
TEST(DesignCommand, InputsThatMakeNoOrbitAreUsageErrors)
{
    struct Case {
        const char* name;
        Args design;
        std::string message;
    };
    const Case cases[] = {
        {"negative Q", {"--n", "15", "--m", "1", "--q", "-10", "--sun-sync"}, "--q: '-10' is not a number of days"},
        {"Q under a day", {"--n", "15", "--m", "1", "--q", "0.5", "--sun-sync"}, "--q: '0.5'"},
        {"no revolution", {"--n", "15", "--m", "-15", "--q", "1", "--sun-sync"}, "--m: '-15' makes N Q + M 0, below 1"},
        {"revolutions negative", {"--n", "0", "--m", "-3", "--q", "2", "--sun-sync"}, "N Q + M -3"},
        {"inclination above 180", {"--n", "15", "--m", "1", "--q", "1", "--incl", "400"}, "--incl: '400' is not an"},
        {"inclination negative", {"--n", "15", "--m", "1", "--q", "1", "--incl", "-40"}, "--incl: '-40'"},
        {"inclination huge", {"--n", "15", "--m", "1", "--q", "1", "--incl", "1e308"}, "--incl: '1e308'"},
        {"tenths past 180", {"--n", "15", "--m", "1", "--q", "1", "--incl", "180", "--tenths", "5"},
         "--incl and --tenths: '180' with '5' tenths"},
    };
    const Args placed = {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"};
    const std::pair<const char*, Args> commands[] = {
        {"design", {}},
        {"pattern", {"--ops"}},
        {"coverage", {"--swath", "290"}},
        {"map", {"--svg", ::testing::TempDir() + "/never.svg"}},
        {"sun", placed},
        {"refine", placed},
        {"export", {"--format", "opm", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"}},
        {"access", {"--site", "43.6,1.44", "--swath", "290", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"}},
    };
    for (const Case& c : cases) {
        for (const auto& [command, more] : commands) {
            Args args = {command};
            args.insert(args.end(), c.design.begin(), c.design.end());
            args.insert(args.end(), more.begin(), more.end());
            const ProcessResult r = RunRepeatOrbit(args);
            EXPECT_EQ(r.exitCode, 2) << c.name << ", " << command << ": " << r.err;
            EXPECT_EQ(r.out, "") << c.name << ", " << command;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ", " << command << ": " << r.err;
        }
    }
    // The edges are orbits; text that is no number fails where the solver reads it.
    EXPECT_EQ(RunRepeatOrbit({"design", "--n", "0", "--m", "1", "--q", "1", "--incl", "180"}).exitCode, 0);
    EXPECT_EQ(RunRepeatOrbit({"design", "--n", "15", "--m", "1", "--q", "1", "--incl", "0"}).exitCode, 0);
    const ProcessResult text = RunRepeatOrbit({"design", "--n", "15", "--m", "1", "--q", "x", "--incl", "65"});
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.err, "Type mismatch\n");
    const ProcessResult search =
        RunRepeatOrbit({"search", "--incl", "-40", "--alt-min", "500", "--alt-max", "600", "--q-max", "3"});
    EXPECT_EQ(search.exitCode, 2);
    EXPECT_NE(search.err.find("--incl: '-40'"), std::string::npos) << search.err;
}

// A design inside the Earth is a formula's answer, not an orbit: the design
// itself says so with a warning, and every command that would follow it
// round the Earth refuses it at once, in one line, before any output.
TEST(DesignCommand, AnOrbitBelowTheSurfaceIsRefusedByTheCommandsThatFollowIt)
{
    const Args design = {"--n", "2", "--m", "1", "--q", "1", "--sun-sync"};
    const ProcessResult warned = RunRepeatOrbit({"design", "--n", "2", "--m", "1", "--q", "1", "--sun-sync"});
    EXPECT_EQ(warned.exitCode, 0);
    EXPECT_EQ(Lines(warned.out).back(), std::string("Warning: ") + kBelowSurfaceWarning);

    const Args placed = {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"};
    const std::pair<const char*, Args> commands[] = {
        {"sun", placed},
        {"access", {"--site", "43.6,1.44", "--swath", "290", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"}},
        {"refine", placed},
        {"export", {"--format", "oem", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"}},
        {"export", {"--format", "opm", "--refined", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"}},
        {"coverage", {"--swath", "290"}},
        {"map", {"--svg", ::testing::TempDir() + "/never.svg"}},
    };
    for (const auto& [command, more] : commands) {
        Args args = {command};
        args.insert(args.end(), design.begin(), design.end());
        args.insert(args.end(), more.begin(), more.end());
        const ProcessResult r = RunRepeatOrbit(args);
        EXPECT_EQ(r.exitCode, 1) << command;
        EXPECT_EQ(r.out, "") << command;
        EXPECT_EQ(r.err, "The orbit lies below the Earth's surface (mean altitude -6120.9 km): there is no orbit "
                         "to follow\n")
            << command;
    }
}

TEST(DesignCommand, HelpExitsZero)
{
    const ProcessResult r = RunRepeatOrbit({"design", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("--sun-sync"), std::string::npos);
}

}  // namespace
}  // namespace orbit::cli
