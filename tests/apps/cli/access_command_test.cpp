// `repeat-orbit access`: the text, CSV and JSON carrying the library's
// figures, several places at once and from files, and what bad input gets.

#include "cli/access_command.h"

#include "access/site_access.h"
#include "access/station_contacts.h"
#include "analysis/swath_coverage.h"
#include "ephemeris/orbit_node.h"
#include "tests/apps/cli/in_process_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using orbit::cli::testing::CommandRun;
using Args = std::vector<std::string>;
using Json = nlohmann::json;
namespace access = orbit::access;
namespace ephemeris = orbit::ephemeris;

const std::string kEpoch = "2027-03-21T06:30:00Z";
// The 10:30 descending N 14, M 3, Q 10 orbit, about 786 km high.
const Args kDesign = {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--epoch", kEpoch, "--ltdn", "10:30"};

CommandRun RunAccess(const Args& more)
{
    Args args = kDesign;
    args.insert(args.end(), more.begin(), more.end());
    return orbit::cli::testing::RunInProcess(orbit::cli::AddAccessCommand, "access", std::move(args));
}

// The same question asked of the library directly.
struct Library {
    orbit::DesignRecord record;
    orbit::RepeatOrbitSolution solution;
    ephemeris::Instant epoch = ephemeris::ParseIsoUtc(kEpoch);
    ephemeris::OrbitNode node;
    double spanS = 0;

    explicit Library(std::optional<double> days = std::nullopt)
    {
        solution = orbit::SolveRepeatOrbit(
            orbit::RepeatOrbitInputs::Fixed(14, 3, 10, orbit::OrbitType::SunSynchronous), {}, record);
        node = ephemeris::ResolveNode(epoch, {ephemeris::NodeGiven::Ltdn, 10.5}, record.Incl, record.NodeRate);
        spanS = days ? *days * 86400 : orbit::analysis::RepeatCycleOf(record).LengthDays() * 86400;
    }
    access::TrackSamples Samples() const
    {
        return access::TrackSamples(access::SatelliteTrack(record, solution.SemiMajorAxis, node.longitudeRad), spanS);
    }
    std::string Time(double s) const { return epoch.PlusSeconds(s).IsoUtc(3); }
};

const std::regex kIsoMillisecond(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");

std::string TempFile(const std::string& name, const std::string& content)
{
    const std::string path = ::testing::TempDir() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

TEST(AccessCommand, ToulouseInDaylightAsJsonCarriesTheLibrarysPasses)
{
    const CommandRun run = RunAccess({"--site", "43.6,1.44", "--swath", "290", "--sun-min", "0", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    for (const char* key : {"design", "epoch", "node", "site", "summary", "events"})
        EXPECT_TRUE(json.contains(key)) << key;
    EXPECT_EQ(json["epoch"], "2027-03-21T06:30:00.000Z");
    EXPECT_DOUBLE_EQ(json["node"]["ltdn_mean_h"].get<double>(), 10.5);
    EXPECT_EQ(json["site"]["latitude_deg"], 43.6);

    const Library lib;
    const access::SunOverSpan sun(lib.epoch, lib.spanS);
    const access::SiteAccess expected =
        access::SiteAccessOver(lib.Samples(), sun, {43.6, 1.44}, {access::LookLimit::Swath, 290, 0.0});
    const Json& events = json["events"];
    ASSERT_EQ(events.size(), expected.passes.size());
    for (std::size_t k = 0; k < events.size(); ++k) {
        const access::SitePass& p = expected.passes[k];
        EXPECT_EQ(events[k]["time_utc"], lib.Time(p.timeS));
        EXPECT_TRUE(std::regex_match(events[k]["time_utc"].get<std::string>(), kIsoMillisecond));
        EXPECT_EQ(events[k]["direction"], p.ascending ? "ascending" : "descending");
        EXPECT_EQ(events[k]["cross_track_km"].get<double>(), p.crossTrackKm);
        EXPECT_EQ(events[k]["sun_elevation_deg"].get<double>(), p.sunElevationDeg);
        EXPECT_EQ(events[k]["look"].get<bool>(), p.look);
        EXPECT_NEAR(events[k]["mjd_utc"].get<double>(), lib.epoch.MjdUtc() + p.timeS / 86400, 1e-8);
    }
    EXPECT_EQ(json["summary"]["looks"], expected.summary.looks);
    EXPECT_EQ(json["summary"]["first_look_utc"], lib.Time(*expected.summary.firstLookS));
}

TEST(AccessCommand, PlaceUnderTheEpochsNodeIsSeenAtTheEpochAtLtan)
{
    const Library lib;
    std::ostringstream site;
    site.precision(17);
    site << "0," << lib.node.longitudeRad * 180 / std::numbers::pi;
    const CommandRun run = RunAccess({"--site", site.str(), "--swath", "100", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json first = Json::parse(run.out)["events"][0];
    EXPECT_EQ(first["time_utc"], "2027-03-21T06:30:00.000Z");
    EXPECT_NEAR(first["cross_track_km"].get<double>(), 0, 1e-6);
    EXPECT_NEAR(first["local_time_h"].get<double>(), 22.5, 1e-9);
    EXPECT_EQ(first["direction"], "ascending");
}

TEST(AccessCommand, KirunaStationSummaryAndContactsAsJson)
{
    const CommandRun run = RunAccess({"--station", "67.86,20.96,390", "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    EXPECT_EQ(json["station"]["height_m"], 390);
    EXPECT_EQ(json["station"]["mask_deg"], 5);
    const Library lib;
    const std::vector<access::Contact> contacts = access::StationContacts(lib.Samples(), {67.86, 20.96, 390, 5});
    const access::ContactSummary summary = access::SummarizeContacts(contacts, lib.spanS);
    EXPECT_EQ(json["summary"]["contacts"], summary.contacts);
    EXPECT_EQ(json["summary"]["contacts_per_day"].get<double>(), summary.contactsPerDay);
    EXPECT_EQ(json["summary"]["contact_min_per_day_least"].get<double>(), *summary.contactMinPerDayLeast);
    EXPECT_EQ(json["summary"]["longest_gap_min"].get<double>(), *summary.longestGapMin);
    ASSERT_EQ(json["events"].size(), contacts.size());
    for (std::size_t k = 0; k < contacts.size(); ++k) {
        const Json& e = json["events"][k];
        EXPECT_EQ(e["aos_utc"], lib.Time(contacts[k].aosS));
        EXPECT_EQ(e["los_utc"], lib.Time(contacts[k].losS));
        EXPECT_EQ(e["max_elevation_utc"], lib.Time(contacts[k].maxElevationS));
        EXPECT_EQ(e["duration_min"].get<double>(), contacts[k].DurationMin());
        EXPECT_EQ(e["los_azimuth_deg"].get<double>(), contacts[k].losAzimuthDeg);
    }
    // Kiruna, near 68 degrees north, sees the near-polar orbit on most revolutions.
    EXPECT_GT(summary.contactsPerDay, 8);
}

TEST(AccessCommand, TextGivesTheSettingTheSummaryAndOneLinePerEvent)
{
    const CommandRun sites = RunAccess({"--site", "43.6,1.44", "--swath", "290", "--days", "30"});
    ASSERT_EQ(sites.status, 0) << sites.err;
    for (const char* label : {"Design ", "Epoch ", "Node ", "Local time ", "Span ", "Look ", "Site ", "Looks "})
        EXPECT_NE(("\n" + sites.out).find(std::string("\n") + label), std::string::npos) << label;
    const Library lib(30.0);
    const access::SiteAccess expected = access::SiteAccessOver(
        lib.Samples(), access::SunOverSpan(lib.epoch, lib.spanS), {43.6, 1.44}, {access::LookLimit::Swath, 290, {}});
    int lines = 0;
    std::istringstream in(sites.out);
    for (std::string line; std::getline(in, line);)
        lines += std::regex_search(line, std::regex("^" + std::string(R"(\d{4}-\d\d-\d\dT)")));
    EXPECT_EQ(lines, expected.summary.looks);
    ASSERT_TRUE(expected.summary.firstLookS);
    EXPECT_NE(sites.out.find(lib.Time(*expected.summary.firstLookS)), std::string::npos);

    const CommandRun station = RunAccess({"--station", "43.6,1.44", "--days", "2"});
    ASSERT_EQ(station.status, 0) << station.err;
    EXPECT_NE(station.out.find("\nContacts "), std::string::npos);
    EXPECT_NE(station.out.find("\nLongest gap "), std::string::npos);
}

TEST(AccessCommand, CsvListsEveryEventAtFullPrecision)
{
    const CommandRun json = RunAccess({"--site", "43.6,1.44", "--swath", "290", "--json"});
    const CommandRun csv = RunAccess({"--site", "43.6,1.44", "--swath", "290", "--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const Json events = Json::parse(json.out)["events"];
    std::istringstream in(csv.out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "name,time_utc,mjd_utc,direction,cross_track_km,off_nadir_deg,elevation_deg,local_time_h,"
                    "sun_elevation_deg,look");
    std::size_t rows = 0;
    for (; std::getline(in, line); ++rows) {
        ASSERT_LT(rows, events.size());
        // The name typed as "43.6,1.44" is quoted; the cross-track figure
        // reads back as the very double.
        ASSERT_EQ(line.rfind("\"43.6,1.44\",", 0), 0u) << line;
        std::vector<std::string> cells;
        std::stringstream rest(line.substr(12));
        for (std::string cell; std::getline(rest, cell, ',');)
            cells.push_back(cell);
        ASSERT_EQ(cells.size(), 9u);
        EXPECT_EQ(cells[0], events[rows]["time_utc"]);
        EXPECT_EQ(std::stod(cells[3]), events[rows]["cross_track_km"].get<double>());
    }
    EXPECT_EQ(rows, events.size());

    const CommandRun stations = RunAccess({"--station", "67.86,20.96", "--csv", "--days", "1"});
    ASSERT_EQ(stations.status, 0) << stations.err;
    EXPECT_EQ(stations.out.substr(0, stations.out.find('\n')),
              "name,aos_utc,los_utc,duration_min,max_elevation_deg,max_elevation_utc,aos_azimuth_deg,"
              "los_azimuth_deg,aos_cut,los_cut");
}

TEST(AccessCommand, SeveralPlacesAndFilesOfThemGoInPlaces)
{
    const CommandRun two = RunAccess({"--site", "43.6,1.44", "--site", "-33.9,151.2", "--off-nadir", "30", "--json"});
    ASSERT_EQ(two.status, 0) << two.err;
    const Json places = Json::parse(two.out)["places"];
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[1]["site"]["name"], "-33.9,151.2");
    EXPECT_EQ(places[1]["site"]["latitude_deg"], -33.9);
    EXPECT_FALSE(Json::parse(two.out).contains("events"));

    const std::string file = TempFile("stations.csv", "name,latitude_deg,longitude_deg,height_m\r\n"
                                                      "Kiruna,67.86,20.96,390\r\n\r\nToulouse,43.6,1.44,150\r\n");
    const CommandRun listed = RunAccess({"--stations-file", file, "--mask", "10", "--json", "--days", "3"});
    ASSERT_EQ(listed.status, 0) << listed.err;
    const Json stations = Json::parse(listed.out)["places"];
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_EQ(stations[0]["station"]["name"], "Kiruna");
    EXPECT_EQ(stations[1]["station"]["height_m"], 150);
    EXPECT_EQ(stations[1]["station"]["mask_deg"], 10);
    const Library lib(3.0);
    EXPECT_EQ(stations[1]["summary"]["contacts"],
              access::SummarizeContacts(access::StationContacts(lib.Samples(), {43.6, 1.44, 150, 10}), lib.spanS).contacts);

    const std::string sites = TempFile("sites.csv", "name,latitude_deg,longitude_deg\nToulouse,43.6,1.44\n");
    const CommandRun one = RunAccess({"--sites-file", sites, "--swath", "290", "--json"});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(Json::parse(one.out)["places"][0]["site"]["name"], "Toulouse");
}

TEST(AccessCommand, BadInputExitsTwoNamingTheOption)
{
    const std::string badHeader = TempFile("bad_header.csv", "place,lat,lon\nA,1,2\n");
    const std::string badRow = TempFile("bad_row.csv", "name,latitude_deg,longitude_deg\nA,91,2\n");
    const std::string shortRow = TempFile("short_row.csv", "name,latitude_deg,longitude_deg\nA,1\n");
    const std::string empty = TempFile("empty.csv", "");
    const std::string heights = TempFile("heights.csv", "name,latitude_deg,longitude_deg,height_m\nA,1,2,3\n");
    const std::string control = TempFile("control.csv", "name,latitude_deg,longitude_deg\nA\x1b[2J,1,2\n");
    struct Case {
        Args extra;
        std::string error;
    } const cases[] = {
        {{"--site", "95,10", "--swath", "290"}, "--site: latitude 95 is beyond ±90 degrees"},
        {{"--site", "10,-180.5", "--swath", "290"}, "--site: longitude -180.5 is beyond ±180 degrees"},
        {{"--site", "10", "--swath", "290"}, "--site: '10' is not LAT,LON"},
        {{"--site", "10,east", "--swath", "290"}, "--site: 'east' is not a number"},
        {{"--site", "10,20", "--swath", "0"}, "--swath: '0' is not positive"},
        {{"--site", "10,20", "--swath", "-3"}, "--swath: '-3' is not positive"},
        {{"--site", "10,20", "--off-nadir", "0"}, "--off-nadir: '0' is not an angle above 0"},
        {{"--site", "10,20", "--off-nadir", "90"}, "--off-nadir: '90' is not an angle above 0"},
        {{"--site", "10,20"}, "--swath or --off-nadir: a site needs exactly one of them"},
        {{"--site", "10,20", "--swath", "290", "--off-nadir", "20"}, "--swath or --off-nadir"},
        {{"--site", "10,20", "--swath", "290", "--sun-min", "91"}, "--sun-min: '91' is outside -90 to 90"},
        {{"--site", "10,20", "--swath", "290", "--mask", "5"}, "--mask: applies to a station"},
        {{"--station", "10,20", "--mask", "91"}, "--mask: '91' is outside -5 to 90 degrees"},
        {{"--station", "10,20", "--mask", "-5.5"}, "--mask: '-5.5' is outside -5 to 90 degrees"},
        {{"--station", "10,20", "--swath", "290"}, "--swath: applies to a site"},
        {{"--station", "10,20,1e7"}, "--station: height 1e+07 m is outside"},
        {{"--station", "10,20", "--site", "1,2", "--swath", "290"}, "--site and --station"},
        {{"--swath", "290"}, "--site or --station"},
        {{"--site", "10,20", "--swath", "290", "--days", "0"}, "--days: '0' is not positive"},
        {{"--site", "10,20", "--swath", "290", "--days", "367"}, "--days: '367' is too large"},
        {{"--sites-file", ::testing::TempDir() + "/no_such.csv", "--swath", "290"}, "--sites-file: cannot read"},
        {{"--sites-file", badHeader, "--swath", "290"}, "line 1: the header must be name,latitude_deg,longitude_deg"},
        {{"--sites-file", badRow, "--swath", "290"}, "bad_row.csv line 2: latitude 91 is beyond ±90 degrees"},
        {{"--sites-file", shortRow, "--swath", "290"}, "short_row.csv line 2: 2 fields where the header has 3"},
        {{"--stations-file", empty}, "--stations-file: '" + empty + "' has no header line"},
        {{"--sites-file", heights, "--swath", "290"}, "a site lies on the ground (the WGS84 ellipsoid) and has no height_m column"},
        {{"--sites-file", control, "--swath", "290"}, "control.csv line 2: the name holds a control character"},
        {{"--station", "10,20", "--csv", "--json"}, "--csv excludes --json"},
    };
    for (const Case& c : cases) {
        const CommandRun run = RunAccess(c.extra);
        EXPECT_EQ(run.status, 2) << ::testing::PrintToString(c.extra) << run.err;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const CommandRun noEpoch = orbit::cli::testing::RunInProcess(
        orbit::cli::AddAccessCommand, "access", {"--n", "14", "--m", "3", "--q", "10", "--sun-sync", "--station", "1,2"});
    EXPECT_EQ(noEpoch.status, 2);
    EXPECT_NE(noEpoch.err.find("--epoch"), std::string::npos) << noEpoch.err;
}

TEST(AccessCommand, FailingDesignExitsOneWithItsError)
{
    const CommandRun run = orbit::cli::testing::RunInProcess(
        orbit::cli::AddAccessCommand, "access",
        {"--n", "40000", "--m", "3", "--q", "10", "--sun-sync", "--epoch", kEpoch, "--ltan", "10:30", "--station", "1,2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Overflow\n");
    EXPECT_EQ(run.out, "");

    // A design without a whole cycle has no default span, but --days gives one.
    const Args fractional = {"--n", "14.5", "--m", "0", "--q", "1", "--sun-sync", "--epoch", kEpoch,
                             "--ltan", "10:30", "--station", "1,2"};
    const CommandRun noCycle = orbit::cli::testing::RunInProcess(orbit::cli::AddAccessCommand, "access", fractional);
    EXPECT_EQ(noCycle.status, 1);
    EXPECT_NE(noCycle.err.find("give the span with --days"), std::string::npos) << noCycle.err;
    Args withDays = fractional;
    withDays.insert(withDays.end(), {"--days", "1"});
    EXPECT_EQ(orbit::cli::testing::RunInProcess(orbit::cli::AddAccessCommand, "access", withDays).status, 0);
}

}  // namespace
