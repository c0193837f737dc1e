#include "session/design_session.h"

#include "core/constants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orbit::DesignRecord;
using orbit::OrbitType;
using orbit::RepeatOrbitSolution;
using orbit::session::DesignSession;

DesignRecord Record(double n, double m, double q)
{
    DesignRecord record;
    record.N = n;
    record.M = m;
    record.Q = q;
    return record;
}

TEST(DesignSession, StartsWithNoDesign)
{
    const DesignSession session;
    EXPECT_FALSE(session.LastCompleted().has_value());
    EXPECT_FALSE(session.LastIsShown());
}

TEST(DesignSession, KeepsTheLastCompletedDesignThroughClearing)
{
    DesignSession session;
    RepeatOrbitSolution solution;
    solution.MeanAltitude = 774.98;
    session.DesignCompleted(Record(14, 1, 3), OrbitType::SunSynchronous, solution);
    session.DesignCompleted(Record(14, 5, 14), OrbitType::SunSynchronous, solution);
    ASSERT_TRUE(session.LastCompleted().has_value());
    EXPECT_EQ(session.LastCompleted()->record.M, 5);
    EXPECT_EQ(session.LastCompleted()->number, 2u);
    EXPECT_TRUE(session.LastIsShown());

    // An edit or a failed computation: the design stays, no longer shown.
    session.DesignCleared();
    ASSERT_TRUE(session.LastCompleted().has_value());
    EXPECT_EQ(session.LastCompleted()->record.Q, 14);
    EXPECT_EQ(session.LastCompleted()->solution.MeanAltitude, 774.98);
    EXPECT_FALSE(session.LastIsShown());
}

TEST(DesignSession, TellsFollowersOfEachChangeInOrder)
{
    DesignSession session;
    std::vector<std::string> told;
    const DesignSession::Following first = session.Follow([&] { told.push_back("first"); });
    const DesignSession::Following second = session.Follow([&] { told.push_back("second"); });
    session.DesignCompleted(Record(15, 1, 1), OrbitType::ChooseInclination, {});
    session.DesignCleared();
    session.DesignCleared();  // nothing new: not told again
    EXPECT_EQ(told, (std::vector<std::string>{"first", "second", "first", "second"}));
}

TEST(DesignSession, StopsTellingAFollowerWhoseHandleIsGone)
{
    DesignSession session;
    int told = 0;
    {
        const DesignSession::Following following = session.Follow([&] { ++told; });
        session.DesignCompleted(Record(15, 1, 1), OrbitType::ChooseInclination, {});
    }
    session.DesignCompleted(Record(15, 1, 1), OrbitType::ChooseInclination, {});
    EXPECT_EQ(told, 1);
}

TEST(DesignSession, AFollowerMayStopWhileBeingTold)
{
    DesignSession session;
    int laterTold = 0;
    DesignSession::Following early;
    early = session.Follow([&] { early = {}; });
    const DesignSession::Following later = session.Follow([&] { ++laterTold; });
    session.DesignCompleted(Record(15, 1, 1), OrbitType::ChooseInclination, {});
    session.DesignCompleted(Record(15, 1, 1), OrbitType::ChooseInclination, {});
    EXPECT_EQ(laterTold, 2);
}

TEST(DesignSession, AHandleMayOutliveItsSession)
{
    // A map window outlives the design window whose session it followed.
    DesignSession other;
    int told = 0;
    DesignSession::Following following;
    {
        DesignSession session;
        following = session.Follow([] {});
    }
    following = other.Follow([&] { ++told; });  // lets go of the dead session's entry safely
    other.DesignCompleted(Record(14, 3, 10), OrbitType::SunSynchronous, {});
    EXPECT_EQ(told, 1);
}

TEST(DesignSession, MissionChangesReachFollowersAndPlaceTheNode)
{
    DesignSession session;
    int told = 0;
    const DesignSession::Following following = session.Follow([&] { ++told; });

    orbit::session::MissionContext mission;
    EXPECT_FALSE(mission.HasEpoch());
    mission.epoch = orbit::ephemeris::ParseIsoUtc("2027-03-21T00:00Z");
    mission.node = {orbit::ephemeris::NodeGiven::Ltdn, 10.5};
    mission.swathKm = 290;
    session.SetMission(mission);
    EXPECT_EQ(told, 1);
    ASSERT_TRUE(session.Mission().swathKm.has_value());
    EXPECT_EQ(*session.Mission().swathKm, 290);

    // A descending node at 10:30 puts the ascending node at 22:30 mean local
    // time, whatever the design.
    orbit::session::CompletedDesign design;
    design.record.Incl = 98.6 * orbit::kRadiansPerDegree;
    design.record.NodeRate = 1.99e-7;
    const auto node = orbit::session::NodeOf(design, session.Mission());
    ASSERT_TRUE(node.has_value());
    EXPECT_NEAR(node->ltanMeanH, 22.5, 1e-9);

    EXPECT_FALSE(orbit::session::NodeOf(design, orbit::session::MissionContext{}).has_value());
}

}  // namespace
