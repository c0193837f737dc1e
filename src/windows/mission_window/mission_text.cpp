#include "mission_window/mission_text.h"

#include "core/constants.h"
#include "core/orbit_error.h"

#include <cmath>
#include <cstdio>

namespace mission_window {

const char* const kEpochNeeded =
    "An epoch is needed: open Mission\u2026 (Ctrl+I) from the design window's right-click menu, tick "
    "\u201cEpoch\u201d and give the UTC date and time of day 0's first ascending node.";

std::string NodeFiguresText(const orbit::ephemeris::OrbitNode& node)
{
    using orbit::ephemeris::LocalTimeText;
    // A drift that rounds to nothing reads as none, not as "-0.00".
    const double drift = std::abs(node.ltanDriftMinPerDay) < 0.005 ? 0.0 : node.ltanDriftMinPerDay;
    char raan[160], driftText[160];
    std::snprintf(raan, sizeof raan, "Right ascension of the node %.4f\u00b0 of date, %.4f\u00b0 EME2000",
                  node.raanOfDateRad * orbit::kDegreesPerRadian, node.raanEme2000Rad * orbit::kDegreesPerRadian);
    std::snprintf(driftText, sizeof driftText,
                  "Local time drifts %+.2f min a day (equation of time %+.2f min)", drift,
                  node.equationOfTimeMin);
    return "Ascending node " + LocalTimeText(node.ltanMeanH) + " mean, " + LocalTimeText(node.ltanTrueH) +
           " true\nDescending node " + LocalTimeText(node.ltdnMeanH) + " mean, " + LocalTimeText(node.ltdnTrueH) +
           " true\n" + raan + "\n" + driftText;
}

std::string NodeRequestText(const orbit::ephemeris::NodeRequest& node)
{
    using orbit::ephemeris::NodeGiven;
    switch (node.given) {
    case NodeGiven::Ltan: return "LTAN " + orbit::ephemeris::LocalTimeText(node.value) + " mean";
    case NodeGiven::Ltdn: return "LTDN " + orbit::ephemeris::LocalTimeText(node.value) + " mean";
    case NodeGiven::RaanEme2000: break;
    }
    char text[64];
    std::snprintf(text, sizeof text, "RAAN %.4f\u00b0 EME2000", node.value);
    return text;
}

std::string NodeSummaryText(const std::optional<orbit::session::CompletedDesign>& design,
                            const orbit::session::MissionContext& mission)
{
    if (!mission.HasEpoch())
        return "The node's local times need an epoch: tick \u201cEpoch\u201d above.";
    if (!design)
        return "The node's local times appear once a design is computed in the design window.";
    try {
        return NodeFiguresText(*orbit::session::NodeOf(*design, mission));
    } catch (const orbit::OrbitError& e) {
        return std::string("The node cannot be placed: ") + e.what();
    }
}

}  // namespace mission_window
