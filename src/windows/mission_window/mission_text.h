#pragma once
// The mission's figures in words, for the Mission window and the windows
// that show a node: the node's local times, its right ascension and its drift
// against the mean Sun, and what is missing before they can be shown.

#include "session/design_session.h"

#include <string>

namespace mission_window {

// "Ascending node 22:30:00 mean, 22:37:13 true" and three more lines: the
// descending node, the right ascension (of date and EME2000) and the drift of
// the local time a day. A drift that rounds to nothing reads "+0.00".
std::string NodeFiguresText(const orbit::ephemeris::OrbitNode& node);

// The node's figures for `design` under `mission`, or why there are none:
// no design computed yet, no epoch set, or the node cannot be placed (the
// error's own text).
std::string NodeSummaryText(const std::optional<orbit::session::CompletedDesign>& design,
                            const orbit::session::MissionContext& mission);

// The node as the mission gives it: "LTDN 10:30:00 mean", "LTAN 22:30:00
// mean" or "RAAN 120.5000° EME2000".
std::string NodeRequestText(const orbit::ephemeris::NodeRequest& node);

// What to do to set an epoch: said by every window that needs one.
extern const char* const kEpochNeeded;

}  // namespace mission_window
