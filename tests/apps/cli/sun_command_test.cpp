// `repeat-orbit sun`: the published figures of well-known orbits, the JSON
// and CSV carrying the library's figures exactly, and what bad input gets.

#include "cli/sun_command.h"

#include "cli/command_line.h"
#include "ephemeris/orbit_node.h"
#include "sun/sun_figures.h"
#include "tests/apps/cli/in_process_command.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <charconv>
#include <sstream>

namespace orbit::cli {
namespace {

using testing::CommandRun;
using Args = std::vector<std::string>;

const Args kSentinel2 = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z",
                         "--ltdn", "10:30"};
const Args kSentinel1 = {"--n", "14", "--m", "7", "--q", "12", "--sun-sync", "--epoch", "2027-01-01T00:00Z",
                         "--ltan", "18:00"};

Args With(Args args, const Args& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

CommandRun RunSun(const Args& args) { return testing::RunInProcess(AddSunCommand, "sun", args); }

nlohmann::json JsonOf(const Args& args)
{
    const CommandRun run = RunSun(With(args, {"--json"}));
    EXPECT_EQ(run.status, 0) << run.err;
    return nlohmann::json::parse(run.out);
}

std::string Shortest(double value)
{
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// The question a new user asks, and the answer's parts in order.
TEST(SunCommand, TextAnswersTheNewUsersQuestion)
{
    const CommandRun run = RunSun(kSentinel2);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream in(run.out);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_GT(lines.size(), 366u);
    EXPECT_EQ(lines[0].rfind("Design         N 14, M 3, Q 10, sun-synchronous", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("Epoch          2027-03-21T00:00:00.000Z", 0), 0u) << lines[1];
    EXPECT_NE(lines[3].find("ascending node 22:30:00 mean, 22:22:"), std::string::npos) << lines[3];
    EXPECT_NE(lines[3].find("descending node 10:30:00 mean, 10:22:"), std::string::npos) << lines[3];
    const auto header = std::find(lines.begin(), lines.end(),
                                  "date                  beta_deg  umbra_min  penumbra_min  ltan_mean  ltan_true");
    ASSERT_NE(header, lines.end());
    EXPECT_EQ(lines.end() - header - 1, 366);  // a year of days, both ends counted
    EXPECT_EQ(header[1].rfind("2027-03-21T00:00:00Z", 0), 0u) << header[1];
    EXPECT_EQ(lines.back().rfind("2028-03-20T00:00:00Z", 0), 0u) << lines.back();
}

// Sentinel-2-like: mean LTAN 22:30 all year; the true one follows the
// equation of time (about -14 min in mid-February, +16 early in November);
// beta between about 17 and 27 degrees; an umbra of about 34 minutes.
TEST(SunCommand, PublishedFiguresOfASentinel2LikeOrbit)
{
    const nlohmann::json answer = JsonOf(kSentinel2);
    EXPECT_EQ(answer["epoch"], "2027-03-21T00:00:00.000Z");
    EXPECT_NEAR(answer["node"]["ltan_mean_h"].get<double>(), 22.5, 1e-12);
    const nlohmann::json& days = answer["days"];
    ASSERT_EQ(days.size(), 366u);
    double lowest = 99, highest = -99;
    std::string lowestDate, highestDate;
    for (const nlohmann::json& day : days) {
        const double offset = (day["ltan_true_h"].get<double>() - day["ltan_mean_h"].get<double>()) * 60;
        if (offset < lowest) {
            lowest = offset;
            lowestDate = day["date"];
        }
        if (offset > highest) {
            highest = offset;
            highestDate = day["date"];
        }
        EXPECT_NEAR(day["umbra_min"].get<double>(), 34, 1.5);
    }
    EXPECT_NEAR(lowest, -14.2, 0.15);
    EXPECT_EQ(lowestDate.substr(0, 7), "2028-02");
    EXPECT_NEAR(highest, 16.4, 0.15);
    EXPECT_EQ(highestDate.substr(0, 7), "2027-11");
    EXPECT_NEAR(answer["summary"]["beta_min_deg"].get<double>(), 17, 1);
    EXPECT_NEAR(answer["summary"]["beta_max_deg"].get<double>(), 27, 1);
    EXPECT_EQ(answer["summary"]["eclipse_free_days"], 0);
}

// Sentinel-1-like dawn-dusk: no eclipse for most of the year, eclipses only
// around the June solstice, the longest about 19 minutes.
TEST(SunCommand, PublishedFiguresOfASentinel1LikeDawnDuskOrbit)
{
    const nlohmann::json answer = JsonOf(kSentinel1);
    const nlohmann::json& summary = answer["summary"];
    EXPECT_NEAR(summary["umbra_max_min"].get<double>(), 19, 1);
    EXPECT_EQ(summary["umbra_max_date"].get<std::string>().substr(0, 7), "2027-06");
    EXPECT_GT(summary["eclipse_free_days"].get<int>(), 366 / 2);
    ASSERT_EQ(summary["eclipse_seasons"].size(), 1u);
    EXPECT_LT(summary["eclipse_seasons"][0]["start"].get<std::string>(), "2027-06-21");
    EXPECT_GT(summary["eclipse_seasons"][0]["end"].get<std::string>(), "2027-06-21");
    // Outside the season, a dawn-dusk orbit is in sunlight all the way round.
    for (const nlohmann::json& day : answer["days"]) {
        if (day["date"].get<std::string>() < "2027-04-01" || day["date"].get<std::string>() > "2027-09-30") {
            EXPECT_EQ(day["umbra_min"], 0.0) << day["date"];
            EXPECT_EQ(day["penumbra_min"], 0.0) << day["date"];
        }
    }
}

// An inclined orbit drifts through all local times in weeks; each day's
// mean LTAN moves by the node's drift.
TEST(SunCommand, InclinedOrbitDriftsDayByDay)
{
    const nlohmann::json answer =
        JsonOf({"--n", "15", "--m", "1", "--q", "1", "--incl", "65", "--epoch", "2027-03-21T00:00Z", "--ltan", "12:00",
                "--days", "100"});
    const double drift = answer["node"]["ltan_drift_min_per_day"].get<double>();
    const nlohmann::json& days = answer["days"];
    double travelled = 0;
    for (std::size_t k = 1; k < days.size(); ++k) {
        const double change =
            std::remainder(days[k]["ltan_mean_h"].get<double>() - days[k - 1]["ltan_mean_h"].get<double>(), 24.0) * 60;
        EXPECT_NEAR(change, drift, 1e-6);
        travelled += change;
    }
    EXPECT_GT(std::abs(travelled), 24 * 60);  // all local times within the 100 days
}

// The JSON's days and latitudes are the library's figures to the last bit,
// and the CSV's cells the same numbers.
TEST(SunCommand, JsonAndCsvCarryTheLibrarysFigures)
{
    const Args args = With(kSentinel2, {"--days", "20", "--step-days", "0.5", "--lat-step", "10"});
    const nlohmann::json answer = JsonOf(args);
    DesignRecord record;
    const RepeatOrbitSolution solution =
        SolveRepeatOrbit(RepeatOrbitInputs::Fixed(14, 3, 10, OrbitType::SunSynchronous), {}, record);
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    const ephemeris::OrbitNode node =
        ephemeris::ResolveNode(epoch, {ephemeris::NodeGiven::Ltdn, 10.5}, record.Incl, record.NodeRate);
    const sun::SunFigures figures = sun::SunFiguresOf(record, solution.SemiMajorAxis, epoch, node, {20, 0.5, 10});

    ASSERT_EQ(answer["days"].size(), 41u);
    for (std::size_t k = 0; k < figures.days.size(); ++k) {
        const nlohmann::json& day = answer["days"][k];
        EXPECT_EQ(day["beta_deg"].get<double>(), figures.days[k].betaDeg);
        EXPECT_EQ(day["umbra_min"].get<double>(), figures.days[k].eclipse.umbraMin);
        EXPECT_EQ(day["umbra_fraction"].get<double>(), figures.days[k].eclipse.umbraFraction);
        EXPECT_EQ(day["mjd_utc"].get<double>(), figures.days[k].mjdUtc);
    }
    EXPECT_EQ(answer["days"][1]["date"], "2027-03-21T12:00:00.000Z");
    // Only the latitudes the track reaches: it turns at 81.5 degrees.
    ASSERT_EQ(answer["latitudes"].size(), 17u);
    EXPECT_EQ(answer["latitudes"][0]["latitude_deg"], -80.0);
    for (std::size_t l = 0; l < figures.latitudes.size(); ++l) {
        const nlohmann::json& lat = answer["latitudes"][l];
        ASSERT_EQ(lat["ascending"]["local_time_h"].size(), 41u);
        ASSERT_EQ(lat["descending"]["sun_elevation_deg"].size(), 41u);
        EXPECT_EQ(lat["ascending"]["local_time_h"][7].get<double>(), figures.latitudes[l].ascending.localTimeH[7]);
        EXPECT_EQ(lat["descending"]["sun_elevation_deg"][40].get<double>(),
                  figures.latitudes[l].descending.sunElevationDeg[40]);
    }
    EXPECT_FALSE(JsonOf(With(kSentinel2, {"--days", "2"})).contains("latitudes"));

    const CommandRun csv = RunSun(With(args, {"--csv"}));
    ASSERT_EQ(csv.status, 0) << csv.err;
    std::istringstream in(csv.out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "date,mjd_utc,beta_deg,umbra_min,penumbra_min,umbra_fraction,ltan_mean_h,ltan_true_h");
    std::getline(in, line);
    std::getline(in, line);  // row 1, half a day in
    const sun::SunDay& day = figures.days[1];
    EXPECT_EQ(line, "2027-03-21T12:00:00.000Z," + Shortest(day.mjdUtc) + "," + Shortest(day.betaDeg) + "," +
                        Shortest(day.eclipse.umbraMin) + "," + Shortest(day.eclipse.penumbraMin) + "," +
                        Shortest(day.eclipse.umbraFraction) + "," + Shortest(day.ltanMeanH) + "," +
                        Shortest(day.ltanTrueH));
}

TEST(SunCommand, JsonKeysInTheirOrder)
{
    const nlohmann::ordered_json answer =
        nlohmann::ordered_json::parse(RunSun(With(kSentinel2, {"--days", "1", "--lat-step", "45", "--json"})).out);
    std::vector<std::string> keys;
    for (const auto& item : answer.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"design", "epoch", "node", "summary", "days", "latitudes"}));
    keys.clear();
    for (const auto& item : answer["node"].items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"raan_of_date_deg", "raan_eme2000_deg", "ltan_mean_h", "ltan_true_h",
                                              "ltdn_mean_h", "ltdn_true_h", "equation_of_time_min",
                                              "ltan_drift_min_per_day"}));
    keys.clear();
    for (const auto& item : answer["days"][0].items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"date", "mjd_utc", "beta_deg", "umbra_min", "penumbra_min",
                                              "umbra_fraction", "ltan_mean_h", "ltan_true_h"}));
    EXPECT_TRUE(answer["summary"].contains("umbra_max_date"));
    EXPECT_TRUE(answer["latitudes"][0].contains("ascending"));
    EXPECT_TRUE(answer["latitudes"][0]["descending"].contains("sun_elevation_deg"));
}

