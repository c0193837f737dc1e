#include "core/repeat_orbit_solver.h"

#include "core/number_text.h"
#include "core/repbas.h"
#include "core/result_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orbit;

RepeatOrbitSolution Solve(double n, double m, double q, OrbitType type, double deg = 0, double tenths = 0,
                          DesignRecord* record = nullptr)
{
    DesignRecord local;
    return SolveRepeatOrbit(RepeatOrbitInputs::Fixed(n, m, q, type, deg, tenths), {}, record ? *record : local);
}

// The texts the design window shows for a solution, through the table of
// result fields that every view of a design writes its results with.
struct Shown {
    std::string revs, axis, altitude, motion, period, incl;
};

std::string Text(const RepeatOrbitSolution& s, ResultField field)
{
    const std::optional<double> value = ValueOf(s, field);
    return value ? FormatResult(field, *value) : std::string("(none)");
}

Shown Show(const RepeatOrbitSolution& s)
{
    return {Text(s, ResultField::RevCount),   Text(s, ResultField::SemiMajorAxis),
            Text(s, ResultField::MeanAltitude), Text(s, ResultField::MeanMotion),
            Text(s, ResultField::NodalPeriod), Text(s, ResultField::SunSyncInclination)};
}

TEST(SolveRepeatOrbit, StartValuesGiveTheDesignWindowsFigures)
{
    const Shown shown = Show(Solve(15, 1, 1, OrbitType::ChooseInclination, 65, 0));
    EXPECT_EQ(shown.revs, "16");
    EXPECT_EQ(shown.axis, "6592.94");
    EXPECT_EQ(shown.altitude, "214.8");
    EXPECT_EQ(shown.motion, "16.2117963");
    EXPECT_EQ(shown.period, "88.831");
    EXPECT_EQ(shown.incl, "(none)");
}

TEST(SolveRepeatOrbit, SunSynchronousFourteenPlusOneThird)
{
    DesignRecord record;
    const RepeatOrbitSolution s = Solve(14, 1, 3, OrbitType::SunSynchronous, 0, 0, &record);
    EXPECT_EQ(s.RevCount, 43);
    EXPECT_NEAR(s.SemiMajorAxis, 7153.1271, 1e-4);
    EXPECT_NEAR(s.MeanAltitude, 774.9821, 1e-4);
    ASSERT_TRUE(s.InclDeg.has_value());
    EXPECT_NEAR(*s.InclDeg, 98.49744, 1e-5);
    EXPECT_NEAR(s.NodalPeriodMin, 86400 / (14 + 1.0 / 3) / 60, 1e-9);
    EXPECT_NEAR(s.MeanMotion, 14.3415870, 1e-7);
    EXPECT_NEAR(record.NodeSpacingDeg, 25.11628, 1e-5);

    const Shown shown = Show(s);
    EXPECT_EQ(shown.axis, "7153.13");
    EXPECT_EQ(shown.altitude, "774.98");
    EXPECT_EQ(shown.motion, "14.341587");
    EXPECT_EQ(shown.period, "100.465");
    EXPECT_EQ(shown.incl, "98.497");
}

TEST(SolveRepeatOrbit, ChosenInclinationFourteenPlusOneThird)
{
    DesignRecord record;
    const RepeatOrbitSolution s = Solve(14, 1, 3, OrbitType::ChooseInclination, 65, 0, &record);
    EXPECT_NEAR(s.SemiMajorAxis, 7106.1277, 1e-4);
    EXPECT_NEAR(s.MeanAltitude, 727.9827, 1e-4);
    EXPECT_NEAR(s.MeanMotion, 14.4884461, 1e-7);
    EXPECT_NEAR(s.NodalPeriodMin, 99.396505, 1e-6);
    EXPECT_FALSE(s.InclDeg.has_value());
    // By construction the spacing is one turn over nu revolutions per day.
    EXPECT_NEAR(record.NodeSpacingDeg, 360 / (14 + 1.0 / 3), 1e-6);
    EXPECT_NEAR(record.NodeSpacing, RepBas::TwoPi / (14 + 1.0 / 3), 1e-12);

    const Shown shown = Show(s);
    EXPECT_EQ(shown.revs, "43");
    EXPECT_EQ(shown.axis, "7106.13");
    EXPECT_EQ(shown.altitude, "727.98");
    EXPECT_EQ(shown.motion, "14.4884461");
    EXPECT_EQ(shown.period, "99.397");
}

TEST(SolveRepeatOrbit, SunSynchronousFifteenADayHasAWholeNodalPeriod)
{
    const RepeatOrbitSolution s = Solve(15, 0, 1, OrbitType::SunSynchronous);
    EXPECT_EQ(s.NodalPeriodMin, 96.0);
    EXPECT_EQ(FormatPattern(s.NodalPeriodMin, "####.###"), "96.");
    EXPECT_NEAR(*s.InclDeg, 97.63507, 1e-5);
}

