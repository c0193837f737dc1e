#pragma once
// The epoch and the orbit's node as `sun`, `coverage`, `map`, `access`,
// `refine` and `export` take them: --epoch (the UTC instant of day 0's first
// ascending node) and exactly one of --ltan, --ltdn and --raan. Kept as the
// texts the user typed and read when the command runs, so every mistake is a
// usage error that names its option.

#include "core/repeat_orbit_solver.h"
#include "ephemeris/instant.h"
#include "ephemeris/orbit_node.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <string>

namespace orbit::cli {

struct EpochNodeOptions {
    std::string epochText, ltanText, ltdnText, raanText;
};

// Adds --epoch, --ltan, --ltdn and --raan to `command`; the three node
// options exclude one another.
void AddEpochNodeOptions(CLI::App& command, EpochNodeOptions& options);

struct EpochNode {
    ephemeris::Instant epoch;
    ephemeris::NodeRequest node;
};

// Nothing when neither the epoch nor a node was given. Throws a usage error
// naming the option for a malformed value, a node without an epoch or an
// epoch without a node.
std::optional<EpochNode> ReadEpochNode(const EpochNodeOptions& options);

// For a command that cannot run without them: as ReadEpochNode, and a usage
// error when they are missing.
EpochNode RequireEpochNode(const EpochNodeOptions& options);

// The node of a solved design at the epoch: the design's inclination (to the
// equator of date) and J2 node rate. Throws OrbitError when the node cannot
// be placed (an equatorial plane given by --raan).
ephemeris::OrbitNode NodeOfDesign(const DesignRecord& record, const EpochNode& epochNode);

// "22:30:00": hours [0, 24) rounded to the second, never "24:00:00".
std::string LocalTimeText(double hours);

// The node's lines of text: right ascension of date and in EME2000, mean and
// true local times of both nodes, the equation of time and the daily drift.
void WriteNodeText(const ephemeris::OrbitNode& node, std::ostream& out);

// {"raan_of_date_deg", "raan_eme2000_deg", "ltan_mean_h", "ltan_true_h",
//  "ltdn_mean_h", "ltdn_true_h", "equation_of_time_min", "ltan_drift_min_per_day"}
nlohmann::ordered_json NodeJson(const ephemeris::OrbitNode& node);

}  // namespace orbit::cli
