// `repeat-orbit refine`: the JSON carries a state that, propagated on its
// own under the model the JSON names, closes as the command says; the text
// shows the same figures; bad options and failing designs get their exits.

#include "cli/refine_command.h"
#include "cli/refine_run.h"

#include "propagation/closure.h"
#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::CommandRun;
using Args = std::vector<std::string>;
using namespace orbit::propagation;

const Args kQuestion = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltdn", "10:30"};

CommandRun RunRefineCommand(Args args, const Args& more = {})
{
    args.insert(args.end(), more.begin(), more.end());
    return orbit::cli::testing::RunInProcess(orbit::cli::AddRefineCommand, "refine", std::move(args));
}

GravityModel ModelOf(const nlohmann::json& m)
{
    GravityModel model;
    model.name = m.at("name");
    model.gmKm3S2 = m.at("gm_km3_s2");
    model.equatorialRadiusKm = m.at("re_km");
    for (int n = 2; n <= 6; ++n) model.zonal[static_cast<std::size_t>(n - 2)] = m.at("zonal").at("J" + std::to_string(n));
    model.earthRateRadS = m.at("earth_rate_rad_s");
    return model;
}

CartesianState StateOf(const nlohmann::json& s)
{
    return {{s.at("x_km"), s.at("y_km"), s.at("z_km")}, {s.at("vx_km_s"), s.at("vy_km_s"), s.at("vz_km_s")}};
}

struct ModelCase {
    std::string name;
    Args options;
};

class RefineJson : public testing::TestWithParam<ModelCase> {};

