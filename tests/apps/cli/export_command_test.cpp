// `repeat-orbit export` read back: each format parsed by a strict reader of
// the tests' own and compared with an independent computation of the same
// orbit (the refinement, the propagator, SGP4).

#include "cli/epoch_node_options.h"
#include "cli/export_command.h"
#include "export/export_limits.h"
#include "export/orbit/export_formats.h"
#include "cli/refine_run.h"
#include "ephemeris/epoch_frame.h"
#include "ephemeris/instant.h"
#include "propagation/gravity_model.h"
#include "propagation/propagator.h"
#include "sgp4/sgp4_propagator.h"
#include "sgp4/teme.h"
#include "sgp4/tle.h"
#include "sgp4/tle_fit.h"
#include "tests/apps/cli/in_process_command.h"
#include "tests/libs/export/ccsds_reader.h"
#include "tests/libs/export/lagrange.h"
#include "tests/libs/export/xml_check.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <regex>
#include <sstream>

namespace orbit::cli {
namespace {

using exports::testing::KvnMessage;
using exports::testing::ReadOem;
using exports::testing::ReadOmm;
using exports::testing::ReadOpm;
using testing::CommandRun;
using Args = std::vector<std::string>;

constexpr double kRadPerDeg = std::numbers::pi / 180;
const char* const kEpoch = "2027-03-21T00:00Z";

// The orbit of the issue's example: Sentinel-2-like, 10:30 descending.
Args Sentinel(Args more)
{
    Args args{"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", kEpoch, "--ltdn", "10:30"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

CommandRun Export(const Args& args) { return testing::RunInProcess(AddExportCommand, "export", args); }

CommandRun Succeeded(const Args& args)
{
    CommandRun run = Export(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run;
}

propagation::CartesianState StateOf(const KvnMessage& opm)
{
    return {{opm.Number("X"), opm.Number("Y"), opm.Number("Z")},
            {opm.Number("X_DOT"), opm.Number("Y_DOT"), opm.Number("Z_DOT")}};
}

double DistanceKm(const propagation::Vector3& a, const propagation::Vector3& b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// The epoch's true equator and equinox, the frame the program follows the
// orbit in; the files hold its states turned into EME2000.
const ephemeris::TrueOfEpochFrame& EpochFrame()
{
    static const ephemeris::TrueOfEpochFrame frame(ephemeris::ParseIsoUtc(kEpoch));
    return frame;
}

propagation::CartesianState OfEpoch(const propagation::CartesianState& eme2000)
{
    return {EpochFrame().FromEme2000(eme2000.positionKm), EpochFrame().FromEme2000(eme2000.velocityKmS)};
}

// The OPM's orbit followed under EGM2008's zonal field about the epoch's
// pole, each state back in EME2000.
std::vector<propagation::CartesianState> FollowedInEme2000(const KvnMessage& opm, const std::vector<double>& times)
{
    const propagation::Propagator propagator(propagation::Egm2008ZonalModel(), OfEpoch(StateOf(opm)));
    std::vector<propagation::CartesianState> states = propagator.StatesAt(times);
    for (propagation::CartesianState& state : states)
        state = exports::InEme2000(EpochFrame(), state);
    return states;
}

// The refinement as `refine` runs it, independently of the export.
RefineRun SentinelRefinement(const std::string& model, bool frozen = false)
{
    return RunRefine({{"14", "3", "10", OrbitType::SunSynchronous},
                      {ephemeris::ParseIsoUtc(kEpoch), {ephemeris::NodeGiven::Ltdn, 10.5}},
                      propagation::GravityModelNamed(model),
                      frozen,
                      10});
}

TEST(ExportOpm, RefinedHoldsTheRefinementsStateAtTheEpoch)
{
    const CommandRun run = Succeeded(Sentinel({"--format", "opm", "--refined", "--object-name", "S2-LIKE"}));
    EXPECT_EQ(run.err, "");
    const KvnMessage opm = ReadOpm(run.out);
    const RefineRun refined = SentinelRefinement("zonal");
    const propagation::CartesianState state = exports::InEme2000(refined.frame, refined.refined.state);
    EXPECT_LT(DistanceKm(StateOf(opm).positionKm, state.positionKm), 1e-8);
    EXPECT_LT(DistanceKm(StateOf(opm).velocityKmS, state.velocityKmS), 1e-11);
    EXPECT_EQ(opm.Text("OBJECT_NAME"), "S2-LIKE");
    EXPECT_EQ(opm.Number("GM"), propagation::Egm2008ZonalModel().gmKm3S2);
    EXPECT_EQ(exports::testing::SecondsBetween("2027-03-21T00:00:00", opm.Text("EPOCH")), 0);
}

TEST(ExportOpm, RefinedFromTheFrozenEccentricityHoldsThatRefinementsState)
{
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm", "--refined", "--frozen"})).out);
    const RefineRun frozen = SentinelRefinement("zonal", true);
    const propagation::CartesianState state = exports::InEme2000(frozen.frame, frozen.refined.state);
    EXPECT_LT(DistanceKm(StateOf(opm).positionKm, state.positionKm), 1e-8);
    EXPECT_LT(DistanceKm(StateOf(opm).velocityKmS, state.velocityKmS), 1e-11);
    // Frozen: the mean eccentricity is about 0.001, its perigee at 90 degrees.
    EXPECT_GT(std::hypot(frozen.refined.mean.ex, frozen.refined.mean.ey), 5e-4);
}

TEST(ExportOpm, UnrefinedHoldsTheJ2DesignAtItsNode)
{
    // The J2 design starts at its ascending node (mean argument of latitude
    // 0): in the epoch's true equatorial plane, moving north, its plane where
    // the local time puts it; seen in EME2000 that plane is tilted by the
    // pole's 0.15 degree from J2000's, and crosses J2000's equator elsewhere.
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm", "--model", "j2"})).out);
    const DesignRun design = RunDesign({"14", "3", "10", OrbitType::SunSynchronous});
    const ephemeris::OrbitNode node =
        NodeOfDesign(design.record, {ephemeris::ParseIsoUtc(kEpoch), {ephemeris::NodeGiven::Ltdn, 10.5}});
    EXPECT_NEAR(opm.Number("RA_OF_ASC_NODE"), node.raanEme2000Rad / kRadPerDeg, 0.01);
    EXPECT_NEAR(opm.Number("INCLINATION"), node.inclinationEme2000Rad / kRadPerDeg, 0.01);
    EXPECT_GT(std::fabs(node.inclinationEme2000Rad - design.record.Incl) / kRadPerDeg, 0.05);
    // The osculating axis differs from the mean one by J2's short-period term, about 10 km.
    EXPECT_NEAR(opm.Number("SEMI_MAJOR_AXIS"), design.solution->SemiMajorAxis, 15);
    const propagation::CartesianState ofEpoch = OfEpoch(StateOf(opm));
    EXPECT_NEAR(ofEpoch.positionKm[2], 0, 1);
    EXPECT_GT(ofEpoch.velocityKmS[2], 7);
    EXPECT_GT(std::fabs(opm.Number("Z")), 5);
    EXPECT_EQ(opm.Number("GM"), propagation::DesignJ2Model().gmKm3S2);
}

TEST(ExportOem, RunsFromTheOpmsStateToThePropagatorsAtTheSpansEnd)
{
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm"})).out);
    const KvnMessage oem = ReadOem(Succeeded(Sentinel({"--format", "oem"})).out);
    const propagation::CartesianState start = StateOf(opm);
    const auto& first = oem.records.front().values;
    EXPECT_LT(DistanceKm({first[0], first[1], first[2]}, start.positionKm), 1e-6);
    EXPECT_LT(DistanceKm({first[3], first[4], first[5]}, start.velocityKmS), 1e-9);
    EXPECT_EQ(oem.records.front().time, oem.Text("START_TIME"));
    EXPECT_EQ(oem.records.back().time, oem.Text("STOP_TIME"));

    // The default span is the design's cycle, R nodal periods.
    const DesignRun design = RunDesign({"14", "3", "10", OrbitType::SunSynchronous});
    const double cycleS = design.solution->RevCount * design.record.NodalPeriod;
    EXPECT_NEAR(oem.records.back().secondsSinceStart, cycleS, 1e-6);
    // Every 60 s from the epoch, and the span's end when it falls between.
    const double onGrid = std::floor(cycleS / 60 + 1e-9);
    const bool endBetween = cycleS - 60 * onGrid > 1e-6;
    EXPECT_EQ(oem.records.size(), static_cast<std::size_t>(onGrid) + 1 + (endBetween ? 1 : 0));

    const propagation::CartesianState last = FollowedInEme2000(opm, {cycleS}).front();
    const auto& written = oem.records.back().values;
    EXPECT_LT(DistanceKm({written[0], written[1], written[2]}, last.positionKm), 1e-3);
}

TEST(ExportOem, EndsOnTheSpansEndWhenItFallsBetweenSteps)
{
    const KvnMessage oem = ReadOem(Succeeded(Sentinel({"--format", "oem", "--days", "0.5", "--step-s", "700"})).out);
    ASSERT_EQ(oem.records.size(), 63u);  // 0, 700, ... 42700 s, and 43200 s
    EXPECT_NEAR(oem.records[61].secondsSinceStart, 42700, 1e-6);
    EXPECT_NEAR(oem.records.back().secondsSinceStart, 43200, 1e-6);
    EXPECT_EQ(oem.Text("STOP_TIME"), "2027-03-21T12:00:00.000000");
}

TEST(ExportOem, InterpolatesAtItsDegreeToTenMetresBetweenRecords)
{
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm"})).out);
    const KvnMessage oem = ReadOem(Succeeded(Sentinel({"--format", "oem", "--days", "2"})).out);
    const int degree = static_cast<int>(oem.Number("INTERPOLATION_DEGREE"));
    EXPECT_EQ(oem.Text("INTERPOLATION"), "LAGRANGE");
    // Halfway between records every 60 s, where interpolation strays most.
    std::vector<double> times;
    for (double t = 30; t < 2 * 86400; t += 60)
        times.push_back(t);
    const std::vector<propagation::CartesianState> truth = FollowedInEme2000(opm, times);
    double worstKm = 0;
    for (std::size_t k = 0; k < times.size(); ++k) {
        const auto p = exports::testing::Interpolate(oem.records, degree, times[k]);
        worstKm = std::max(worstKm, DistanceKm({p[0], p[1], p[2]}, truth[k].positionKm));
    }
    EXPECT_LT(worstKm, 0.010);
}

TEST(ExportTle, ReproducesTheOrbitUnderSgp4WithinItsReportedRms)
{
    const CommandRun run = Succeeded(Sentinel({"--format", "tle", "--norad", "12345", "--object-name", "S2-LIKE"}));
    // One line on standard error, with the fit's figures.
    static const std::regex fitLine(R"(TLE fit: RMS ([0-9.]+) km, largest ([0-9.]+) km over ([0-9.]+) days\n)");
    std::smatch figures;
    ASSERT_TRUE(std::regex_match(run.err, figures, fitLine)) << run.err;
    const double rmsKm = std::stod(figures[1]), largestKm = std::stod(figures[2]);
    EXPECT_EQ(std::stod(figures[3]), 1);

    std::istringstream lines(run.out);
    std::string name, line1, line2, more;
    std::getline(lines, name);
    std::getline(lines, line1);
    std::getline(lines, line2);
    EXPECT_FALSE(std::getline(lines, more));
    EXPECT_EQ(name, "0 S2-LIKE");
    ASSERT_EQ(line1.size(), 69u);
    ASSERT_EQ(line2.size(), 69u);
    EXPECT_EQ(line1.back() - '0', sgp4::TleChecksum(line1));
    EXPECT_EQ(line2.back() - '0', sgp4::TleChecksum(line2));
    const sgp4::TleElements tle = sgp4::ParseTle(line1, line2);
    EXPECT_EQ(tle.catalogNumber, 12345);
    EXPECT_EQ(tle.bstarPerEarthRadius, 0);

    // SGP4 from the lines against the propagated orbit, every 60 s of the first day.
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc(kEpoch);
    EXPECT_LT(std::fabs(sgp4::TleEpochInstant(tle).SecondsSince(epoch)), 1e-3);
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm"})).out);
    const propagation::Propagator propagator(propagation::Egm2008ZonalModel(), OfEpoch(StateOf(opm)));
    const std::vector<propagation::TimedState> truth = propagator.Sample(0, 86400, 60);
    const sgp4::Sgp4Propagator sgp4(sgp4::ToMeanElements(tle));
    const double offsetS = sgp4::TleEpochInstant(tle).SecondsSince(epoch);
    double sumSquares = 0, largest = 0;
    for (const propagation::TimedState& s : truth) {
        const sgp4::TemeState teme = sgp4.At((s.secondsAfterEpoch - offsetS) / 60);
        // The TLE's TEME is the epoch's: the frame of epoch turned by the
        // equation of the equinoxes.
        const double d = DistanceKm(teme.positionKm, EpochFrame().ToTeme(s.state.positionKm));
        sumSquares += d * d;
        largest = std::max(largest, d);
    }
    const double rms = std::sqrt(sumSquares / static_cast<double>(truth.size()));
    // The figures are printed to a metre.
    EXPECT_LE(rms, rmsKm + 0.0005);
    EXPECT_NEAR(rms, rmsKm, 0.0005);
    EXPECT_NEAR(largest, largestKm, 0.0005);
    EXPECT_LT(rms, 1.0);  // a TLE's fit to a near-circular LEO over a day: a few hundred metres
}

TEST(ExportTle, TakesItsDesignatorFromACosparObjectId)
{
    const CommandRun run = Succeeded(Sentinel({"--format", "tle", "--object-id", "2027-001A"}));
    ASSERT_GE(run.out.size(), 69u);
    EXPECT_EQ(run.out.substr(9, 8), "27001A  ");  // columns 10 to 17 of line 1
    EXPECT_EQ(exports::InternationalDesignator("1998-067BQ"), "98067BQ");
    EXPECT_EQ(exports::InternationalDesignator("UNKNOWN"), "");
    EXPECT_EQ(exports::InternationalDesignator("1998-67A"), "");
}

TEST(ExportTle, CarriesASixDigitCatalogueNumberAsAlpha5AndTheOmmAsItsInteger)
{
    const CommandRun tleRun = Succeeded(Sentinel({"--format", "tle", "--norad", "123456"}));
    ASSERT_GE(tleRun.out.size(), 69u);
    EXPECT_EQ(tleRun.out.substr(2, 5), "C3456");  // columns 3 to 7: the letter C stands for 12
    const CommandRun ommRun = Succeeded(Sentinel({"--format", "omm", "--norad", "123456"}));
    EXPECT_EQ(ReadOmm(ommRun.out).Number("NORAD_CAT_ID"), 123456);
}

TEST(ExportOmm, HoldsTheTlesSgp4ElementsInTeme)
{
    const CommandRun tleRun = Succeeded(Sentinel({"--format", "tle"}));
    const CommandRun ommRun = Succeeded(Sentinel({"--format", "omm"}));
    EXPECT_EQ(ommRun.err, "");
    std::istringstream lines(tleRun.out);
    std::string line1, line2;
    std::getline(lines, line1);
    std::getline(lines, line2);
    const sgp4::TleElements tle = sgp4::ParseTle(line1, line2);
    const KvnMessage omm = ReadOmm(ommRun.out);
    EXPECT_EQ(omm.Text("REF_FRAME"), "TEME");
    EXPECT_EQ(omm.Text("MEAN_ELEMENT_THEORY"), "SGP4");
    EXPECT_EQ(omm.Number("MEAN_MOTION"), tle.meanMotionRevDay);
    EXPECT_EQ(omm.Number("ECCENTRICITY"), tle.eccentricity);
    EXPECT_EQ(omm.Number("INCLINATION"), tle.inclinationDeg);
    EXPECT_EQ(omm.Number("RA_OF_ASC_NODE"), tle.raanDeg);
    EXPECT_EQ(omm.Number("ARG_OF_PERICENTER"), tle.argumentOfPerigeeDeg);
    EXPECT_EQ(omm.Number("MEAN_ANOMALY"), tle.meanAnomalyDeg);
    EXPECT_EQ(omm.Number("NORAD_CAT_ID"), 99999);
    EXPECT_EQ(omm.Number("BSTAR"), 0);
    // The design's own J2 mean elements are said in the comments.
    bool saysMean = false;
    for (const std::string& c : omm.comments.at("mean_elements"))
        saysMean = saysMean || c.find("J2 design mean elements") != std::string::npos;
    EXPECT_TRUE(saysMean);
}

TEST(ExportGeoJson, LaysTheTrackDayByDayFromTheNodeOnTheGlobe)
{
    const CommandRun run = Succeeded(Sentinel({"--format", "geojson", "--days", "3", "--swath", "290"}));
    EXPECT_EQ(run.err, "");
    const nlohmann::json json = nlohmann::json::parse(run.out);
    const auto& features = json.at("features");
    ASSERT_EQ(features.size(), 6u);  // three days of track, three of swath
    std::size_t positions = 0;
    const std::function<void(const nlohmann::json&)> visit = [&](const nlohmann::json& c) {
        if (c.is_array() && !c.empty() && c[0].is_number()) {
            ASSERT_EQ(c.size(), 2u);
            EXPECT_TRUE(std::fabs(c[0].get<double>()) <= 180 && std::fabs(c[1].get<double>()) <= 90) << c.dump();
            ++positions;
            return;
        }
        for (const auto& inner : c)
            visit(inner);
    };
    int days = 0;
    for (const auto& f : features) {
        visit(f.at("geometry").at("coordinates"));
        if (f.at("properties").at("kind") == "ground_track")
            EXPECT_EQ(f.at("properties").at("day"), days++);
        else
            EXPECT_EQ(f.at("properties").at("swath_km"), 290);
    }
    EXPECT_EQ(days, 3);
    EXPECT_GT(positions, static_cast<std::size_t>(3 * 86400 / 30));
    // Day 0 begins at the epoch on the node, at the longitude the local time
    // gives, as the Earth's true orientation sees it: the state lies on the
    // epoch's true equator.
    const DesignRun design = RunDesign({"14", "3", "10", OrbitType::SunSynchronous});
    const ephemeris::OrbitNode node =
        NodeOfDesign(design.record, {ephemeris::ParseIsoUtc(kEpoch), {ephemeris::NodeGiven::Ltdn, 10.5}});
    const auto& start = features[0].at("geometry").at("coordinates")[0][0];
    EXPECT_NEAR(start[0].get<double>(), node.longitudeRad / kRadPerDeg, 1e-3);
    EXPECT_NEAR(start[1].get<double>(), 0, 0.01);
    EXPECT_EQ(features[0].at("properties").at("start_utc"), "2027-03-21T00:00:00.000Z");
}

TEST(ExportKml, IsWellFormedWithADayFolderEach)
{
    const CommandRun run = Succeeded(Sentinel({"--format", "kml", "--days", "2", "--swath", "290"}));
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(exports::testing::XmlProblem(run.out), "");
    std::size_t folders = 0;
    for (std::size_t at = run.out.find("<Folder>"); at != std::string::npos; at = run.out.find("<Folder>", at + 1))
        ++folders;
    EXPECT_EQ(folders, 2u);
    EXPECT_NE(run.out.find("<begin>2027-03-21T00:00:00.000Z</begin>"), std::string::npos);
}

TEST(ExportGmat, FliesTheOpmsStateOverTheSpan)
{
    const KvnMessage opm = ReadOpm(Succeeded(Sentinel({"--format", "opm"})).out);
    const CommandRun run = Succeeded(Sentinel({"--format", "gmat", "--days", "10", "--object-name", "S2 like"}));
    EXPECT_EQ(run.err, "");
    const std::string& script = run.out;
    EXPECT_NE(script.find("Create Spacecraft S2_like;"), std::string::npos);
    EXPECT_NE(script.find("S2_like.Epoch = '21 Mar 2027 00:00:00.000';"), std::string::npos);
    EXPECT_NE(script.find("GravityField.Earth.Degree = 6;"), std::string::npos);
    EXPECT_NE(script.find("{S2_like.ElapsedSecs = 864000.000000};"), std::string::npos);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(script, m, std::regex(R"(S2_like\.X = (-?[0-9.]+);)")));
    EXPECT_NEAR(std::stod(m[1]), opm.Number("X"), 1e-9);
    ASSERT_TRUE(std::regex_search(script, m, std::regex(R"(S2_like\.VZ = (-?[0-9.]+);)")));
    EXPECT_NEAR(std::stod(m[1]), opm.Number("Z_DOT"), 1e-12);
}

TEST(ExportOutput, FileIsWrittenWholeAndStandardOutputLeftEmpty)
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "export_command_test.oem";
    std::filesystem::remove(file);
    const CommandRun run = Succeeded(Sentinel({"--format", "oem", "--days", "0.5", "--output", file.string()}));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    std::ifstream in(file);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const KvnMessage oem = ReadOem(bytes.str());
    EXPECT_EQ(oem.records.size(), 721u);
    std::filesystem::remove(file);
}

TEST(ExportOutput, AFailingDesignWritesNothing)
{
    // N 4, M 7, Q 22 at 144 degrees never settles: the design fails.
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "export_never_written.opm";
    std::filesystem::remove(file);
    const CommandRun run = Export({"--n", "4", "--m", "7", "--q", "22", "--incl", "144", "--epoch", kEpoch, "--ltan",
                                   "06:00", "--format", "opm", "--output", file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("No convergence"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(file));
}

struct BadInput {
    const char* description;
    Args args;
    const char* option;  // the option the message must name
};

class ExportRefuses : public ::testing::TestWithParam<BadInput> {};

TEST_P(ExportRefuses, WithAUsageErrorNamingTheOption)
{
    const CommandRun run = Export(Sentinel(GetParam().args));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().option), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Options, ExportRefuses,
    ::testing::Values(BadInput{"a format not in the list", {"--format", "sp3"}, "--format"},
                      BadInput{"no format", {}, "--format"},
                      BadInput{"a step of zero", {"--format", "oem", "--step-s", "0"}, "--step-s"},
                      BadInput{"a step over a day", {"--format", "oem", "--step-s", "86400.5"}, "--step-s"},
                      BadInput{"a step that is not a number", {"--format", "oem", "--step-s", "1O"}, "--step-s"},
                      BadInput{"days below the range", {"--format", "oem", "--days", "0.001"}, "--days"},
                      BadInput{"days above the range", {"--format", "oem", "--days", "367"}, "--days"},
                      BadInput{"a negative catalogue number", {"--format", "tle", "--norad", "-1"}, "--norad"},
                      BadInput{"a catalogue number beyond alpha-5", {"--format", "tle", "--norad", "340000"}, "--norad"},
                      BadInput{"a fractional catalogue number", {"--format", "tle", "--norad", "12.5"}, "--norad"},
                      BadInput{"a name with a line break", {"--format", "opm", "--object-name", "S2\nX = 0"}, "--object-name"},
                      BadInput{"an identifier with a line break", {"--format", "opm", "--object-id", "a\rb"}, "--object-id"},
                      BadInput{"frozen without refined", {"--format", "opm", "--frozen"}, "--frozen"},
                      BadInput{"an unknown model", {"--format", "opm", "--model", "egm96"}, "--model"},
                      BadInput{"a swath on an OPM", {"--format", "opm", "--swath", "290"}, "--swath"},
                      BadInput{"a step on a TLE", {"--format", "tle", "--step-s", "30"}, "--step-s"}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

TEST(ExportRefusesWithoutAnEpoch, NamingTheEpoch)
{
    const CommandRun run = Export({"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--format", "opm"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--epoch"), std::string::npos) << run.err;
}

// Each bound of export/export_limits.h, just passed: the refusal names the
// option and the very number it was checked against, and so does the help.
struct LimitCase {
    const char* description;
    const char* format;
    const char* option;
    double bound;
    double beyond;  // a value on the wrong side of the bound
};

class ExportLimitWords : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ExportLimitWords, NameTheBoundChecked)
{
    const LimitCase& c = GetParam();
    const CommandRun run =
        Export(Sentinel({"--format", c.format, c.option, exports::LimitText(c.beyond)}));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(std::string(c.option) + ": '" + exports::LimitText(c.beyond) + "'"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(exports::LimitText(c.bound)), std::string::npos) << run.err;
    const CommandRun help = Export({"--help"});
    const std::size_t line = help.out.find(c.option);
    ASSERT_NE(line, std::string::npos) << help.out;
    EXPECT_NE(help.out.substr(line, help.out.find('\n', line) - line).find(exports::LimitText(c.bound)),
              std::string::npos)
        << help.out;
}

INSTANTIATE_TEST_SUITE_P(
    Options, ExportLimitWords,
    ::testing::Values(
        LimitCase{"the shortest span", "oem", "--days", exports::kMinSpanDays, exports::kMinSpanDays / 2},
        LimitCase{"the longest span", "oem", "--days", exports::kMaxSpanDays, exports::kMaxSpanDays + 0.5},
        LimitCase{"the longest step", "oem", "--step-s", exports::kMaxOemStepS, exports::kMaxOemStepS + 0.5},
        LimitCase{"the largest catalogue number", "tle", "--norad", exports::kMaxNoradNumber,
                  exports::kMaxNoradNumber + 1.0},
        LimitCase{"the widest swath", "geojson", "--swath", exports::kMaxSwathKm, exports::kMaxSwathKm + 1}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

}  // namespace
}  // namespace orbit::cli
