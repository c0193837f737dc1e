// The epoch and node options every time-aware command shares: what each way
// of giving the node yields for a real design, and the usage error every bad
// form gets, naming its option.

#include "cli/epoch_node_options.h"

#include "cli/command_line.h"
#include "cli/design_input_options.h"
#include "cli/design_run.h"
#include "core/orbit_error.h"
#include "tests/apps/cli/in_process_command.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <iostream>
#include <memory>
#include <numbers>
#include <sstream>

namespace orbit::cli {
namespace {

using testing::CommandRun;
using Args = std::vector<std::string>;

// A command made for the test: the design options and the epoch and node,
// answering with the node's JSON object and then its text.
void AddNodeCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand("node", "the node of a design");
    struct Options {
        DesignInputOptions inputs;
        EpochNodeOptions epochNode;
    };
    auto options = std::make_shared<Options>();
    AddDesignInputOptions(*command, options->inputs);
    AddEpochNodeOptions(*command, options->epochNode);
    command->callback([options] {
        const EpochNode epochNode = RequireEpochNode(options->epochNode);
        const DesignRun run = RunDesign(options->inputs.Request());
        if (!run.completed())
            throw ComputationFailed();
        try {
            const ephemeris::OrbitNode node = NodeOfDesign(run.record, epochNode);
            std::cout << NodeJson(node).dump() << '\n';
            WriteNodeText(node, std::cout);
        } catch (const OrbitError& e) {
            std::cerr << e.what() << '\n';
            throw ComputationFailed();
        }
    });
}

const Args kSentinel2 = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync"};

nlohmann::json NodeOf(Args args)
{
    const CommandRun run = testing::RunInProcess(AddNodeCommand, "node", std::move(args));
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream in(run.out);
    std::string first;
    std::getline(in, first);
    return nlohmann::json::parse(first);
}

Args With(Args args, const Args& more)
{
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Sentinel-2 flies at 10:30 descending: mean LTAN 22:30, the true one off by
// the equation of time (the almanac's -14.2 min on February 11, +16.4 on
// November 3), and a sun-synchronous node keeps its time.
TEST(EpochNodeOptions, SunSynchronousDesignAtLtdn1030)
{
    const nlohmann::json feb = NodeOf(With(kSentinel2, {"--epoch", "2027-02-11T12:00Z", "--ltdn", "10:30"}));
    EXPECT_NEAR(feb["ltan_mean_h"].get<double>(), 22.5, 1e-12);
    EXPECT_NEAR(feb["ltdn_mean_h"].get<double>(), 10.5, 1e-12);
    EXPECT_NEAR(feb["equation_of_time_min"].get<double>(), -14.2, 0.1);
    EXPECT_NEAR((feb["ltan_true_h"].get<double>() - 22.5) * 60, -14.2, 0.1);
    EXPECT_NEAR(std::abs(feb["ltan_drift_min_per_day"].get<double>()), 0, 0.001);
    const nlohmann::json nov = NodeOf(With(kSentinel2, {"--epoch", "2027-11-03T12:00Z", "--ltdn", "10:30"}));
    EXPECT_NEAR((nov["ltdn_true_h"].get<double>() - 10.5) * 60, 16.4, 0.1);
}

// An inclined orbit's node runs through all local times in weeks. N 15, M 1,
// Q 1 at 65 degrees flies 16 revolutions a day at a = 6593 km; the classical
// J2 node rate -1.5 n J2 (Re / a)^2 cos i, with the published EGM96 figures
// (mu 398600.4418 km^3/s^2, Re 6378.1363 km, J2 0.0010826267), turns its node
// 3.75 degrees a day westward, 4.74 a day against the mean Sun: some 19 minutes
// of local time a day, all local times in 76 days.
TEST(EpochNodeOptions, InclinedDesignDrifts)
{
    const Args design = {"--n", "15", "--m", "1", "--q", "1", "--incl", "65"};
    const nlohmann::json node = NodeOf(With(design, {"--epoch", "2027-03-21T00:00Z", "--ltan", "12:00"}));
    const DesignRun run = RunDesign(DesignRequest{"15", "1", "1", OrbitType::ChooseInclination, "65", "0"});
    ASSERT_TRUE(run.completed());
    const double a = run.semiMajorAxisKm.value();
    const double n = std::sqrt(398600.4418 / (a * a * a));
    const double nodeRateDegPerDay =
        -1.5 * n * 0.0010826267 * std::pow(6378.1363 / a, 2) * std::cos(65 * std::numbers::pi / 180) * 86400 * 180 / std::numbers::pi;
    const double driftMinPerDay = (nodeRateDegPerDay - 360 / 365.2422) * 4;
    EXPECT_NEAR(driftMinPerDay, -19, 0.5);
    EXPECT_NEAR(node["ltan_drift_min_per_day"].get<double>(), driftMinPerDay, 0.05);
}

TEST(EpochNodeOptions, RaanGivenComesBackInEme2000)
{
    const nlohmann::json node = NodeOf(With(kSentinel2, {"--epoch", "2027-03-21T00:00Z", "--raan", "-30"}));
    EXPECT_NEAR(node["raan_eme2000_deg"].get<double>(), 330, 1e-9);
    const double ltan = node["ltan_mean_h"].get<double>();
    // The same node given by its mean local time.
    const nlohmann::json again =
        NodeOf(With(kSentinel2, {"--epoch", "2027-03-21T00:00Z", "--ltan", LocalTimeText(ltan)}));
    EXPECT_NEAR(again["raan_eme2000_deg"].get<double>(), 330, 0.5 / 240);  // half a second of local time
}

TEST(EpochNodeOptions, TextNamesBothNodesMeanAndTrue)
{
    const CommandRun run = testing::RunInProcess(
        AddNodeCommand, "node", With(kSentinel2, {"--epoch", "2027-02-11T12:00Z", "--ltdn", "10:30"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("ascending node 22:30:00 mean, 22:15:"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("descending node 10:30:00 mean, 10:15:"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("equation of time -14.2"), std::string::npos) << run.out;
}

TEST(EpochNodeOptions, LocalTimeTextRoundsWithinTheDay)
{
    EXPECT_EQ(LocalTimeText(22.5), "22:30:00");
    EXPECT_EQ(LocalTimeText(23.99999), "00:00:00");
    EXPECT_EQ(LocalTimeText(0.25 + 0.4 / 3600), "00:15:00");
    EXPECT_EQ(LocalTimeText(6 + 1.0 / 60 + 1.6 / 3600), "06:01:02");
}

struct BadOptions {
    const char* what;
    Args args;
    const char* named;  // the option the message must name
};

class EpochNodeRefused : public ::testing::TestWithParam<BadOptions> {};

TEST_P(EpochNodeRefused, AsAUsageErrorNamingTheOption)
{
    const CommandRun run = testing::RunInProcess(AddNodeCommand, "node", With(kSentinel2, GetParam().args));
    EXPECT_EQ(run.status, kExitUsageError);
    EXPECT_NE(run.err.find(GetParam().named), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

const BadOptions kBadOptions[] = {
    {"no epoch", {"--ltan", "10:30"}, "--epoch"},
    {"nothing at all", {}, "--epoch"},
    {"no node", {"--epoch", "2027-03-21T00:00Z"}, "--ltan"},
    {"two nodes", {"--epoch", "2027-03-21T00:00Z", "--ltan", "10:30", "--ltdn", "22:30"}, "--ltan"},
    {"local time and raan", {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30", "--raan", "40"}, "--raan"},
    {"ltan 24 h", {"--epoch", "2027-03-21T00:00Z", "--ltan", "24:00"}, "--ltan"},
    {"ltdn malformed", {"--epoch", "2027-03-21T00:00Z", "--ltdn", "10.5"}, "--ltdn"},
    {"ltan minutes 75", {"--epoch", "2027-03-21T00:00Z", "--ltan", "10:75"}, "--ltan"},
    {"raan not a number", {"--epoch", "2027-03-21T00:00Z", "--raan", "east"}, "--raan"},
    {"raan beyond a turn", {"--epoch", "2027-03-21T00:00Z", "--raan", "400"}, "--raan"},
    {"raan nan", {"--epoch", "2027-03-21T00:00Z", "--raan", "nan"}, "--raan"},
    {"epoch without Z", {"--epoch", "2027-03-21T00:00", "--ltan", "10:30"}, "--epoch"},
    {"epoch February 30", {"--epoch", "2027-02-30T00:00Z", "--ltan", "10:30"}, "--epoch"},
    {"epoch false leap second", {"--epoch", "2027-06-30T23:59:60Z", "--ltan", "10:30"}, "--epoch"},
    {"epoch year 2101", {"--epoch", "2101-03-21T00:00Z", "--ltan", "10:30"}, "--epoch"},
};

INSTANTIATE_TEST_SUITE_P(EveryBadForm, EpochNodeRefused, ::testing::ValuesIn(kBadOptions),
                         [](const ::testing::TestParamInfo<BadOptions>& p) {
                             return test_names::FromDescription(p.param.what);
                         });

TEST(EpochNodeOptions, EquatorialPlaneByRaanIsAComputationFailure)
{
    const CommandRun run = testing::RunInProcess(
        AddNodeCommand, "node",
        {"--n", "15", "--m", "1", "--q", "1", "--incl", "0", "--epoch", "2027-03-21T00:00Z", "--raan", "10"});
    EXPECT_EQ(run.status, kExitComputationError);
    EXPECT_NE(run.err.find("No convergence"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace orbit::cli
