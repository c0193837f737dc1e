#include "session/design_session.h"

#include <vector>

namespace orbit::session {

struct DesignSession::Following::Followers {
    int nextId = 1;
    std::map<int, std::function<void()>> byId;  // ordered: the order they began to follow
};

std::optional<ephemeris::OrbitNode> NodeOf(const CompletedDesign& design, const MissionContext& mission)
{
    if (!mission.epoch)
        return std::nullopt;
    return ephemeris::ResolveNode(*mission.epoch, mission.node, design.record.Incl, design.record.NodeRate);
}

DesignSession::DesignSession() : followers_(std::make_shared<Following::Followers>()) {}

void DesignSession::DesignCompleted(const DesignRecord& record, OrbitType type, const RepeatOrbitSolution& solution)
{
    const std::uint64_t number = last_ ? last_->number + 1 : 1;
    last_ = CompletedDesign{record, type, solution, number};
    shown_ = true;
    Tell();
}

void DesignSession::SetMission(const MissionContext& mission)
{
    mission_ = mission;
    Tell();
}

void DesignSession::DesignCleared()
{
    if (!shown_)
        return;  // already cleared: nothing new to tell
    shown_ = false;
    Tell();
}

DesignSession::Following DesignSession::Follow(std::function<void()> changed)
{
    const int id = followers_->nextId++;
    followers_->byId.emplace(id, std::move(changed));
    return Following(followers_, id);
}

void DesignSession::Tell()
{
    // A follower may stop following (or start another) while being told:
    // take the ids first and look each up again before calling it.
    std::vector<int> ids;
    ids.reserve(followers_->byId.size());
    for (const auto& [id, changed] : followers_->byId)
        ids.push_back(id);
    for (const int id : ids) {
        const auto it = followers_->byId.find(id);
        if (it != followers_->byId.end()) {
            const std::function<void()> changed = it->second;  // a copy: the entry may go while it runs
            changed();
        }
    }
}

DesignSession::Following& DesignSession::Following::operator=(Following&& other) noexcept
{
    if (this != &other) {
        Stop();
        followers_ = std::move(other.followers_);
        id_ = other.id_;
        other.followers_.reset();
    }
    return *this;
}

DesignSession::Following::~Following() { Stop(); }

void DesignSession::Following::Stop()
{
    if (const std::shared_ptr<Followers> followers = followers_.lock())
        followers->byId.erase(id_);
    followers_.reset();
}

}  // namespace orbit::session
