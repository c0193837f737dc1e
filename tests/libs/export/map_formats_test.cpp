// The ground track as GeoJSON and KML, read back: GeoJSON with nlohmann-json,
// KML with the tests' XML check, and both against the track they were drawn
// from.

#include "export/map_formats.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"
#include "core/repeat_orbit_solver.h"
#include "map/day_tracks.h"
#include "tests/libs/export/test_clock.h"
#include "tests/libs/export/xml_check.h"
#include "tests/support/test_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <numbers>
#include <regex>

namespace orbit::exports {
namespace {

constexpr double kSwathKm = 290;

DesignRecord SentinelDesign()
{
    DesignRecord record;
    SolveRepeatOrbit(RepeatOrbitInputs::Fixed(14, 3, 10, OrbitType::SunSynchronous), {}, record);
    return record;
}

// The design's own track, its first node moved to 170 degrees east so that
// the first revolution already crosses the antimeridian.
TrackExport SentinelTrack(double days, double swathKm)
{
    const DesignRecord design = SentinelDesign();
    const analysis::GroundTrack track(design);
    TrackExport t;
    t.name = "Sentinel & co <test>";
    t.where = [track](const std::vector<double>& times) {
        std::vector<world_map::LonLat> points;
        for (const double s : times) {
            const analysis::GroundPoint p = track.At(s);
            points.push_back({analysis::WrapLongitudeDeg(p.longitudeDeg + 170), p.latitudeDeg});
        }
        return points;
    };
    t.utc = testing::TestClock("2027-03-21T00:00:00Z");
    t.dayLengthS = world_map::DayLengthS(design);
    t.spanS = days * t.dayLengthS;
    t.swathKm = swathKm;
    t.description = {"Design: N 14, M 3, Q 10, sun-synchronous"};
    return t;
}

double CentralAngleRad(double lon1, double lat1, double lon2, double lat2)
{
    constexpr double r = std::numbers::pi / 180;
    const double c = std::sin(lat1 * r) * std::sin(lat2 * r) + std::cos(lat1 * r) * std::cos(lat2 * r) * std::cos((lon1 - lon2) * r);
    return std::acos(std::clamp(c, -1.0, 1.0));
}

void ExpectOnTheGlobe(const nlohmann::json& position)
{
    ASSERT_EQ(position.size(), 2u);
    EXPECT_GE(position[0].get<double>(), -180);
    EXPECT_LE(position[0].get<double>(), 180);
    EXPECT_GE(position[1].get<double>(), -90);
    EXPECT_LE(position[1].get<double>(), 90);
}

TEST(GeoJsonTrack, HasOneTrackFeatureADayWithItsTimes)
{
    const TrackExport t = SentinelTrack(2.5, 0);
    const nlohmann::json json = nlohmann::json::parse(WriteGeoJson(t));
    EXPECT_EQ(json.at("type"), "FeatureCollection");
    const auto& features = json.at("features");
    ASSERT_EQ(features.size(), 3u);
    static const std::regex iso(R"(\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}\.\d{3}Z)");
    for (std::size_t day = 0; day < features.size(); ++day) {
        const auto& p = features[day].at("properties");
        EXPECT_EQ(features[day].at("type"), "Feature");
        EXPECT_EQ(p.at("kind"), "ground_track");
        EXPECT_EQ(p.at("day"), day);
        EXPECT_TRUE(std::regex_match(p.at("start_utc").get<std::string>(), iso));
        EXPECT_EQ(p.at("start_utc"), t.utc(static_cast<double>(day) * t.dayLengthS, 3));
        if (day > 0) {
            EXPECT_EQ(p.at("start_utc"), features[day - 1].at("properties").at("end_utc"));
        }
        EXPECT_EQ(p.at("datum"), "WGS84");
        EXPECT_NE(p.at("positions").get<std::string>().find("geodetic"), std::string::npos);
        EXPECT_EQ(features[day].at("geometry").at("type"), "MultiLineString");
    }
    EXPECT_EQ(features[2].at("properties").at("end_utc"), t.utc(t.spanS, 3));
}

// A refined cycle ends a fraction of a second past its tenth day: the
// remainder belongs to the last day, not to a day of its own.
TEST(TrackDays, FoldARemainderUnderAMinuteIntoTheLastDay)
{
    struct Case {
        const char* name;
        double wholeDays, extraS;
        std::size_t days;
    } const cases[] = {
        {"a tenth of a second past", 10, 0.1, 10},
        {"just under a minute past", 10, 59.9, 10},
        {"a minute and more past", 10, 61, 11},
        {"a microsecond short", 10, -1e-7, 10},
        {"a short span alone", 0, 30, 1},
    };
    for (const Case& c : cases) {
        TrackExport t = SentinelTrack(1, 0);
        t.spanS = c.wholeDays * t.dayLengthS + c.extraS;
        const std::vector<TrackDay> days = LayTrackDays(t);
        ASSERT_EQ(days.size(), c.days) << c.name;
        EXPECT_EQ(days.back().endS, t.spanS) << c.name;
        EXPECT_EQ(days.back().endUtc, t.utc(t.spanS, 3)) << c.name;
        for (std::size_t k = 1; k < days.size(); ++k)
            EXPECT_EQ(days[k].startS, days[k - 1].endS) << c.name;
    }
}

TEST(GeoJsonTrack, FollowsTheTrackEvery30sAndSplitsAtTheAntimeridian)
{
    const TrackExport t = SentinelTrack(1, 0);
    const nlohmann::json json = nlohmann::json::parse(WriteGeoJson(t));
    const auto& lines = json.at("features")[0].at("geometry").at("coordinates");
    ASSERT_GT(lines.size(), 14u);  // a day of 14 revolutions crosses the antimeridian at least 14 times
    std::size_t points = 0, onEdge = 0;
    for (const auto& line : lines) {
        ASSERT_GE(line.size(), 2u);
        for (std::size_t k = 0; k < line.size(); ++k) {
            ExpectOnTheGlobe(line[k]);
            if (k > 0) {
                // No step inside one line runs across the map.
                EXPECT_LT(std::fabs(line[k][0].get<double>() - line[k - 1][0].get<double>()), 180);
            }
            onEdge += std::fabs(line[k][0].get<double>()) == 180;
        }
        points += line.size();
    }
    // Every piece but the first starts on the edge, every piece but the last ends there.
    EXPECT_EQ(onEdge, 2 * (lines.size() - 1));
    EXPECT_GE(points - onEdge, static_cast<std::size_t>(t.spanS / kMaxTrackStepS));
    // The first point is the track's at the epoch; the last its at the day's end.
    const world_map::LonLat start = t.where({0.0})[0], end = t.where({t.spanS})[0];
    EXPECT_NEAR(lines.front().front()[0].get<double>(), start.lonDeg, 1e-6);
    EXPECT_NEAR(lines.front().front()[1].get<double>(), start.latDeg, 1e-6);
    EXPECT_NEAR(lines.back().back()[0].get<double>(), end.lonDeg, 1e-6);
    EXPECT_NEAR(lines.back().back()[1].get<double>(), end.latDeg, 1e-6);
}

TEST(GeoJsonSwath, LaysEachDaysBandAsClosedRingsAtHalfTheWidthFromTheTrack)
{
    const TrackExport t = SentinelTrack(1, kSwathKm);
    const nlohmann::json json = nlohmann::json::parse(WriteGeoJson(t));
    const auto& features = json.at("features");
    ASSERT_EQ(features.size(), 2u);
    const auto& swath = features[1];
    EXPECT_EQ(swath.at("properties").at("kind"), "swath");
    EXPECT_EQ(swath.at("properties").at("swath_km"), kSwathKm);
    EXPECT_NE(swath.at("properties").at("swath").get<std::string>().find("sphere"), std::string::npos);
    EXPECT_EQ(swath.at("geometry").at("type"), "MultiPolygon");

    // The track finely sampled, to measure each ring corner's distance from it.
    std::vector<double> denseTimes;
    for (double s = 0; s <= t.spanS; s += 2)
        denseTimes.push_back(s);
    const std::vector<world_map::LonLat> dense = t.where(denseTimes);
    const double halfRad = 0.5 * kSwathKm / 6378.145;
    double farthest = 0;
    std::size_t corner = 0;
    for (const auto& polygon : swath.at("geometry").at("coordinates")) {
        ASSERT_EQ(polygon.size(), 1u);  // an outer ring, no holes
        const auto& ring = polygon[0];
        ASSERT_GE(ring.size(), 4u);
        EXPECT_EQ(ring.front(), ring.back());
        double area = 0;
        for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
            ExpectOnTheGlobe(ring[k]);
            area += ring[k][0].get<double>() * ring[k + 1][1].get<double>() -
                    ring[k + 1][0].get<double>() * ring[k][1].get<double>();
            if (corner++ % 37 != 0 || std::fabs(ring[k][0].get<double>()) == 180)
                continue;  // a sample of the corners; those cut at the edge lie on it, not at the band's rim
            double nearest = 10;
            for (const world_map::LonLat& p : dense)
                nearest = std::min(nearest, CentralAngleRad(ring[k][0].get<double>(), ring[k][1].get<double>(), p.lonDeg, p.latDeg));
            EXPECT_LT(nearest, halfRad * 1.01 + 0.5 / 6378.0);
            farthest = std::max(farthest, nearest);
        }
        EXPECT_GT(area, 0) << "an outer ring turns clockwise";
    }
    // The band's rim lies at half the width: the corners there are that far out.
    EXPECT_GT(farthest, 0.99 * halfRad);
}

TEST(KmlTrack, IsWellFormedWithAFolderADayAndItsTimes)
{
    const TrackExport t = SentinelTrack(2.5, kSwathKm);
    const std::string kml = WriteKml(t);
    ASSERT_EQ(testing::XmlProblem(kml), "");
    EXPECT_NE(kml.find("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"), std::string::npos);
    EXPECT_NE(kml.find("<name>Sentinel &amp; co &lt;test&gt;</name>"), std::string::npos);
    EXPECT_NE(kml.find("geodetic latitude and longitude on the WGS84 ellipsoid"), std::string::npos);
    EXPECT_NE(kml.find("The swath band is laid around the track on a sphere"), std::string::npos);
    std::size_t folders = 0;
    for (std::size_t at = kml.find("<Folder>"); at != std::string::npos; at = kml.find("<Folder>", at + 1))
        ++folders;
    EXPECT_EQ(folders, 3u);
    for (int day = 0; day < 3; ++day) {
        const std::string begin = "<TimeSpan><begin>" + t.utc(day * t.dayLengthS, 3) + "</begin><end>" +
                                  t.utc(std::min(t.spanS, (day + 1) * t.dayLengthS), 3) + "</end></TimeSpan>";
        EXPECT_NE(kml.find(begin), std::string::npos) << begin;
        EXPECT_NE(kml.find("<Data name=\"day\"><value>" + std::to_string(day) + "</value></Data>"), std::string::npos);
    }
    EXPECT_NE(kml.find("<Data name=\"swath_km\"><value>290.000</value></Data>"), std::string::npos);
    // Every coordinate tuple lies on the globe.
    static const std::regex tuple(R"((-?[0-9.]+),(-?[0-9.]+),0)");
    std::size_t tuples = 0;
    for (auto it = std::sregex_iterator(kml.begin(), kml.end(), tuple); it != std::sregex_iterator(); ++it, ++tuples) {
        const double lon = std::stod((*it)[1]), lat = std::stod((*it)[2]);
        ASSERT_TRUE(std::fabs(lon) <= 180 && std::fabs(lat) <= 90) << it->str();
    }
    EXPECT_GT(tuples, static_cast<std::size_t>(t.spanS / kMaxTrackStepS));
}

struct XmlCase {
    const char* description;
    const char* text;
};
class XmlCheckRefuses : public ::testing::TestWithParam<XmlCase> {};
TEST_P(XmlCheckRefuses, TheMalformedText) { EXPECT_NE(testing::XmlProblem(GetParam().text), ""); }
INSTANTIATE_TEST_SUITE_P(
    Texts, XmlCheckRefuses,
    ::testing::Values(XmlCase{"crossed tags", "<a><b></a></b>"}, XmlCase{"an unclosed root", "<a><b/>"},
                      XmlCase{"a bare ampersand", "<a>salt & pepper</a>"},
                      XmlCase{"an unquoted attribute", "<a b=1/>"}, XmlCase{"two roots", "<a/><b/>"},
                      XmlCase{"a repeated attribute", "<a b='1' b='2'/>"},
                      XmlCase{"an unknown entity", "<a>&nbsp;</a>"}),
    [](const auto& param) { return test_names::FromDescription(param.param.description); });

TEST(TrackExport, RefusesSamplesFartherApartThan30s)
{
    TrackExport t = SentinelTrack(1, 0);
    t.sampleStepS = 31;
    EXPECT_THROW(WriteGeoJson(t), OrbitError);
    t.sampleStepS = 30;
    t.spanS = 0;
    EXPECT_THROW(WriteKml(t), OrbitError);
}

}  // namespace
}  // namespace orbit::exports
