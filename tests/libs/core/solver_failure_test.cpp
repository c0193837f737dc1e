#include "core/repeat_orbit_solver.h"

#include "core/orbit_error.h"
#include "core/repbas.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace orbit;

// A record whose every field holds a marker, to see which fields a failed
// solve has overwritten.
DesignRecord Marked()
{
    return {-1, -2, -3, -4, -5, -6, -7, -8, -9};
}

struct Outcome {
    std::string error;
    std::optional<int> revCount;
    bool axisReported = false;
    bool completed = false;
    DesignRecord record = Marked();
};

Outcome SolveAndWatch(const RepeatOrbitInputs& inputs)
{
    Outcome out;
    SolveObserver observer;
    observer.OnRevCount = [&](std::int16_t r) { out.revCount = r; };
    observer.OnAxis = [&](double, double) { out.axisReported = true; };
    observer.OnComplete = [&](const RepeatOrbitSolution&) { out.completed = true; };
    try {
        SolveRepeatOrbit(inputs, observer, out.record);
    } catch (const OrbitError& e) {
        out.error = e.what();
    }
    return out;
}

std::function<double()> Mismatch()
{
    return []() -> double { throw OrbitError(ErrorKind::TypeMismatch); };
}

TEST(SolveFailure, QZeroFailsAfterTheRevCount)
{
    struct Case {
        double m;
        OrbitType type;
        const char* error;
    };
    const Case cases[] = {{1, OrbitType::ChooseInclination, "Division by zero"},
                          {0, OrbitType::ChooseInclination, "Overflow"},
                          {1, OrbitType::SunSynchronous, "Division by zero"},
                          {0, OrbitType::SunSynchronous, "Overflow"}};
    for (const Case& c : cases) {
        const Outcome out = SolveAndWatch(RepeatOrbitInputs::Fixed(15, c.m, 0, c.type, 65, 0));
        EXPECT_EQ(out.error, c.error);
        EXPECT_EQ(out.revCount, static_cast<int>(c.m));  // Q*N + M = M
        EXPECT_FALSE(out.axisReported);
        EXPECT_FALSE(out.completed);
        // The inputs are stored, the rest is untouched (the inclination is
        // formed before the axis relation fails).
        EXPECT_EQ(out.record.Q, 0);
        EXPECT_EQ(out.record.NodeRate, -6);
        EXPECT_EQ(out.record.NodeSpacing, -7);
    }
}

TEST(SolveFailure, ZeroRevolutionsPerDay)
{
    // Chosen inclination: the axis relation divides by nu at once.
    const Outcome chosen = SolveAndWatch(RepeatOrbitInputs::Fixed(0, 0, 1, OrbitType::ChooseInclination, 65, 0));
    EXPECT_EQ(chosen.error, "Division by zero");
    EXPECT_FALSE(chosen.axisReported);

    // Sun-synchronous: the axis converges and is reported, then the nodal
    // period 86400 / nu fails; the inclination and node rate are stored.
    const Outcome sunSync = SolveAndWatch(RepeatOrbitInputs::Fixed(0, 0, 1, OrbitType::SunSynchronous));
    EXPECT_EQ(sunSync.error, "Division by zero");
    EXPECT_TRUE(sunSync.axisReported);
    EXPECT_FALSE(sunSync.completed);
    EXPECT_NE(sunSync.record.Incl, -4);
    EXPECT_NE(sunSync.record.NodeRate, -6);
    EXPECT_EQ(sunSync.record.NodalPeriod, -5);
    EXPECT_EQ(sunSync.record.MeanMotion, -9);
}

TEST(SolveFailure, RevCountBeyondSixteenBitsOverflowsFirst)
{
    for (double n : {32768.0, -32769.0, 1e300}) {
        const Outcome out = SolveAndWatch(RepeatOrbitInputs::Fixed(n, 0, 1, OrbitType::SunSynchronous));
        EXPECT_EQ(out.error, "Overflow") << n;
        EXPECT_FALSE(out.revCount.has_value());
        EXPECT_EQ(out.record.N, n);
        EXPECT_EQ(out.record.Incl, -4);
    }
    // The extremes of the range itself are fine.
    EXPECT_EQ(SolveAndWatch(RepeatOrbitInputs::Fixed(32767, 0, 1, OrbitType::SunSynchronous)).revCount, 32767);
    EXPECT_EQ(SolveAndWatch(RepeatOrbitInputs::Fixed(-32768, 0, 1, OrbitType::SunSynchronous)).revCount, -32768);
}

TEST(SolveFailure, UnreadableInputsLeaveTheEarlierOnesStored)
{
    RepeatOrbitInputs noQ = RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::ChooseInclination, 65, 0);
    noQ.Q = Mismatch();
    const Outcome a = SolveAndWatch(noQ);
    EXPECT_EQ(a.error, "Type mismatch");
    EXPECT_EQ(a.record.N, 14);
    EXPECT_EQ(a.record.M, 1);
    EXPECT_EQ(a.record.Q, -3);
    EXPECT_FALSE(a.revCount.has_value());

    RepeatOrbitInputs noTenths = RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::ChooseInclination, 65, 0);
    noTenths.InclTenths = Mismatch();
    const Outcome b = SolveAndWatch(noTenths);
    EXPECT_EQ(b.error, "Type mismatch");
    EXPECT_EQ(b.revCount, 43);
    EXPECT_EQ(b.record.Incl, -4);

    // A sun-synchronous solve never reads the inclination.
    RepeatOrbitInputs sunSync = RepeatOrbitInputs::Fixed(14, 1, 3, OrbitType::SunSynchronous);
    sunSync.InclDegrees = Mismatch();
    sunSync.InclTenths = Mismatch();
    EXPECT_TRUE(SolveAndWatch(sunSync).completed);
}

TEST(SolveFailure, NonConvergingDesignEndsAtOnceKeepingTheInclination)
{
    const Outcome out = SolveAndWatch(RepeatOrbitInputs::Fixed(4, 7, 22, OrbitType::ChooseInclination, 144, 0));
    EXPECT_EQ(out.error, RepBas::NoConvergenceText());
    EXPECT_EQ(out.revCount, 95);
    EXPECT_NEAR(out.record.Incl, 144 * 3.141592654 / 180, 1e-15);
    EXPECT_EQ(out.record.NodeSpacing, -7);
}

}  // namespace