TEST(SolveRepeatOrbit, SunSynchronousSpacingExceedsOneTurnOverNu)
{
    // The node rate comes from the solved orbit while the nodal period
    // assumes 86400 s, so the spacing is slightly larger than 2 pi / nu.
    DesignRecord record;
    Solve(14, 1, 3, OrbitType::SunSynchronous, 0, 0, &record);
    const double excess = record.NodeSpacing - RepBas::TwoPi / (14 + 1.0 / 3);
    EXPECT_GT(excess, 1e-8);
    EXPECT_LT(excess, 1e-7);
    EXPECT_NEAR(record.NodeRate, 1.99099e-07, 1e-11);
}

TEST(SolveRepeatOrbit, UnphysicalResultsAreReturnedNotRejected)
{
    const RepeatOrbitSolution below = Solve(8, 0, 1, OrbitType::SunSynchronous);
    EXPECT_NEAR(below.MeanAltitude, -6121.6, 0.1);
    EXPECT_EQ(FormatPattern(below.MeanAltitude, "#####.##").substr(0, 7), "-6121.6");

    const RepeatOrbitSolution far = Solve(9, 0, 1, OrbitType::SunSynchronous);
    EXPECT_NEAR(far.SemiMajorAxis, 83072, 1);
    EXPECT_EQ(*far.InclDeg, 180.0);  // clamped: no sun-synchronous orbit up there
}

TEST(SolveRepeatOrbit, InclinationIsDegreesPlusTenthsWithTheModelsPi)
{
    DesignRecord record;
    Solve(14, 1, 3, OrbitType::ChooseInclination, 98, 5, &record);
    EXPECT_NEAR(record.Incl, 98.5 * 3.141592654 / 180, 1e-15);
}

TEST(SolveRepeatOrbit, RevCountRoundsTiesToEven)
{
    struct Case {
        double n, m, q;
        int revs;
    };
    const Case cases[] = {{14.5, 0, 1, 14}, {15.5, 0, 1, 16}, {14, 0.5, 1, 14}, {7, 1, 2, 15},
                          {-1, 0.5, 1, 0},  {16, -15, 1, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(Solve(c.n, c.m, c.q, OrbitType::SunSynchronous).RevCount, c.revs) << c.n << " " << c.m;
}

TEST(SolveRepeatOrbit, ResultsArriveInTheOrderTheyAreFormed)
{
    for (OrbitType type : {OrbitType::ChooseInclination, OrbitType::SunSynchronous}) {
        std::vector<std::string> events;
        SolveObserver observer;
        observer.OnRevCount = [&](std::int16_t revs) { events.push_back("revs " + std::to_string(revs)); };
        observer.OnAxis = [&](double, double) { events.push_back("axis"); };
        observer.OnComplete = [&](const RepeatOrbitSolution&) { events.push_back("complete"); };
        RepeatOrbitInputs inputs = RepeatOrbitInputs::Fixed(14, 1, 3, type, 65, 0);
        inputs.InclDegrees = [&] {
            events.push_back("read incl");
            return 65.0;
        };
        DesignRecord record;
        SolveRepeatOrbit(inputs, observer, record);
        const std::vector<std::string> expected =
            type == OrbitType::SunSynchronous ? std::vector<std::string>{"revs 43", "axis", "complete"}
                                              : std::vector<std::string>{"revs 43", "read incl", "complete"};
        EXPECT_EQ(events, expected);
    }
}

TEST(SolveRepeatOrbit, FillsTheNamedRecordAndLeavesTheModuleRecord)
{
    // Only the design window writes DesignResult: a solve into a record of
    // its own (a search row, a table) must not change what "Display pattern"
    // draws.
    const DesignRecord saved = DesignResult;
    DesignRecord own;
    SolveRepeatOrbit(RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::ChooseInclination, 65, 0), {}, own);
    EXPECT_EQ(own.N, 14);
    EXPECT_EQ(own.M, 1);
    EXPECT_EQ(own.Q, 3);
    EXPECT_NEAR(own.MeanMotion, 14.4884461, 1e-7);
    EXPECT_EQ(DesignResult.N, saved.N);
    EXPECT_EQ(DesignResult.MeanMotion, saved.MeanMotion);
}

TEST(NoSunSynchronousOrbitAt, TurnsAtTheClampingAxis)
{
    // The clamp sets in beyond about 12,353 km.
    EXPECT_FALSE(NoSunSynchronousOrbitAt(12340));
    EXPECT_TRUE(NoSunSynchronousOrbitAt(12360));
    EXPECT_FALSE(NoSunSynchronousOrbitAt(7000));
}

}  // namespace
