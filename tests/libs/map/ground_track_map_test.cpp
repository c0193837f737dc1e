// What a map of one design offers: its days, its title, its limits, and the
// days' colours.

#include "map/ground_track_map.h"

#include "core/orbit_error.h"
#include "map/day_colours.h"
#include "tests/libs/map/map_fixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using world_map::GroundTrackMap;

TEST(GroundTrackMap, OffersTheWholeCycleUpToItsLimits)
{
    struct Case {
        const char* name;
        world_map::MapDesign design;
        int days;
    } const cases[] = {
        {"ThreeDayCycle", map_test::SunSync(14, 1, 3), 3},
        {"OneDayCycle", map_test::Inclined(15, 1, 1, 65), 1},
        {"ThirtyDays", map_test::SunSync(14, 7, 30), 30},
        {"BeyondAHundredDays", map_test::SunSync(14, 1, 300), 100},
        {"FractionalCycle", map_test::Inclined(14, 1, 2.5, 65), 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GroundTrackMap(c.design).DayLimit(), c.days) << c.name;
}

TEST(GroundTrackMap, TitlesTheDesignAsTheDesignWindowShowsIt)
{
    const world_map::MapDesign sunSync = map_test::SunSync(14, 1, 3);
    GroundTrackMap map(sunSync, 290);
    EXPECT_EQ(map.Title(), "N 14, M 1, Q 3, sun-synchronous, altitude 774.98 km, inclination 98.497\u00b0");
    EXPECT_EQ(map.Subtitle(3), "Ground track over 3 days, swath 290 km");
    map.SetSwathKm(0);
    EXPECT_EQ(map.Subtitle(1), "Ground track over 1 day");
    EXPECT_EQ(GroundTrackMap(map_test::Inclined(14, -1, 3, 65)).Title(),
              "N 14, M -1, Q 3, altitude 961.50 km, inclination 65.0\u00b0");
}

// The altitude is formed again from the record; it must be the solver's own.
TEST(GroundTrackMap, TakesTheSolversAltitude)
{
    for (const orbit::OrbitType type : {orbit::OrbitType::SunSynchronous, orbit::OrbitType::ChooseInclination}) {
        orbit::DesignRecord record;
        const orbit::RepeatOrbitSolution solution =
            orbit::SolveRepeatOrbit(orbit::RepeatOrbitInputs::Fixed(14, 3, 10, type, 51, 6), {}, record);
        EXPECT_EQ(world_map::MapDesignOf(record, type).meanAltitudeKm, solution.MeanAltitude);
    }
}

TEST(GroundTrackMap, RefusesWhatItCannotDraw)
{
    world_map::MapDesign noTrack = map_test::SunSync(14, 1, 3);
    noTrack.record.NodalPeriod = 0;
    world_map::MapDesign tooFast = map_test::SunSync(14, 1, 3);
    tooFast.record.N = 4000;
    const world_map::MapDesign design = map_test::SunSync(14, 1, 3);
    struct Case {
        const char* name;
        std::function<void()> call;
        orbit::ErrorKind kind;
    } const cases[] = {
        {"NoTrack", [&] { GroundTrackMap{noTrack}; }, orbit::ErrorKind::InvalidArgument},
        {"TooManyRevolutions", [&] { GroundTrackMap{tooFast}; }, orbit::ErrorKind::InvalidArgument},
        {"NegativeSwath", [&] { GroundTrackMap(design, -1); }, orbit::ErrorKind::Usage},
        {"SwathTooWide", [&] { GroundTrackMap(design, 5001); }, orbit::ErrorKind::Usage},
        {"SwathNotANumber", [&] { GroundTrackMap(design, std::nan("")); }, orbit::ErrorKind::Usage},
        {"DayBeyondTheCycle", [&] { GroundTrackMap(design).Day(3); }, orbit::ErrorKind::InvalidArgument},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const orbit::OrbitError& e) {
            EXPECT_EQ(e.Kind(), c.kind) << c.name;
        }
    }
}

// Each day starts where the one before ended, and every piece lies on the map.
TEST(GroundTrackMap, DaysFollowOnAndStayOnTheMap)
{
    const GroundTrackMap map(map_test::SunSync(14, 1, 3), 290);
    for (int day = 0; day < 3; ++day) {
        const world_map::DayGeometry& geometry = map.Day(day);
        EXPECT_GE(geometry.track.size(), 14u);  // at least one cut a revolution
        EXPECT_FALSE(geometry.swath.empty());
        for (const world_map::Polyline& piece : geometry.track)
            for (const world_map::LonLat& p : piece)
                ASSERT_LE(std::fabs(p.lonDeg), 180);
        if (day > 0) {
            const world_map::LonLat end = map.Day(day - 1).track.back().back();
            const world_map::LonLat start = geometry.track.front().front();
            EXPECT_NEAR(end.latDeg, start.latDeg, 1e-9);
            EXPECT_NEAR(world_map::WrapDeg(end.lonDeg - start.lonDeg), 0, 1e-9);
        }
    }
}

// Lightness climbs evenly from day to day and stays dark enough to show on
// the pale sea and land (CIELAB lightness about 95 and 85).
TEST(DayColours, ClimbInLightnessAndStayDistinct)
{
    for (const int days : {2, 3, 7, 30}) {
        std::set<std::tuple<int, int, int>> seen;
        double previous = 0;
        for (int day = 0; day < days; ++day) {
            const world_map::Rgb colour = world_map::DayColour(day, days);
            seen.insert({colour.red, colour.green, colour.blue});
            const double lightness = world_map::Lightness(colour);
            EXPECT_NEAR(lightness, 30 + 38.0 * day / (days - 1), 0.6) << days << " " << day;
            EXPECT_GT(lightness, previous) << days << " " << day;
            previous = lightness;
        }
        EXPECT_EQ(seen.size(), static_cast<std::size_t>(days));
    }
    EXPECT_EQ(world_map::DayColour(0, 1), world_map::ColourMapAt(0));
}

}  // namespace
