// Station contacts: held against the elevation sampled every second from the
// positions in kilometres (the station on WGS84), against what the geometry
// of a polar station and the span's ends make certain, and against the same
// station put on the design's sphere, where its contacts are shorter.

#include "access/station_contacts.h"

#include "analysis/ground_track.h"
#include "core/orbit_error.h"
#include "ephemeris/orbit_node.h"
#include "tests/libs/access/solved_orbit.h"
#include "tests/libs/access/wgs84_points.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace orbit::access {
namespace {

using testing::SolvedOrbit;
using testing::Solve;
constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;
constexpr double kNodeLongitudeRad = -1.1;

Vector3 Ecef(double latDeg, double lonDeg, double radius)
{
    const Vector3 u = UnitVectorAt(latDeg * kDeg, lonDeg * kDeg);
    return {radius * u[0], radius * u[1], radius * u[2]};
}

// Elevation and azimuth from the topocentric line of sight, in kilometres,
// the station on the ellipsoid and its horizon the ellipsoid's tangent plane.
struct Sight {
    double elevationDeg, azimuthDeg;
};
Sight SightAt(const SolvedOrbit& orbit, const Station& station, double t)
{
    const analysis::GroundPoint g = analysis::GroundTrack(orbit.record).At(t);
    const Vector3 sat = Ecef(g.latitudeDeg, g.longitudeDeg + kNodeLongitudeRad / kDeg, orbit.solution.SemiMajorAxis);
    const Vector3 site = testing::Wgs84Position(station.latitudeDeg, station.longitudeDeg, station.heightM / 1000);
    const Vector3 line = testing::Sub(sat, site);
    const double lon = station.longitudeDeg * kDeg;
    const Vector3 up = testing::Wgs84Up(station.latitudeDeg, station.longitudeDeg);
    const Vector3 east = {-std::sin(lon), std::cos(lon), 0};
    const Vector3 north = Cross(up, east);
    const double az = std::atan2(Dot(line, east), Dot(line, north)) / kDeg;
    return {std::asin(Dot(line, up) / Norm(line)) / kDeg, az < 0 ? az + 360 : az};
}

struct SampledContact {
    double aosS, losS, maxElevationDeg, maxElevationS;
};

std::vector<SampledContact> SampledContacts(const SolvedOrbit& orbit, const Station& station, double spanS)
{
    std::vector<SampledContact> contacts;
    const auto excess = [&](double t) { return SightAt(orbit, station, t).elevationDeg - station.maskDeg; };
    double previous = excess(0);
    bool inside = previous >= 0;
    SampledContact current{0, 0, -90, 0};
    for (double t = 1; t <= spanS; t += 1) {
        const double now = excess(t);
        if (!inside && now >= 0) {
            current = {t - now / (now - previous), 0, -90, 0};
            inside = true;
        } else if (inside && now < 0) {
            current.losS = t - now / (now - previous);
            contacts.push_back(current);
            inside = false;
        }
        if (inside && now + station.maskDeg > current.maxElevationDeg) {
            current.maxElevationDeg = now + station.maskDeg;
            current.maxElevationS = t;
        }
        previous = now;
    }
    if (inside) {
        current.losS = spanS;
        contacts.push_back(current);
    }
    return contacts;
}

struct StationCase {
    std::string name;
    SolvedOrbit orbit;
    Station station;
};

void PrintTo(const StationCase& c, std::ostream* out) { *out << c.name; }

class StationContacts : public ::testing::TestWithParam<StationCase> {};

TEST_P(StationContacts, AgreeWithTheElevationSampledEverySecond)
{
    const StationCase& c = GetParam();
    const double spanS = 2 * 86400;
    const SatelliteTrack track(c.orbit.record, c.orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const std::vector<Contact> found = access::StationContacts(TrackSamples(track, spanS), c.station);
    const std::vector<SampledContact> expected = SampledContacts(c.orbit, c.station, spanS);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        SCOPED_TRACE("contact " + std::to_string(k));
        const Contact& f = found[k];
        EXPECT_NEAR(f.aosS, expected[k].aosS, 0.05);
        EXPECT_NEAR(f.losS, expected[k].losS, 0.05);
        // The sampled peak is the best whole second.
        EXPECT_NEAR(f.maxElevationS, expected[k].maxElevationS, 0.6);
        EXPECT_NEAR(f.maxElevationDeg, SightAt(c.orbit, c.station, f.maxElevationS).elevationDeg, 1e-6);
        EXPECT_GE(f.maxElevationDeg, expected[k].maxElevationDeg - 1e-9);
        EXPECT_NEAR(f.aosAzimuthDeg, SightAt(c.orbit, c.station, f.aosS).azimuthDeg, 1e-6);
        EXPECT_NEAR(f.losAzimuthDeg, SightAt(c.orbit, c.station, f.losS).azimuthDeg, 1e-6);
        if (!f.aosCut) {
            EXPECT_NEAR(SightAt(c.orbit, c.station, f.aosS).elevationDeg, c.station.maskDeg, 1e-6);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Stations, StationContacts,
    ::testing::Values(StationCase{"ToulouseFrom786KmSunSynchronous", Solve(14, 3, 10), {43.6, 1.44, 150, 5}},
                      StationCase{"KirunaFromInclined65", Solve(15, 1, 3, OrbitType::ChooseInclination, 65),
                                  {67.86, 20.96, 390, 10}},
                      StationCase{"EquatorBelowHorizonMask", Solve(14, 1, 3, OrbitType::ChooseInclination, 120),
                                  {0.5, -70, 0, -2}}),
    [](const ::testing::TestParamInfo<StationCase>& p) { return p.param.name; });

TEST(StationContacts, MidLatitudeStationOfA786KmSunSynchronousOrbit)
{
    // About four to five contacts a day, none longer than the pass straight
    // overhead (twice the mask's central angle at the track's ground rate,
    // about 12.6 min). The 10:30 descending node brings the satellite over
    // Toulouse in two bunches a day, late in the morning and late in the
    // evening (local mean solar time), so the long gaps fall in the
    // afternoon and in the small hours.
    const SolvedOrbit orbit = Solve(14, 3, 10);
    ASSERT_NEAR(orbit.solution.MeanAltitude, 786, 0.5);
    const ephemeris::Instant epoch = ephemeris::ParseIsoUtc("2027-09-01T00:00:00Z");
    const ephemeris::OrbitNode node =
        ephemeris::ResolveNode(epoch, {ephemeris::NodeGiven::Ltdn, 10.5}, orbit.record.Incl, orbit.record.NodeRate);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, node.longitudeRad);
    const double spanS = testing::CycleSeconds(orbit);
    const Station toulouse{43.6, 1.44, 150, 5};
    const std::vector<Contact> contacts = access::StationContacts(TrackSamples(track, spanS), toulouse);
    const ContactSummary summary = SummarizeContacts(contacts, spanS);
    EXPECT_GE(summary.contactsPerDay, 4);
    EXPECT_LE(summary.contactsPerDay, 5.5);
    double longest = 0;
    for (const Contact& c : contacts) {
        longest = std::max(longest, c.DurationMin());
        const ephemeris::UtcCalendar clock = epoch.PlusSeconds(c.maxElevationS).Calendar();
        const double localH = std::fmod(clock.hour + clock.minute / 60.0 + toulouse.longitudeDeg / 15 + 24, 24.0);
        const double fromMorning = std::fabs(std::remainder(localH - 10.5, 24.0));
        const double fromEvening = std::fabs(std::remainder(localH - 22.5, 24.0));
        EXPECT_LT(std::min(fromMorning, fromEvening), 3.5) << localH;
    }
    EXPECT_GT(longest, 11.5);
    EXPECT_LT(longest, 13.0);
    ASSERT_TRUE(summary.longestGapMin);
    EXPECT_GT(*summary.longestGapMin, 8 * 60);
    EXPECT_LT(*summary.longestGapMin, 12 * 60);
}

TEST(StationContacts, PolarStationSeesEveryRevolutionAtItsTurningPoint)
{
    // The sub-satellite point comes nearest the pole where the argument of
    // latitude is 90 degrees, a quarter period after each node, whatever the
    // Earth's turn.
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const double period = orbit.record.NodalPeriod;
    const double spanS = 3 * 86400;
    const std::vector<Contact> contacts = access::StationContacts(TrackSamples(track, spanS), {90, 0, 0, 5});
    const auto revolutions = static_cast<std::size_t>(std::floor((spanS - period / 4) / period)) + 1;
    ASSERT_EQ(contacts.size(), revolutions);
    for (std::size_t k = 0; k < contacts.size(); ++k) {
        EXPECT_NEAR(contacts[k].maxElevationS, period / 4 + static_cast<double>(k) * period, 1e-3);
        EXPECT_NEAR(contacts[k].maxElevationDeg, contacts[0].maxElevationDeg, 1e-9);
    }
}

TEST(StationContacts, ContactsCutByTheSpanAreListedAndCounted)
{
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, kNodeLongitudeRad);
    const Station underNode{0, kNodeLongitudeRad / kDeg, 0, 5};
    const std::vector<Contact> whole = access::StationContacts(TrackSamples(track, 86400), underNode);
    ASSERT_GE(whole.size(), 3u);
    EXPECT_TRUE(whole.front().aosCut);
    EXPECT_EQ(whole.front().aosS, 0);
    EXPECT_NEAR(whole.front().maxElevationDeg, 90, 1e-6);
    EXPECT_FALSE(whole[1].aosCut);

    // A span ending at the second contact's highest point.
    const double end = whole[1].maxElevationS;
    const std::vector<Contact> cut = access::StationContacts(TrackSamples(track, end), underNode);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_TRUE(cut[1].losCut);
    EXPECT_FALSE(cut[1].aosCut);
    EXPECT_EQ(cut[1].losS, end);
    EXPECT_NEAR(cut[1].aosS, whole[1].aosS, 1e-5);
    EXPECT_EQ(SummarizeContacts(cut, end).contacts, 2);
}

TEST(StationContacts, SummaryCountsEachDayItsOwnShare)
{
    // A contact across midnight is split between its two days.
    std::vector<Contact> contacts(3);
    contacts[0].aosS = 100, contacts[0].losS = 700;
    contacts[1].aosS = 86000, contacts[1].losS = 87000;
    contacts[2].aosS = 90000, contacts[2].losS = 90600;
    const ContactSummary two = SummarizeContacts(contacts, 2 * 86400);
    EXPECT_EQ(two.contacts, 3);
    EXPECT_DOUBLE_EQ(two.contactsPerDay, 1.5);
    EXPECT_DOUBLE_EQ(two.contactMinPerDayMean, (600 + 1000 + 600) / 60.0 / 2);
    EXPECT_DOUBLE_EQ(*two.contactMinPerDayLeast, (600 + 400) / 60.0);
    EXPECT_DOUBLE_EQ(*two.contactMinPerDayMost, (600 + 600) / 60.0);
    EXPECT_DOUBLE_EQ(*two.longestGapMin, (86000 - 700) / 60.0);

    const ContactSummary part = SummarizeContacts({contacts[0]}, 43200);
    EXPECT_FALSE(part.contactMinPerDayLeast);
    EXPECT_FALSE(part.longestGapMin);
    EXPECT_DOUBLE_EQ(part.contactsPerDay, 2);
}

TEST(StationContacts, RefusesAStationAboveTheOrbit)
{
    const SolvedOrbit orbit = Solve(14, 3, 10);
    const SatelliteTrack track(orbit.record, orbit.solution.SemiMajorAxis, 0);
    try {
        access::StationContacts(TrackSamples(track, 86400), {0, 0, 1e6, 5});
        FAIL() << "no error";
    } catch (const OrbitError& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::InvalidArgument);
    }
}

}  // namespace
}  // namespace orbit::access