// What the JSON promises: propagate `refined.state_true_of_epoch` (in the
// frame whose z axis is the field's pole) under `model` for the design's R
// revolutions and the R-th ascending node falls back on the first, to the
// tolerance, at `t_r_s`; the J2 design's state misses by `closure_km`.
TEST_P(RefineJson, StateClosesWhenAnyonePropagatesIt)
{
    Args options = GetParam().options;
    options.push_back("--json");
    const CommandRun run = RunRefineCommand(kQuestion, options);
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = nlohmann::json::parse(run.out);
    const GravityModel model = ModelOf(j.at("model"));
    const double period = j.at("design").at("values").at("nodal_period_min");
    const int revolutions = j.at("design").at("values").at("rev_count");
    const RepeatCycle cycle{revolutions, period * 60, 0};
    auto closureOf = [&](const nlohmann::json& state) {
        const Propagator propagator(model, StateOf(state));
        return MeasureClosure(propagator, cycle, 0.0);
    };
    const Closure refined = closureOf(j.at("refined").at("state_true_of_epoch"));
    EXPECT_LT(std::abs(refined.closureKm * 1000), 10.0);
    EXPECT_NEAR(refined.closureKm * 1000, j.at("refined").at("closure_m").get<double>(), 0.01);
    EXPECT_NEAR(refined.tRS, j.at("refined").at("t_r_s").get<double>(), 1e-4);
    const Closure design = closureOf(j.at("j2_design").at("state_true_of_epoch"));
    EXPECT_NEAR(design.closureKm, j.at("j2_design").at("closure_km").get<double>(), 1e-5);
    EXPECT_NEAR(design.ltanDriftSPerCycle, j.at("j2_design").at("ltan_drift_s_per_cycle").get<double>(), 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Models, RefineJson,
                         testing::Values(ModelCase{"ZonalFrozen", {"--frozen"}}, ModelCase{"DesignJ2", {"--model", "j2"}}),
                         [](const testing::TestParamInfo<ModelCase>& p) { return p.param.name; });

// The keys, in their order, that scripts read.
TEST(RefineCommand, JsonHasEveryPromisedField)
{
    const CommandRun run = RunRefineCommand(kQuestion, {"--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::ordered_json j = nlohmann::ordered_json::parse(run.out);
    auto keys = [](const nlohmann::ordered_json& object) {
        std::vector<std::string> names;
        for (const auto& item : object.items()) names.push_back(item.key());
        return names;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(keys(j), (Names{"design", "epoch", "node", "model", "integration_frame", "j2_design", "refined", "frozen"}));
    EXPECT_EQ(j["integration_frame"], "true equator and equinox of the epoch");
    EXPECT_EQ(keys(j["model"]), (Names{"name", "gm_km3_s2", "re_km", "zonal", "earth_rate_rad_s", "sun_rate_rad_s"}));
    EXPECT_EQ(keys(j["model"]["zonal"]), (Names{"J2", "J3", "J4", "J5", "J6"}));
    const Names state{"x_km", "y_km", "z_km", "vx_km_s", "vy_km_s", "vz_km_s"};
    EXPECT_EQ(keys(j["j2_design"]), (Names{"state_eme2000", "state_true_of_epoch", "closure_km", "t_r_s", "closure_time_s",
                                           "ltan_drift_s_per_cycle", "ltan_drift_min_per_year"}));
    EXPECT_EQ(keys(j["j2_design"]["state_eme2000"]), state);
    EXPECT_EQ(keys(j["refined"]),
              (Names{"state_eme2000", "state_true_of_epoch", "osculating", "mean", "delta_a_m", "delta_i_mdeg", "closure_m", "t_r_s",
                     "ltan_drift_s_per_cycle", "ltan_drift_min_per_year", "iterations"}));
    EXPECT_EQ(keys(j["refined"]["state_eme2000"]), state);
    EXPECT_EQ(keys(j["refined"]["state_true_of_epoch"]), state);
    EXPECT_EQ(keys(j["refined"]["osculating"]), (Names{"a_km", "e", "i_deg", "raan_deg", "argp_deg", "mean_anomaly_deg"}));
    EXPECT_EQ(keys(j["refined"]["mean"]), (Names{"a_km", "i_deg", "e", "argp_deg"}));
    EXPECT_EQ(keys(j["frozen"]), (Names{"e_j2_j3", "e_zonal", "argp_deg", "e_excursion_free", "e_excursion_frozen"}));
    EXPECT_EQ(j["epoch"], "2027-03-21T00:00:00.000Z");
}

// The CSV is the JSON laid flat: one header of the JSON's paths, one row
// holding the same figures at full precision.
TEST(RefineCommand, CsvIsTheJsonInOneRow)
{
    const CommandRun csv = RunRefineCommand(kQuestion, {"--csv"});
    const CommandRun json = RunRefineCommand(kQuestion, {"--json"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    std::istringstream lines(csv.out);
    std::string header, row, extra;
    ASSERT_TRUE(std::getline(lines, header));
    ASSERT_TRUE(std::getline(lines, row));
    EXPECT_FALSE(std::getline(lines, extra));
    auto cells = [](const std::string& line) {
        std::vector<std::string> out;
        std::string cell;
        bool quoted = false;
        for (char c : line) {
            if (c == '"')
                quoted = !quoted;
            if (c == ',' && !quoted) {
                out.push_back(cell);
                cell.clear();
            } else {
                cell += c;
            }
        }
        out.push_back(cell);
        return out;
    };
    const std::vector<std::string> keys = cells(header), values = cells(row);
    ASSERT_EQ(keys.size(), values.size());
    auto valueOf = [&](const std::string& key) {
        const auto at = std::find(keys.begin(), keys.end(), key);
        return at == keys.end() ? std::string("missing") : values[static_cast<std::size_t>(at - keys.begin())];
    };
    for (const char* path : {"refined.mean.a_km", "refined.closure_m", "j2_design.state_eme2000.vx_km_s",
                             "model.zonal.J3", "frozen.e_j2_j3"}) {
        std::string pointer = std::string("/") + path;
        std::replace(pointer.begin(), pointer.end(), '.', '/');
        EXPECT_EQ(std::stod(valueOf(path)), j.at(nlohmann::json::json_pointer(pointer)).get<double>()) << path;
    }
    EXPECT_EQ(valueOf("integration_frame"), "\"true equator and equinox of the epoch\"");
    EXPECT_EQ(valueOf("refined.iterations"), j["refined"]["iterations"].dump());
}

// The absolute track: the J2 design's first ascending node lies at the
// Earth-fixed longitude the ephemeris gives the node at the epoch.
TEST(RefineRun, PutsTheFirstNodeAtTheEphemerisLongitude)
{
    orbit::cli::DesignRequest design{"14", "3", "10", orbit::OrbitType::SunSynchronous};
    const orbit::cli::EpochNode epochNode{orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z"),
                                          {orbit::ephemeris::NodeGiven::Ltdn, 10.5}};
    const orbit::cli::RefineRun run = orbit::cli::RunRefine({design, epochNode, DesignJ2Model(), false, 10});
    EXPECT_NEAR(WrapPlusMinusPi(run.designClosure.firstNode.longitudeRad - run.node.longitudeRad), 0, 1e-9);
    EXPECT_NEAR(run.designClosure.firstNode.secondsAfterEpoch, 0, 1e-3);
    EXPECT_NEAR(run.designMean.raanRad, run.node.raanOfDateRad, 0);
}

// Under the design's own Earth the command reports a J2 design that closes
// and needs no refinement: N 15, M 1, Q 1 at 65 degrees, and a 26-day cycle.
TEST(RefineCommand, UnderTheDesignEarthTheJ2DesignNeedsNoRefinement)
{
    for (const Args& design : {Args{"--n", "15", "--m", "1", "--q", "1", "--incl", "65"},
                               Args{"--n", "14", "--m", "5", "--q", "26", "--incl", "98"}}) {
        Args args = design;
        for (const char* more : {"--epoch", "2027-03-21T00:00Z", "--raan", "40", "--model", "j2", "--json"})
            args.push_back(more);
        const CommandRun json = RunRefineCommand(args);
        ASSERT_EQ(json.status, 0) << json.err;
        const nlohmann::json j = nlohmann::json::parse(json.out);
        EXPECT_LT(std::abs(j["j2_design"]["closure_km"].get<double>()), 0.01) << design[1];
        EXPECT_EQ(j["refined"]["iterations"], 0) << design[1];
        EXPECT_LT(std::abs(j["refined"]["delta_a_m"].get<double>()), 1e-3) << design[1];
    }
}

TEST(RefineCommand, TextGivesTheMissTheRefinedClosureAndTheFrozenEccentricity)
{
    const CommandRun text = RunRefineCommand(kQuestion, {"--frozen"});
    const CommandRun json = RunRefineCommand(kQuestion, {"--frozen", "--json"});
    ASSERT_EQ(text.status, 0) << text.err;
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    auto fixed = [](double value, int decimals) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
        return std::string(buffer);
    };
    for (const std::string& expected :
         {fixed(j["j2_design"]["closure_km"], 3) + " km", fixed(j["refined"]["closure_m"], 3) + " m",
          fixed(j["frozen"]["e_j2_j3"], 7), fixed(j["frozen"]["e_zonal"], 7),
          fixed(j["refined"]["delta_i_mdeg"], 3) + " mdeg", std::string("Refined design")}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;
    }
}

struct UsageCase {
    std::string name;
    Args options;
    std::string message;
};

class RefineUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(RefineUsage, ExitsTwoNamingTheOption)
{
    Args args = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const CommandRun run = RunRefineCommand(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Options, RefineUsage,
    testing::Values(UsageCase{"UnknownModel", {"--epoch", "2027-03-21T00:00Z", "--ltan", "10:30", "--model", "egm96"}, "--model"},
                    UsageCase{"ToleranceUnderACentimetre", {"--epoch", "2027-03-21T00:00Z", "--ltan", "10:30", "--tolerance", "0.005"}, "--tolerance"},
                    UsageCase{"ToleranceNotANumber", {"--epoch", "2027-03-21T00:00Z", "--ltan", "10:30", "--tolerance", "ten"}, "--tolerance"},
                    UsageCase{"NoEpoch", {"--ltan", "10:30"}, "--epoch"},
                    UsageCase{"NoNode", {"--epoch", "2027-03-21T00:00Z"}, "--ltan"}),
    [](const testing::TestParamInfo<UsageCase>& p) { return p.param.name; });

// Near the critical inclination the whole field's frozen eccentricity may
// not be found: the refinement still stands and says so; only a refinement
// asked to start frozen cannot go on.
TEST(RefineCommand, AFrozenEccentricityNotFoundIsReportedUnlessItWasAskedFor)
{
    const Args nearCritical = {"--n", "15", "--m", "1", "--q", "1", "--incl", "65",
                               "--epoch", "2027-03-21T00:00Z", "--ltan", "10:30"};
    const CommandRun text = RunRefineCommand(nearCritical);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_NE(text.out.find("Refined design ("), std::string::npos);
    EXPECT_NE(text.out.find("  Whole zonal field                 none: The frozen eccentricity was not found\n"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(text.out.find("started frozen"), std::string::npos);

    const CommandRun json = RunRefineCommand(nearCritical, {"--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json frozen = nlohmann::json::parse(json.out)["frozen"];
    EXPECT_TRUE(frozen["e_zonal"].is_null());
    EXPECT_TRUE(frozen["e_excursion_frozen"].is_null());
    EXPECT_EQ(frozen["e_zonal_missing"], "The frozen eccentricity was not found");
    EXPECT_GT(frozen["e_j2_j3"].get<double>(), 0);
    EXPECT_GT(frozen["e_excursion_free"].get<double>(), 0);

    const CommandRun asked = RunRefineCommand(nearCritical, {"--frozen"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.err, "The frozen eccentricity was not found\n");
    EXPECT_EQ(asked.out, "");
}

TEST(RefineCommand, FailingDesignExitsOneWithItsError)
{
    const CommandRun run = RunRefineCommand(
        {"--n", "40000", "--m", "0", "--q", "1", "--sun-sync", "--epoch", "2027-03-21T00:00Z", "--ltan", "10:30"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Overflow\n");
    EXPECT_TRUE(run.out.empty());
}

}  // namespace