struct BadSun {
    const char* what;
    Args args;
    const char* message;  // part of the message, naming the option
};

class SunCommandRefused : public ::testing::TestWithParam<BadSun> {};

TEST_P(SunCommandRefused, AsAUsageError)
{
    const CommandRun run = RunSun(GetParam().args);
    EXPECT_EQ(run.status, kExitUsageError);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

const Args kDesign = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync"};

const BadSun kBadSun[] = {
    {"no epoch", With(kDesign, {"--ltdn", "10:30"}), "--ltdn needs --epoch"},
    {"no epoch and no node", kDesign, "--epoch is required"},
    {"no node", With(kDesign, {"--epoch", "2027-03-21T00:00Z"}), "--epoch needs the node"},
    {"two node options", With(kSentinel2, {"--ltan", "22:30"}), "excludes"},
    {"local time 24 h", With(kDesign, {"--epoch", "2027-03-21T00:00Z", "--ltan", "24:00"}), "--ltan"},
    {"local time malformed", With(kDesign, {"--epoch", "2027-03-21T00:00Z", "--ltdn", "half past ten"}), "--ltdn"},
    {"raan not a number", With(kDesign, {"--epoch", "2027-03-21T00:00Z", "--raan", "north"}), "--raan"},
    {"epoch without Z", With(kDesign, {"--epoch", "2027-03-21T00:00", "--ltan", "10:00"}), "--epoch: no Z"},
    {"days 0", With(kSentinel2, {"--days", "0"}), "--days"},
    {"days beyond ten years", With(kSentinel2, {"--days", "3661"}), "--days"},
    {"days not a number", With(kSentinel2, {"--days", "year"}), "--days"},
    {"step too fine", With(kSentinel2, {"--step-days", "0.001"}), "--step-days"},
    {"step beyond the span", With(kSentinel2, {"--days", "10", "--step-days", "11"}), "--step-days"},
    {"latitude step 0.5", With(kSentinel2, {"--lat-step", "0.5"}), "--lat-step"},
    {"latitude step 91", With(kSentinel2, {"--lat-step", "91"}), "--lat-step"},
    {"latitude figures beyond reason", With(kSentinel2, {"--days", "3660", "--step-days", "0.01", "--lat-step", "1"}),
     "--lat-step"},
    {"csv and json", With(kSentinel2, {"--csv", "--json"}), "--csv excludes --json"},
    {"chart to standard output", With(kSentinel2, {"--png", "-"}), "--png: the chart needs a file"},
    {"png and svg", With(kSentinel2, {"--png", "a.png", "--svg", "a.svg"}), "--png excludes --svg"},
};

INSTANTIATE_TEST_SUITE_P(EveryBadForm, SunCommandRefused, ::testing::ValuesIn(kBadSun),
                         [](const ::testing::TestParamInfo<BadSun>& p) {
                             return test_names::FromDescription(p.param.what);
                         });

TEST(SunCommand, FailingDesignExitsWithItsError)
{
    const CommandRun run =
        RunSun({"--n", "40000", "--m", "3", "--q", "1", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"});
    EXPECT_EQ(run.status, kExitComputationError);
    EXPECT_EQ(run.err, "Overflow\n");
    EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace orbit::cli
