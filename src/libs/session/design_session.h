#pragma once
// What the windows of one design share. The design window reports each
// computation's outcome here; the map, the explorer and every later window
// are handed the session and follow it, so none of them reads a module-level
// record or another window's controls.
//
// The pattern window keeps reading DesignResult, as the design window's
// display command has always drawn it; the session holds a copy of each
// completed design, taken the moment its computation completes.
//
// Single-threaded: used from the windows' thread only. Followers are told
// synchronously, in the order they began to follow.

#include "analysis/swath_coverage.h"
#include "core/repeat_orbit_solver.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace orbit::session {

struct CompletedDesign {
    DesignRecord record;
    OrbitType type = OrbitType::ChooseInclination;
    RepeatOrbitSolution solution;
    // 1 for the session's first completed design, then 2, 3...: tells a
    // follower whether the design it shows is still the newest.
    std::uint64_t number = 0;
};

// What the design window cannot show and every other window needs: when the
// orbit flies, where its node lies, and what its instrument sees. Set in the
// Mission panel; the map, the explorer, the Sun window and the export all
// read this one copy.
struct MissionContext {
    // The UTC instant of day 0's first ascending node, and the node. Without
    // an epoch the track stays relative: no true longitudes, no Sun.
    std::optional<ephemeris::Instant> epoch;
    ephemeris::NodeRequest node{ephemeris::NodeGiven::Ltdn, 10.5};
    // The instrument: no swath means no coverage figures.
    std::optional<double> swathKm;
    int satellites = 1;
    analysis::PassDirection passes = analysis::PassDirection::Both;
    // Looks count only with the Sun at least this high at the place seen
    // (an optical imager); none counts every look.
    std::optional<double> sunMinDeg;

    bool HasEpoch() const { return epoch.has_value(); }
};

// The node of `design` at the mission's epoch, from the design's inclination
// and J2 node rate; none without an epoch. Throws OrbitError when the node
// cannot be placed (an equatorial plane given by its right ascension).
std::optional<ephemeris::OrbitNode> NodeOf(const CompletedDesign& design, const MissionContext& mission);

class DesignSession {
public:
    DesignSession();
    DesignSession(const DesignSession&) = delete;
    DesignSession& operator=(const DesignSession&) = delete;

    // A computation completed: it becomes the last completed design, and
    // the design window now shows it.
    void DesignCompleted(const DesignRecord& record, OrbitType type, const RepeatOrbitSolution& solution);
    // A computation failed, or an edit cleared the results: the last
    // completed design stays, but the design window no longer shows it.
    void DesignCleared();

    // The mission context changed: every follower is told, as after a design.
    void SetMission(const MissionContext& mission);
    const MissionContext& Mission() const { return mission_; }

    const std::optional<CompletedDesign>& LastCompleted() const { return last_; }
    // Whether the design window's results are those of LastCompleted().
    bool LastIsShown() const { return last_.has_value() && shown_; }

    // A follower is told after every change. It follows while the returned
    // handle lives; the handle may outlive the session.
    class Following {
    public:
        Following() = default;
        Following(Following&&) noexcept = default;
        Following& operator=(Following&& other) noexcept;
        ~Following();

    private:
        friend class DesignSession;
        struct Followers;
        Following(std::weak_ptr<Followers> followers, int id) : followers_(std::move(followers)), id_(id) {}
        void Stop();
        std::weak_ptr<Followers> followers_;
        int id_ = 0;
    };
    [[nodiscard]] Following Follow(std::function<void()> changed);

private:
    void Tell();

    std::optional<CompletedDesign> last_;
    MissionContext mission_;
    bool shown_ = false;
    std::shared_ptr<Following::Followers> followers_;
};

}  // namespace orbit::session
